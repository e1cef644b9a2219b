// The render thread on a thread of its own, as the savers run it: started, stopped in
// the middle of its work and started again through the memory canvas, the generator
// carried from one thread to the next; and the X11 saver's image canvas, whose window
// thread takes the changed rows and the bell while the render thread draws, and which
// is remade at a new size between two threads. Under ThreadSanitizer (the thread
// build) these show that the threads share nothing but what they hand over.
#include <atomic>
#include <thread>
#include <vector>

#include "engine_fixture.h"
#include "platform/x11/image_canvas.h"
#include "platform/x11/x11_kernel.h"
#include "render/render_pixel.h"
#include "render/render_thread.h"
#include "thread_wait.h"

namespace scintle {
namespace {

std::atomic<int> picturesDone{0};
std::atomic<int> stopAfter{0};  // the render thread stops itself after this many, if set

class RenderThreadTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        picturesDone.store(0);
        stopAfter.store(0);
        SaverSettings.CompletionDelay = 0;
        SaverSettings.BlankingMethod = kAllBlankingMethods;
        UseRealThreads();
    }

    // After the engine's reset (UseCanvas): threads of their own, a fixed seed.
    void UseRealThreads() {
        kernelPlatform = &kernel;
        SeedRenderThread(2024);
    }

    // A render thread as the savers start it (render/render_thread.h): a fresh picture
    // at the client size, the generator where the last thread left it.
    void Start(WindowHandle window) {
        renderCycle.pictureDone = [](void*) {
            const int done = picturesDone.fetch_add(1) + 1;
            if (done == stopAfter.load()) StopRenderThread();
        };
        ASSERT_TRUE(StartRenderThread(window));
    }

    // As the X11 saver stops it for a resize: wherever it is, then waits for it.
    void Stop() {
        StopRenderThread();
        WaitForRenderThread();
    }

    // The finished picture on `painted`, the view's pixels by the one-pixel kernel.
    static void ExpectTheViewsPicture(const std::vector<Colorref>& painted, int32_t width,
                                      int32_t height) {
        MemoryCanvas fresh(width, height);
        renderPlatform = &fresh;
        renderCycle.runningFlag.store(1);
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x) RenderPixel(fresh.dc(), x, y);
        EXPECT_EQ(fresh.pixels(), painted);
    }

    X11Kernel kernel;
    ImageCanvas image;  // the X11 saver's, for the test that sends it
};

TEST_F(RenderThreadTest, StartedStoppedAndRestartedThroughTheMemoryCanvas) {
    UseCanvas(48, 36);
    UseRealThreads();
    canvas->recordPixels = false;
    SaverSettings.ExtraMemory = 1;
    for (int run = 0; run < 12; ++run) {
        const int before = picturesDone.load();
        Start(canvas->window());
        ASSERT_TRUE(WaitFor([&] { return picturesDone.load() >= before + 2; })) << run;
        Stop();  // wherever it is: painting, fading or choosing
        EXPECT_EQ(renderCycle.currentShuffler, nullptr) << run;
    }
    // A last thread stops itself right after a whole picture: the canvas shows it.
    stopAfter.store(picturesDone.load() + 3);
    Start(canvas->window());
    WaitForRenderThread();
    ExpectTheViewsPicture(canvas->pixels(), 48, 36);
}

TEST_F(RenderThreadTest, TheWindowThreadSendsTheImageWhileItIsDrawnAndRemakesItBetweenThreads) {
    renderPlatform = &image;
    SaverSettings.ExtraMemory = 1;
    struct Size {
        int32_t width, height;
    };
    for (const Size size : {Size{40, 30}, Size{64, 20}, Size{17, 45}}) {
        // Remade while no render thread runs, as the X11 saver does on a resize.
        std::vector<uint32_t> pixels(static_cast<size_t>(size.width) * size.height);
        image.Attach(reinterpret_cast<uint8_t*>(pixels.data()), size.width, size.height,
                     size.width * 4, PixelFormat{});
        renderCycle.clientWidth = size.width;
        renderCycle.clientHeight = size.height;
        const int target = picturesDone.load() + 2;
        stopAfter.store(target);
        Start(image.window());
        long rowsSent = 0;
        while (picturesDone.load() < target) {
            image.TakeChangedRows([&](int32_t first, int32_t end) { rowsSent += end - first; });
            kernel.TakeBellRequest();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        WaitForRenderThread();
        image.TakeChangedRows([&](int32_t first, int32_t end) { rowsSent += end - first; });
        EXPECT_GE(rowsSent, size.height);  // every band went out at least once

        std::vector<Colorref> painted;
        for (uint32_t pixel : pixels)  // 0xRRGGBB back to 0x00BBGGRR
            painted.push_back((pixel >> 16 & 0xFF) | (pixel & 0xFF00) | (pixel & 0xFF) << 16);
        ExpectTheViewsPicture(painted, size.width, size.height);
        renderPlatform = &image;
    }
}

}  // namespace
}  // namespace scintle
