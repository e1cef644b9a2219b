// The password gate: when a verifier is loaded, how close requests are decided with
// the hold-off after a prompt, and the password-change mode.
#include <gtest/gtest.h>

#include "host/close_gate.h"
#include "platform/platform_values.h"
#include "host_fixture.h"

namespace scintle {
namespace {

class CloseGateTest : public HostTest {
protected:
    void WithPassword() {
        host.SetPasswordSwitch({1, 0, 0, 0});
        host.ProvideVerifier(FakePrompt::Verify);
        LoadPasswordVerifier();
        host.calls.clear();
    }
};

TEST_F(CloseGateTest, SwitchOnLoadsTheVerifierAndMarksTheSaverRunning) {
    host.SetPasswordSwitch({1, 0, 0, 0});
    host.ProvideVerifier(FakePrompt::Verify);
    LoadPasswordVerifier();
    EXPECT_EQ(host.calls, (std::vector<std::string>{
                              "RegOpenKeyA HKEY_CURRENT_USER \"Control Panel\\Desktop\"",
                              "RegQueryValueExA 0x77 \"ScreenSaveUsePassword\" null 4",
                              "LoadLibraryA \"PASSWORD.CPL\"",
                              "GetProcAddress 0x700 \"VerifyScreenSavePwd\"",
                              "SystemParametersInfoA 97 1 scratch 0",
                              "RegCloseKey 0x77"}));
    EXPECT_EQ(closeGate.verifyPasswordFn, &FakePrompt::Verify);
    host.calls.clear();
    UnloadPasswordVerifier();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"FreeLibrary 0x700",
                                                    "SystemParametersInfoA 97 0 scratch 0"}));
    EXPECT_EQ(closeGate.passwordModule, nullptr);
    EXPECT_EQ(closeGate.verifyPasswordFn, nullptr);
}

TEST_F(CloseGateTest, NoPasswordInForceUnlessSwitchComponentAndEntryAllExist) {
    struct Case {
        const char* what;
        std::vector<uint8_t> data;
        bool component;
        bool entry;
    };
    for (const Case& c : {Case{"switch 0", {0, 0, 0, 0}, true, true},
                          Case{"switch longer than 4 bytes", {1, 0, 0, 0, 0}, true, true},
                          Case{"no component", {1, 0, 0, 0}, false, false},
                          Case{"component without entry", {1, 0, 0, 0}, true, false}}) {
        Restart();
        host.SetPasswordSwitch(c.data);
        if (c.component) host.ProvideVerifier(c.entry ? FakePrompt::Verify : nullptr);
        LoadPasswordVerifier();
        EXPECT_EQ(closeGate.verifyPasswordFn, nullptr) << c.what;
        EXPECT_EQ(closeGate.passwordModule, nullptr) << c.what;
        EXPECT_TRUE(host.CallsOf("SystemParametersInfoA").empty()) << c.what;
        EXPECT_EQ(host.CallsOf("RegCloseKey").size(), 1u) << c.what;
        // Only a component that was loaded is released.
        const bool loaded = c.component && c.data[0] != 0 && c.data.size() <= 4;
        EXPECT_EQ(host.CallsOf("FreeLibrary").size(), loaded ? 1u : 0u) << c.what;
        EXPECT_EQ(ConfirmClose(kWindow), 1) << c.what;
    }
}

TEST_F(CloseGateTest, ShortSwitchDataCountsItsOwnBytesOnly) {
    host.SetPasswordSwitch({0, 1});
    host.ProvideVerifier(FakePrompt::Verify);
    LoadPasswordVerifier();
    EXPECT_NE(closeGate.verifyPasswordFn, nullptr);
}

TEST_F(CloseGateTest, MissingDesktopKeyClosesNothing) {
    host.desktopKeyExists = false;
    LoadPasswordVerifier();
    EXPECT_TRUE(host.CallsOf("RegCloseKey").empty());
    EXPECT_TRUE(host.CallsOf("LoadLibraryA").empty());
}

