// The Windows saver's hand-over to its render thread, through the recording fakes:
// SaverHook starts the thread on the first WM_SIZE (the test runs the body it was
// given on a real thread, as _beginthread would), a WM_SIZE while it runs changes
// nothing, WM_CLOSE stops it, and once its body has returned the way is free for
// another. Under ThreadSanitizer this shows that the window thread and the render
// thread share only runningFlag and the thread's active mark.
#include <thread>

#include "host_fixture.h"
#include "platform/platform_values.h"
#include "settings/settings_store.h"
#include "thread_wait.h"

namespace scintle {
namespace {

class SaverThreadTest : public HostTest {
protected:
    static intptr_t Size(uint32_t width, uint32_t height) {
        return static_cast<intptr_t>(height << 16 | width);
    }

    // What _beginthread was asked for, on a real thread.
    std::thread RunStartedThread(size_t index) {
        const ThreadRecordingCanvas::Start start = canvas.starts.at(index);
        return std::thread([start] { start.start(start.argument); });
    }
};

TEST_F(SaverThreadTest, TheRenderThreadIsHandedTheWindowAndStoppedByItsClose) {
    registry.SetDword(kSettingsKeyPath, "ExtraMemory", 1);
    registry.SetDword(kSettingsKeyPath, "CompletionDelay", 0);
    UseFullScreenWindow();
    Send(kWmCreate);
    Send(kWmSize, 0, Size(8, 6));
    ASSERT_EQ(canvas.starts.size(), 1u);
    std::thread render = RunStartedThread(0);

    // While it draws, the window thread goes on with its messages.
    for (int i = 0; i < 50; ++i) {
        Send(kWmSize, 0, Size(640, 480));  // ignored whole: the thread owns the size
        Send(kWmEraseBkgnd);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(canvas.starts.size(), 1u);
    Send(kWmClose);  // no password: the window goes, and the thread is told to stop
    EXPECT_EQ(renderCycle.runningFlag.load(), 0);
    ASSERT_TRUE(WaitFor([] { return renderThread.active.load() == 0; }));
    render.join();
    EXPECT_EQ(renderCycle.clientWidth, 8);
    EXPECT_EQ(renderCycle.currentShuffler, nullptr);

    // The way is free again: a new size starts a new thread, which sees the stop.
    Send(kWmSize, 0, Size(8, 6));
    ASSERT_EQ(canvas.starts.size(), 2u);
    RunStartedThread(1).join();
    EXPECT_EQ(renderThread.active.load(), 0);
}

}  // namespace
}  // namespace scintle
