// The saver window: how a run sets the window up and ends, what each procedure does
// with each message, and the mouse-movement test.
#include <gtest/gtest.h>

#include "host/close_gate.h"
#include "platform/platform_values.h"
#include "host_fixture.h"
#include "settings/settings_store.h"

namespace scintle {
namespace {

class SaverWindowTest : public HostTest {
protected:
    // Posts that close the window.
    size_t ClosePosts() const { return host.CallsOf("PostMessageA 0x500 0x10 0 0").size(); }
};

TEST_F(SaverWindowTest, FullScreenRunCreatesTheTopmostWindowAndEndsWithZero) {
    saverHost.hostInstance = FakeModule(0x400000);
    host.ProvideVerifier(FakePrompt::Verify);  // present, but the switch is off
    host.queue.push_back({kWindow, kWmKeyDown, 0x41, 0, 0, {}});
    EXPECT_EQ(RunSaverWindow(nullptr), 0);
    // The class: its styles, the program's icon 100 and the black stock brush.
    EXPECT_EQ(host.CallsOf("LoadIconA"), (std::vector<std::string>{"LoadIconA 0x400000 100"}));
    EXPECT_EQ(host.CallsOf("GetStockObject"), (std::vector<std::string>{"GetStockObject 4"}));
    EXPECT_EQ(host.CallsOf("RegisterClassA"),
              (std::vector<std::string>{"RegisterClassA 0x2b 0x400000 0x100 0 0x204 null "
                                        "\"WindowsScreenSaverClass\" 0 0"}));
    EXPECT_EQ(host.CallsOf("CreateWindowExA"),
              (std::vector<std::string>{"CreateWindowExA 0x8 \"WindowsScreenSaverClass\" "
                                        "\"Screen Saver\" 0x96000000 0 0 640 480 0 0 0x400000 0"}));
    EXPECT_EQ(host.CallsOf("SetForegroundWindow"),
              (std::vector<std::string>{"SetForegroundWindow 0x500"}));
    EXPECT_EQ(host.CallsOf("PostQuitMessage"), (std::vector<std::string>{"PostQuitMessage 0"}));
    EXPECT_EQ(saverHost.saverWindow, kWindow);
    // The run started one render thread for the whole screen, before the window was
    // shown (so its drawing waited), then stopped drawing.
    ASSERT_EQ(canvas.starts.size(), 1u);
    EXPECT_EQ(canvas.starts[0].windowShown, 0);
    EXPECT_EQ(renderCycle.windowShown.load(), 1);
    EXPECT_EQ(renderCycle.clientWidth, 640);
    EXPECT_EQ(renderCycle.clientHeight, 480);
    EXPECT_EQ(renderCycle.runningFlag.load(), 0);
}

// AllMonitors puts the full-screen window over the virtual screen; the preview ignores it.
TEST_F(SaverWindowTest, FullScreenWindowCoversThePrimaryScreenOrEveryMonitor) {
    const Rect twoMonitors = {-1280, -200, 640, 824};  // a 1280x1024 monitor left of the primary
    const Rect unknown = {0, 0, 0, 0};
    struct Case {
        bool stored;
        uint32_t allMonitors;
        Rect virtualScreen;
        struct { int32_t x, y, width, height; } window;
    } cases[] = {
        {false, 0, twoMonitors, {0, 0, 640, 480}},
        {true, 0, twoMonitors, {0, 0, 640, 480}},
        {true, 1, twoMonitors, {-1280, -200, 1920, 1024}},
        {true, 7, twoMonitors, {-1280, -200, 1920, 1024}},
        {true, 1, unknown, {0, 0, 640, 480}},
    };
    for (const Case& c : cases) {
        const std::string place = std::to_string(c.window.x) + " " + std::to_string(c.window.y) +
                                  " " + std::to_string(c.window.width) + " " +
                                  std::to_string(c.window.height);
        SCOPED_TRACE(std::string(c.stored ? "AllMonitors " + std::to_string(c.allMonitors)
                                          : "no AllMonitors") + ": " + place);
        Restart();
        if (c.stored) registry.SetDword(kSettingsKeyPath, "AllMonitors", c.allMonitors);
        host.virtualScreen = c.virtualScreen;
        host.queue.push_back({kWindow, kWmKeyDown, 0x41, 0, 0, {}});
        EXPECT_EQ(RunSaverWindow(nullptr), 0);
        EXPECT_EQ(host.CallsOf("CreateWindowExA"),
                  (std::vector<std::string>{"CreateWindowExA 0x8 \"WindowsScreenSaverClass\" "
                                            "\"Screen Saver\" 0x96000000 " + place + " 0 0 0 0"}));
        // One picture across the whole window.
        EXPECT_EQ(renderCycle.clientWidth, c.window.width);
        EXPECT_EQ(renderCycle.clientHeight, c.window.height);
    }
    Restart();
    registry.SetDword(kSettingsKeyPath, "AllMonitors", 1);
    host.virtualScreen = twoMonitors;
    EXPECT_EQ(RunSaverWindow(FakeWindow(0x77)), 0);
    EXPECT_EQ(host.CallsOf("CreateWindowExA"),
              (std::vector<std::string>{"CreateWindowExA 0 \"WindowsScreenSaverClass\" "
                                        "\"Preview\" 0x52000000 0 0 152 112 0x77 0 0 0"}));
}

TEST_F(SaverWindowTest, SecondFullScreenRunBringsTheFirstForward) {
    host.foundWindow = FakeWindow(0x321);
    host.windows.insert(FakeWindow(0x321));
    EXPECT_EQ(RunSaverWindow(nullptr), 0);
    EXPECT_EQ(host.CallsOf("SetForegroundWindow"),
              (std::vector<std::string>{"SetForegroundWindow 0x321"}));
    EXPECT_TRUE(host.CallsOf("RegisterClassA").empty());
    EXPECT_TRUE(host.CallsOf("RegOpenKeyA").empty());
    EXPECT_TRUE(host.CallsOf("FreeLibrary").empty());
}

TEST_F(SaverWindowTest, PreviewFillsTheParentWithoutPasswordOrForeground) {
    const WindowHandle parent = FakeWindow(0x77);
    EXPECT_EQ(RunSaverWindow(parent), 0);
    EXPECT_EQ(host.CallsOf("CreateWindowExA"),
              (std::vector<std::string>{"CreateWindowExA 0 \"WindowsScreenSaverClass\" "
                                        "\"Preview\" 0x52000000 0 0 152 112 0x77 0 0 0"}));
    EXPECT_TRUE(host.CallsOf("FindWindowA").empty());
    EXPECT_TRUE(host.CallsOf("RegOpenKeyA").empty());
    EXPECT_TRUE(host.CallsOf("SetForegroundWindow").empty());
    EXPECT_TRUE(host.CallsOf("SetCursor").empty());
    EXPECT_EQ(saverHost.previewMode, 1);
}

TEST_F(SaverWindowTest, FailedRegistrationOrCreationStillUnloadsTheVerifier) {
    for (bool failRegistration : {true, false}) {
        Restart();
        host.SetPasswordSwitch({1, 0, 0, 0});
        host.ProvideVerifier(FakePrompt::Verify);
        if (failRegistration) host.classAtom = 0;
        else host.newWindow = nullptr;
        EXPECT_EQ(RunSaverWindow(nullptr), -1);
        EXPECT_EQ(host.CallsOf("CreateWindowExA").size(), failRegistration ? 0u : 1u);
        EXPECT_EQ(host.CallsOf("FreeLibrary"), (std::vector<std::string>{"FreeLibrary 0x700"}));
        EXPECT_TRUE(host.CallsOf("GetMessageA").empty());
    }
}

TEST_F(SaverWindowTest, RefusedCloseKeepsTheWindowAndMovesTheReference) {
    UseFullScreenWindow();
    host.SetPasswordSwitch({1, 0, 0, 0});
    host.ProvideVerifier(FakePrompt::Verify);
    LoadPasswordVerifier();
    host.ticks = {1000};
    host.cursor = {300, 200};
    EXPECT_EQ(Send(kWmClose), 0);
    EXPECT_EQ(renderCycle.runningFlag.load(), 0);
    EXPECT_EQ(saverHost.savedCursorPos.x, 300);
    EXPECT_EQ(saverHost.savedCursorPos.y, 200);
    EXPECT_TRUE(host.CallsOf("DefWindowProcA 0x10").empty());
    EXPECT_EQ(Send(kWmApp), 0);  // the prompt's answer
    FakePrompt::answer = 1;
    host.ticks = {2000};
    Send(kWmClose);
    EXPECT_EQ(host.CallsOf("DefWindowProcA 0x10").size(), 1u);
    EXPECT_EQ(host.CallsOf("PostQuitMessage").size(), 1u);
}

TEST_F(SaverWindowTest, PrivateMessageWithoutVerifierAnswersOne) {
    UseFullScreenWindow();
    EXPECT_EQ(Send(kWmApp), 1);
}

TEST_F(SaverWindowTest, PressesEndTheFullScreenSaverReleasesAndWheelDoNot) {
    UseFullScreenWindow();
    // WM_KEYUP, WM_CHAR, WM_LBUTTONUP, WM_MOUSEWHEEL
    for (uint32_t message : {0x0101u, 0x0102u, 0x0202u, 0x020Au}) Send(message);
    EXPECT_EQ(ClosePosts(), 0u);
    for (uint32_t message :
         {kWmKeyDown, kWmSysKeyDown, kWmLButtonDown, kWmRButtonDown, kWmMButtonDown})
        Send(message);
    EXPECT_EQ(ClosePosts(), 5u);
    EXPECT_EQ(host.CallsOf("DefWindowProcA").size(), 9u);  // every one also gets the default
}

TEST_F(SaverWindowTest, PointerDriftBeyondFourEndsTheSaver) {
    struct Case {
        int32_t dx, dy;
        bool ends;
    };
    for (const Case& c : {Case{4, 0, false}, Case{0, 4, false}, Case{2, 2, false},
                          Case{3, 1, false}, Case{5, 0, true}, Case{3, 2, true},
                          Case{-3, -2, true}}) {
        Restart();
        UseFullScreenWindow();
        host.cursor = {100, 100};
        Send(kWmCreate);
        host.cursor = {100 + c.dx, 100 + c.dy};
        Send(kWmMouseMove, 0, 0);
        EXPECT_EQ(ClosePosts(), c.ends ? 1u : 0u) << c.dx << "," << c.dy;
        EXPECT_EQ(saverHost.savedCursorPos.x, c.ends ? 100 + c.dx : 100);
    }
}

TEST_F(SaverWindowTest, SmallMovesAddUpAndTheMessageCoordinatesDoNotCount) {
    UseFullScreenWindow();
    host.cursor = {10, 10};
    Send(kWmCreate);
    Send(kWmMouseMove, 0, 0x00FF00FF);  // the message says (255, 255); the pointer is still
    EXPECT_EQ(ClosePosts(), 0u);
    for (int step = 1; step <= 5; ++step) {
        host.cursor = {10 + step, 10};
        Send(kWmMouseMove);
        EXPECT_EQ(ClosePosts(), step == 5 ? 1u : 0u) << step;
    }
}

TEST_F(SaverWindowTest, UnreadablePointerCountsAsNoMove) {
    UseFullScreenWindow();
    host.cursor = {10, 10};
    Send(kWmCreate);
    host.cursorReadable = false;
    Send(kWmMouseMove);
    EXPECT_EQ(ClosePosts(), 0u);
}

TEST(PointerDriftTest, SumOfAbsoluteDifferencesWithoutOverflow) {
    EXPECT_EQ(PointerDrift({0, 0}, {3, -2}), 5u);
    EXPECT_EQ(PointerDrift({-5, 7}, {-1, 7}), 4u);
    EXPECT_EQ(PointerDrift({INT32_MIN, 0}, {INT32_MAX, 0}), 0xFFFFFFFFu);
}

TEST_F(SaverWindowTest, PreviewIgnoresInputAndClosesWithoutPassword) {
    UseFullScreenWindow();
    saverHost.previewMode = 1;
    closeGate.verifyPasswordFn = FakePrompt::Verify;  // would prompt in full screen
    Send(kWmCreate);
    host.cursor = {500, 500};
    for (uint32_t message : {kWmKeyDown, kWmLButtonDown, kWmMouseMove}) Send(message);
    EXPECT_EQ(ClosePosts(), 0u);
    EXPECT_TRUE(host.CallsOf("SetCursor").empty());
    Send(kWmClose);
    EXPECT_EQ(FakePrompt::shown, 0);
    EXPECT_EQ(host.CallsOf("PostQuitMessage").size(), 1u);
}

TEST_F(SaverWindowTest, SetTextIsRefusedInBothModes) {
    UseFullScreenWindow();
    EXPECT_EQ(Send(kWmSettext, 0, 1234), 0);
    saverHost.previewMode = 1;
    EXPECT_EQ(Send(kWmSettext, 0, 1234), 0);
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(SaverWindowTest, SystemCommandsThatLeaveTheSaverAreSwallowedInFullScreen) {
    UseFullScreenWindow();
    for (uintptr_t command : {kScScreenSave, kScNextWindow, kScPrevWindow})
        EXPECT_EQ(Send(kWmSysCommand, command), 0);
    EXPECT_TRUE(host.calls.empty());
    Send(kWmSysCommand, kScScreenSave | 2);  // low bits make it another command
    saverHost.previewMode = 1;
    Send(kWmSysCommand, kScScreenSave);
    EXPECT_EQ(host.CallsOf("DefWindowProcA 0x112").size(), 2u);
}

TEST_F(SaverWindowTest, HelpInPreviewGoesToTheParent) {
    UseFullScreenWindow();
    saverHost.previewMode = 1;
    host.parent = FakeWindow(0x77);
    host.windows.insert(host.parent);
    EXPECT_EQ(Send(kWmHelp, 0, 0x1234), 1);
    EXPECT_EQ(host.CallsOf("PostMessageA"),
              (std::vector<std::string>{"PostMessageA 0x77 0x53 0x77 4660"}));
    host.windows.erase(host.parent);
    host.calls.clear();
    EXPECT_EQ(Send(kWmContextMenu, 0, 5), 1);
    EXPECT_TRUE(host.CallsOf("PostMessageA").empty());
    saverHost.previewMode = 0;
    Send(kWmHelp, 0, 5);
    EXPECT_EQ(host.CallsOf("DefWindowProcA 0x53").size(), 1u);
}

TEST_F(SaverWindowTest, PointerStaysHiddenInFullScreen) {
    UseFullScreenWindow();
    EXPECT_EQ(Send(kWmSetCursor), 1);
    Send(kWmShowWindow, 1);
    Send(kWmShowWindow, 0);
    Send(kWmPaint);
    EXPECT_EQ(host.CallsOf("SetCursor 0").size(), 3u);
}

TEST_F(SaverWindowTest, TimerYieldsWhileRunningAndIsDroppedOnceClosing) {
    UseFullScreenWindow();
    Send(kWmTimer, 1);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"Sleep 0", "DefWindowProcA 0x113"}));
    host.calls.clear();
    closeGate.closeAllowed = 1;
    EXPECT_EQ(Send(kWmTimer, 1), 0);
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(SaverWindowTest, OnceClosingInputAndPaintGoStraightToTheDefault) {
    UseFullScreenWindow();
    closeGate.closeAllowed = 1;
    for (uint32_t message : {kWmKeyDown, kWmMouseMove, kWmPaint, kWmLButtonDown}) Send(message);
    EXPECT_EQ(host.CallsOf("DefWindowProcA").size(), 4u);
    EXPECT_EQ(ClosePosts(), 0u);
    EXPECT_TRUE(host.CallsOf("SetCursor").empty());
    EXPECT_EQ(renderCycle.runningFlag.load(), 1);  // nothing reached SaverHook
}

TEST_F(SaverWindowTest, InputMethodIsDetachedAndGivenBack) {
    static WindowHandle lastWindow;
    static InputContext lastContext;
    struct Ime {
        static InputContext SCINTLE_STDCALL Associate(WindowHandle hwnd, InputContext context) {
            lastWindow = hwnd;
            lastContext = context;
            return reinterpret_cast<InputContext>(uintptr_t{0xC0});
        }
    };
    const ModuleHandle imm = FakeModule(0x600);
    host.loadedModules["IMM32.DLL"] = imm;
    host.entries[{imm, "ImmAssociateContext"}] = reinterpret_cast<FarProc>(&Ime::Associate);
    UseFullScreenWindow();
    Send(kWmCreate);
    EXPECT_EQ(lastWindow, kWindow);
    EXPECT_EQ(lastContext, nullptr);
    Send(kWmDestroy);
    EXPECT_EQ(lastContext, reinterpret_cast<InputContext>(uintptr_t{0xC0}));
    EXPECT_TRUE(host.CallsOf("LoadLibraryA").empty());  // never loaded by the host
}

}  // namespace
}  // namespace scintle
