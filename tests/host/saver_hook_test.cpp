// SaverHook: settings on creation, one render thread per window from the size
// message, the stop on close and destroy, and the background left alone.
#include <gtest/gtest.h>

#include "platform/platform_values.h"
#include "host_fixture.h"
#include "settings/settings_store.h"

namespace scintle {
namespace {

class SaverHookTest : public HostTest {
protected:
    intptr_t Hook(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) {
        return SaverHook(kWindow, message, wParam, lParam);
    }
    static intptr_t Size(uint32_t width, uint32_t height) {
        return static_cast<intptr_t>(height << 16 | width);
    }
};

TEST_F(SaverHookTest, CreateLoadsTheSettingsThenDefaults) {
    registry.SetDword(kSettingsKeyPath, "ColourScheme", 2);
    Hook(kWmCreate);
    EXPECT_EQ(SaverSettings.ColourScheme, 2u);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"DefWindowProcA 0x1"}));
}

TEST_F(SaverHookTest, SizeRecordsTheClientAreaAndStartsOneThread) {
    renderCycle.firstPicture = 0;
    EXPECT_EQ(Hook(kWmSize, 0, Size(1920, 1080)), 0);
    EXPECT_EQ(renderCycle.clientWidth, 1920);
    EXPECT_EQ(renderCycle.clientHeight, 1080);
    EXPECT_EQ(renderCycle.firstPicture, 1);
    ASSERT_EQ(canvas.starts.size(), 1u);
    EXPECT_EQ(canvas.starts[0].stackSize, 0u);
    EXPECT_EQ(canvas.starts[0].argument, static_cast<void*>(kWindow));
    EXPECT_TRUE(host.calls.empty());  // the default handling is not called

    // While that thread runs, another size changes nothing.
    EXPECT_EQ(Hook(kWmSize, 0, Size(800, 600)), 0);
    EXPECT_EQ(canvas.starts.size(), 1u);
    EXPECT_EQ(renderCycle.clientWidth, 1920);
}

TEST_F(SaverHookTest, ZeroSizeIsRecordedWithoutAThread) {
    EXPECT_EQ(Hook(kWmSize, 0, Size(0, 600)), 0);
    EXPECT_EQ(renderCycle.clientHeight, 600);
    EXPECT_EQ(Hook(kWmSize, 0, Size(800, 0)), 0);
    EXPECT_EQ(renderCycle.clientWidth, 800);
    EXPECT_EQ(renderCycle.clientHeight, 0);
    EXPECT_TRUE(canvas.starts.empty());
    EXPECT_EQ(renderThread.active.load(), 0);
}

TEST_F(SaverHookTest, ThreadThatCannotStartLeavesTheWindowAsItIs) {
    canvas.failStart = true;
    Hook(kWmSize, 0, Size(640, 480));
    EXPECT_EQ(renderThread.active.load(), 0);
    canvas.failStart = false;
    Hook(kWmSize, 0, Size(640, 480));
    EXPECT_EQ(canvas.starts.size(), 2u);
}

TEST_F(SaverHookTest, ThreadBodyEndsWhenStoppedAndFreesTheWayForAnother) {
    RecordingCanvas window(8, 6);
    Hook(kWmSize, 0, Size(8, 6));
    ASSERT_EQ(canvas.starts.size(), 1u);
    renderPlatform = &window;
    renderCycle.runningFlag.store(0);
    canvas.starts[0].start(canvas.starts[0].argument);  // runs the body on this thread
    EXPECT_EQ(renderThread.active.load(), 0);
    EXPECT_EQ(window.setPixelCount, 0);
}

TEST_F(SaverHookTest, CloseAndDestroyStopDrawingThenDefault) {
    for (uint32_t message : {kWmClose, kWmDestroy}) {
        renderCycle.runningFlag.store(1);
        Hook(message);
        EXPECT_EQ(renderCycle.runningFlag.load(), 0);
    }
    EXPECT_EQ(host.CallsOf("DefWindowProcA"),
              (std::vector<std::string>{"DefWindowProcA 0x10", "DefWindowProcA 0x2"}));
}

TEST_F(SaverHookTest, BackgroundIsNeverErased) {
    EXPECT_EQ(Hook(kWmEraseBkgnd, 0x1234), 0);
    EXPECT_TRUE(host.calls.empty());
}

}  // namespace
}  // namespace scintle
