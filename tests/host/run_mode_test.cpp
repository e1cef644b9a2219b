// The command line: which mode the first significant character picks, how handles
// are read, and what each mode does and returns.
#include <gtest/gtest.h>

#include "host/run_mode.h"
#include "host/saver_entry.h"
#include "host_fixture.h"
#include "resources/resource.h"

namespace scintle {
namespace {

RunModeKind KindOf(const char* commandLine) { return ParseRunMode(commandLine).kind; }

TEST(ParseRunModeTest, EmptyOrOnlySeparatorsConfigureWithoutOwner) {
    for (const char* line : {"", " ", "-/ -//", "   "}) {
        const RunMode mode = ParseRunMode(line);
        EXPECT_EQ(mode.kind, RunModeKind::ModeConfigure) << '"' << line << '"';
        EXPECT_FALSE(mode.ownedByForeground) << '"' << line << '"';
    }
}

TEST(ParseRunModeTest, ConfigureSwitchIsOwnedByTheForegroundWindow) {
    for (const char* line : {"/c:1234", "-c", "C", " /c 55"}) {
        const RunMode mode = ParseRunMode(line);
        EXPECT_EQ(mode.kind, RunModeKind::ModeConfigure) << line;
        EXPECT_TRUE(mode.ownedByForeground) << line;
    }
}

TEST(ParseRunModeTest, OnlyTheFirstSwitchCounts) {
    for (const char* line : {"/s", "-S", "s", " / s", "/s /p 5", "/screensaver"})
        EXPECT_EQ(KindOf(line), RunModeKind::ModeFullScreen) << line;
    EXPECT_EQ(KindOf("/a /s"), RunModeKind::ModeChangePassword);
}

TEST(ParseRunModeTest, HandleDigitsStartAfterTheBlanksThatFollowTheLetter) {
    for (const char* line : {"/p 1234", "/p1234", "/l   1234", "-P 1234", "L1234"}) {
        const RunMode mode = ParseRunMode(line);
        EXPECT_EQ(mode.kind, RunModeKind::ModePreview) << line;
        EXPECT_EQ(ParseWindowHandle(mode.handleText), 1234u) << line;
    }
    EXPECT_EQ(ParseWindowHandle(ParseRunMode("/p:1234").handleText), 0u);
    EXPECT_EQ(ParseWindowHandle(ParseRunMode("/p\t1234").handleText), 0u);
    const RunMode change = ParseRunMode("/a  77");
    EXPECT_EQ(change.kind, RunModeKind::ModeChangePassword);
    EXPECT_EQ(ParseWindowHandle(change.handleText), 77u);
}

TEST(ParseRunModeTest, AnythingElseIsInvalid) {
    for (const char* line : {"/x", "\t/s", "\x80", "/\xff", "?", "1", "\x01s"})
        EXPECT_EQ(KindOf(line), RunModeKind::ModeInvalid) << line;
}

TEST(ParseWindowHandleTest, DecimalDigitsOnlyWrappingInThirtyTwoBits) {
    EXPECT_EQ(ParseWindowHandle("4294967297"), 1u);
    EXPECT_EQ(ParseWindowHandle("4294967295"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseWindowHandle("12ab34"), 12u);
    EXPECT_EQ(ParseWindowHandle("0x10"), 0u);
    EXPECT_EQ(ParseWindowHandle("-5"), 0u);
    EXPECT_EQ(ParseWindowHandle(" 5"), 0u);
    EXPECT_EQ(ParseWindowHandle(""), 0u);
}

class EntryTest : public HostTest {};

const ModuleHandle kInstance = FakeModule(0x400000);

TEST_F(EntryTest, ConfigureRunsTemplate2003AndReturnsTheDialogResult) {
    host.dialogResult = 1;
    EXPECT_EQ(RunEntry(kInstance, ""), 1);
    host.foreground = FakeWindow(0x42);
    host.dialogResult = -1;
    EXPECT_EQ(RunEntry(kInstance, "/c:99"), -1);
    EXPECT_EQ(host.CallsOf("DialogBoxParamA"),
              (std::vector<std::string>{"DialogBoxParamA 0x400000 2003 0 0",
                                        "DialogBoxParamA 0x400000 2003 0x42 0"}));
    EXPECT_EQ(saverHost.hostInstance, kInstance);
}

TEST_F(EntryTest, PreviewNeedsAHandleOfAnExistingWindow) {
    EXPECT_EQ(RunEntry(kInstance, "/p"), -1);
    EXPECT_EQ(RunEntry(kInstance, "/p 1234"), -1);  // no such window
    EXPECT_EQ(RunEntry(kInstance, "/p:1234"), -1);
    EXPECT_TRUE(host.CallsOf("CreateWindowExA").empty());
    EXPECT_TRUE(host.CallsOf("RegisterClassA").empty());
    EXPECT_EQ(host.CallsOf("IsWindow"), (std::vector<std::string>{"IsWindow 0x4d2"}));
}

TEST_F(EntryTest, PreviewRunsInTheGivenWindow) {
    host.windows.insert(FakeWindow(1234));
    EXPECT_EQ(RunEntry(kInstance, "/p 1234"), 0);
    ASSERT_EQ(host.CallsOf("CreateWindowExA").size(), 1u);
    EXPECT_NE(host.CallsOf("CreateWindowExA")[0].find("0x4d2"), std::string::npos);
}

TEST_F(EntryTest, ChangePasswordFallsBackToTheForegroundWindowAndReturnsZero) {
    const ModuleHandle mpr = FakeModule(0x800);
    host.loadableModules["MPR.DLL"] = mpr;
    host.foreground = FakeWindow(0x42);
    host.windows.insert(FakeWindow(1234));
    EXPECT_EQ(RunEntry(kInstance, "/a 1234"), 0);
    EXPECT_EQ(RunEntry(kInstance, "/a 999"), 0);
    EXPECT_EQ(RunEntry(kInstance, "/a"), 0);
    EXPECT_EQ(host.CallsOf("GetForegroundWindow").size(), 2u);
    EXPECT_TRUE(host.CallsOf("CreateWindowExA").empty());
}

TEST_F(EntryTest, InvalidSwitchDoesNothing) {
    EXPECT_EQ(RunEntry(kInstance, "/x"), -1);
    EXPECT_EQ(RunEntry(kInstance, "\t/s"), -1);
    EXPECT_TRUE(host.calls.empty());
}

}  // namespace
}  // namespace scintle

namespace scintle {
namespace {

TEST(CommandTailTest, SkipsTheProgramNameAndTheBlanksAfterItButNotTabs) {
    EXPECT_STREQ(CommandTail("scintle.scr /s"), "/s");
    EXPECT_STREQ(CommandTail("\"C:\\Program Files\\scintle.scr\"   /p 12"), "/p 12");
    EXPECT_STREQ(CommandTail("\"C:\\a b\\scintle.scr\"/c"), "/c");
    EXPECT_STREQ(CommandTail("scintle.scr"), "");
    EXPECT_STREQ(CommandTail("\"unterminated"), "");
    EXPECT_STREQ(CommandTail("scintle.scr \t/s"), "\t/s");
    EXPECT_STREQ(CommandTail("scintle.scr\t/s"), "\t/s");
    EXPECT_EQ(ParseRunMode(CommandTail("scintle.scr \t/s")).kind, RunModeKind::ModeInvalid);
}

}  // namespace
}  // namespace scintle