TEST_F(CloseGateTest, UnloadWithNothingLoadedTouchesNothing) {
    UnloadPasswordVerifier();
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(CloseGateTest, LoadingAgainReleasesTheFirstVerifier) {
    WithPassword();
    LoadPasswordVerifier();
    EXPECT_EQ(host.calls[0], "FreeLibrary 0x700");
    EXPECT_EQ(host.calls[1], "SystemParametersInfoA 97 0 scratch 0");
    EXPECT_NE(closeGate.verifyPasswordFn, nullptr);
}

TEST_F(CloseGateTest, NoVerifierAllowsAtOnceAndForGood) {
    EXPECT_EQ(ConfirmClose(kWindow), 1);
    EXPECT_EQ(closeGate.closeAllowed, 1);
    EXPECT_TRUE(host.CallsOf("GetTickCount").empty());
}

TEST_F(CloseGateTest, PromptRunsThroughTheWindowAndItsAnswerDecides) {
    UseFullScreenWindow();
    WithPassword();
    host.timersQueued = 5;
    host.ticks = {1000, 1500};
    FakePrompt::answer = 0;
    EXPECT_EQ(ConfirmClose(kWindow), 0);
    EXPECT_EQ(host.calls, (std::vector<std::string>{
                              "GetTickCount",
                              "PeekMessageA 0x500 0x113 0x113 3",
                              "PeekMessageA 0x500 0x113 0x113 3",
                              "SendMessageA 0x500 0x8000 0 0",
                              "SetCursor 0",
                              "GetTickCount"}));
    EXPECT_EQ(host.timersQueued, 3);
    EXPECT_EQ(FakePrompt::shown, 1);
    EXPECT_EQ(FakePrompt::shownFor, kWindow);
    EXPECT_EQ(closeGate.lastVerifyTick, 1500u);
    EXPECT_EQ(closeGate.verifyingPassword, 0);

    host.ticks = {1700, 1800};
    FakePrompt::answer = 1;
    EXPECT_EQ(ConfirmClose(kWindow), 1);
    EXPECT_EQ(closeGate.closeAllowed, 1);
    EXPECT_EQ(FakePrompt::shown, 2);
}

TEST_F(CloseGateTest, HoldOffAfterAPromptIs200MillisecondsAcrossTheWrap) {
    UseFullScreenWindow();
    WithPassword();
    struct Case {
        uint32_t last, now;
        bool prompts;
    };
    for (const Case& c : {Case{1000, 1199, false}, Case{1000, 1200, true},
                          Case{0xFFFFFFF0u, 0x00000010u, false},
                          Case{0xFFFFFF00u, 0x000000C8u, true}, Case{5000, 5000, false}}) {
        closeGate.lastVerifyTick = c.last;
        host.ticks = {c.now, c.now + 1};
        const int before = FakePrompt::shown;
        EXPECT_EQ(ConfirmClose(kWindow), 0);
        EXPECT_EQ(FakePrompt::shown - before, c.prompts ? 1 : 0) << c.last << " " << c.now;
    }
}

TEST_F(CloseGateTest, FirstRequestPromptsEvenRightAfterTheStart) {
    UseFullScreenWindow();
    WithPassword();
    host.ticks = {1};
    ConfirmClose(kWindow);
    EXPECT_EQ(FakePrompt::shown, 1);
}

TEST_F(CloseGateTest, RequestsWhileThePromptIsUpAreRefusedWithoutASecondPrompt) {
    UseFullScreenWindow();
    WithPassword();
    static intptr_t nestedResult;
    static int nestedPrompts;
    FakePrompt::whileUp = [](WindowHandle hwnd) {
        nestedPrompts = FakePrompt::shown;
        nestedResult = SaverWindowProc(hwnd, kWmClose, 0, 0);
        nestedPrompts = FakePrompt::shown - nestedPrompts;
    };
    FakePrompt::answer = 0;
    host.ticks = {1000, 3000};
    EXPECT_EQ(ConfirmClose(kWindow), 0);
    EXPECT_EQ(nestedResult, 0);
    EXPECT_EQ(nestedPrompts, 0);
    EXPECT_EQ(FakePrompt::shown, 1);
    EXPECT_TRUE(host.CallsOf("DefWindowProcA 0x10").empty());
}

TEST_F(CloseGateTest, ChangePasswordCallsTheServiceWithTheParentAndReleasesIt) {
    static std::string provider;
    static WindowHandle owner;
    static uint32_t third;
    static void* fourth;
    struct Service {
        static uint32_t SCINTLE_STDCALL Change(const char* p, WindowHandle o, uint32_t t, void* f) {
            provider = p;
            owner = o;
            third = t;
            fourth = f;
            return 7;
        }
    };
    const ModuleHandle mpr = FakeModule(0x800);
    host.loadableModules["MPR.DLL"] = mpr;
    host.entries[{mpr, "PwdChangePasswordA"}] = reinterpret_cast<FarProc>(&Service::Change);
    ChangeSaverPassword(FakeWindow(0x42));
    EXPECT_EQ(provider, "SCRSAVE");
    EXPECT_EQ(owner, FakeWindow(0x42));
    EXPECT_EQ(third, 0u);
    EXPECT_EQ(fourth, nullptr);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"LoadLibraryA \"MPR.DLL\"",
                                                    "GetProcAddress 0x800 \"PwdChangePasswordA\"",
                                                    "FreeLibrary 0x800"}));
}

TEST_F(CloseGateTest, ChangePasswordWithoutTheServiceDoesNothingMore) {
    ChangeSaverPassword(FakeWindow(0x42));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"LoadLibraryA \"MPR.DLL\""}));
    host.calls.clear();
    host.loadableModules["MPR.DLL"] = FakeModule(0x800);
    ChangeSaverPassword(FakeWindow(0x42));
    EXPECT_EQ(host.CallsOf("FreeLibrary"), (std::vector<std::string>{"FreeLibrary 0x800"}));
}

}  // namespace
}  // namespace scintle
