// The picture cycle: the first picture's black fill, the completion delay in slices,
// the blanking methods and their choice, the order of random draws per picture,
// stopping during a delay, a picture or a fade, and a picture whose order cannot be had.
#include <algorithm>

#include "allocation_failures.h"
#include "engine_fixture.h"
#include "fractal/escape_kernels.h"
#include "fractal/fractal_family.h"
#include "fractal/kernel_choice.h"
#include "render/lane_painter.h"
#include "render/pixel_shuffler.h"
#include "render/render_pixel.h"

namespace scintle {
namespace {

class PictureCycleTest : public EngineTest {
protected:
    // Runs the cycle until `pictures` pictures are complete.
    void RunPictures(int pictures) {
        picturesToGo = pictures;
        renderCycle.pictureDone = [](void*) {
            if (--picturesToGo == 0) renderCycle.runningFlag.store(0);
        };
        RunRenderCycle(canvas->window());
    }

    // How many numbers the generator moved on from `from` to its present state.
    static int DrawsSince(uint32_t from) {
        for (int n = 0; n < 1000000; ++n) {
            if (from == randomState) return n;
            from = from * kRandMultiplier + kRandIncrement;
        }
        return -1;
    }

    static size_t IndexOf(const std::vector<std::string>& calls, const std::string& prefix) {
        for (size_t i = 0; i < calls.size(); ++i)
            if (calls[i].rfind(prefix, 0) == 0) return i;
        return calls.size();
    }

    static int picturesToGo;
};

int PictureCycleTest::picturesToGo = 0;

TEST_F(PictureCycleTest, FirstPictureIsPrecededByABlackFillAndNoPause) {
    for (uint32_t method : {kScintleFade, kNoFade}) {
        UseCanvas(6, 4);
        SaverSettings.BlankingMethod = method;
        canvas->Clear(0xABCDEF);
        RunPictures(1);
        EXPECT_EQ(canvas->calls.front(), "FillRect 0 0 6 4");
        EXPECT_EQ(canvas->sleepCount, 0);
        EXPECT_EQ(canvas->fillCount, 1);
        EXPECT_EQ(renderCycle.activeBlanking, kFastFade);
        EXPECT_EQ(renderCycle.currentShuffler, nullptr);  // freed when the cycle ended
    }
}

// Nothing drawn into a window before it is on the screen would ever show.
TEST_F(PictureCycleTest, FirstDrawingWaitsUntilTheWindowIsShownOrAStop) {
    for (bool stop : {false, true}) {
        UseCanvas(6, 4);
        renderCycle.windowShown.store(0);
        canvas->onSleep = stop ? [](long n) { if (n == 3) renderCycle.runningFlag.store(0); }
                               : [](long n) { if (n == 3) renderCycle.windowShown.store(1); };
        RunPictures(1);
        const std::vector<std::string> waits(3, "Sleep 1");
        EXPECT_EQ(std::vector<std::string>(canvas->calls.begin(), canvas->calls.begin() + 3), waits);
        EXPECT_EQ(canvas->fillCount, stop ? 0 : 1) << stop;
        EXPECT_EQ(canvas->calls.size(), stop ? 3u : 3u + 1u + 6u * 4u) << stop;
    }
}

TEST_F(PictureCycleTest, CompletionDelayIsWaitedInSlicesBeforeLaterPictures) {
    const struct {
        int32_t delay;
        long slices;
    } cases[] = {{1000, 10}, {0, 0}, {250, 2}, {-296, 0}};  // -296: a wrapped delay
    for (const auto& c : cases) {
        UseCanvas(4, 4);
        SaverSettings.CompletionDelay = c.delay;
        RunPictures(3);
        EXPECT_EQ(canvas->sleepCount, 2 * c.slices) << c.delay;
        for (const std::string& call : canvas->calls)
            if (call.rfind("Sleep", 0) == 0) {
                EXPECT_EQ(call, "Sleep 100");
            }
    }
}

TEST_F(PictureCycleTest, ChoosingABlankingMethod) {
    for (uint32_t mask : {kScintleFade, kFastFade, kNoFade}) {
        SaverSettings.BlankingMethod = mask;
        srand(9);
        ChooseBlankingMethod();
        EXPECT_EQ(renderCycle.activeBlanking, static_cast<int32_t>(mask));
        EXPECT_EQ(randomState, 9u);  // no number drawn
    }
    SaverSettings.BlankingMethod = 8;  // none of the three: the fast fade, no draw
    ChooseBlankingMethod();
    EXPECT_EQ(renderCycle.activeBlanking, kFastFade);
    EXPECT_EQ(randomState, 9u);

    for (uint32_t mask : {3u, 5u, 7u, 0xFu}) {
        SaverSettings.BlankingMethod = mask;
        std::map<int32_t, int> counts;
        for (int i = 0; i < 3000; ++i) {
            ChooseBlankingMethod();
            ++counts[renderCycle.activeBlanking];
        }
        const int enabled = __builtin_popcount(mask & 7);
        EXPECT_EQ(static_cast<int>(counts.size()), enabled) << mask;
        for (const auto& [method, count] : counts) {
            EXPECT_TRUE(mask & static_cast<uint32_t>(method));
            EXPECT_NEAR(count, 3000 / enabled, 150) << mask << " " << method;
        }
    }
}

TEST_F(PictureCycleTest, DrawsComeInTheirOrderAndCount) {
    UseCanvas(6, 4);
    SaverSettings.CurveType = kDragon;            // 8 bailouts and an index, no flip
    SaverSettings.ColourScheme = kMono;           // one scheme: no draw
    SaverSettings.BlankingMethod = kScintleFade;  // one method: no draw
    SaverSettings.ExtraMemory = 1;
    srand(31);
    uint32_t state = randomState;
    StartNextPicture(canvas->window(), canvas->dc());  // first picture: fast fade
    EXPECT_EQ(DrawsSince(state), 9);
    state = randomState;
    PaintPicture(canvas->dc());
    EXPECT_EQ(DrawsSince(state), 2 * 6 * 4);  // two per position
    EXPECT_EQ(renderCycle.pictureComplete, 1);
    state = randomState;
    StartNextPicture(canvas->window(), canvas->dc());  // index, then the scintle fade
    EXPECT_EQ(DrawsSince(state), 1 + 2 * 6 * 4);
    EXPECT_EQ(renderCycle.pictureComplete, 0);
    ASSERT_NE(renderCycle.currentShuffler, nullptr);
    EXPECT_EQ(renderCycle.currentShuffler->done, 0);  // a fresh order for the painting
    FreeShuffler();
}

TEST_F(PictureCycleTest, ScintleFadeBlacksEveryPositionInBlocks) {
    UseCanvas(7, 5);  // odd sizes: the last column and row belong to no block
    SaverSettings.ExtraMemory = 0;
    canvas->Clear(0xFFFFFF);
    BuildShuffler();
    canvas->recordPixels = false;
    ScintleFade(canvas->dc());
    for (int32_t y = 0; y < 5; ++y)
        for (int32_t x = 0; x < 7; ++x)
            EXPECT_EQ(canvas->Pixel(x, y), (x < 6 && y < 4) ? kBlack : 0xFFFFFFu) << x << "," << y;
    EXPECT_EQ(canvas->setPixelCount, 6 * 4);
    FreeShuffler();
}

TEST_F(PictureCycleTest, BlockModeLeavesTheOddColumnBlackFromTheFirstFill) {
    UseCanvas(9, 6);
    SaverSettings.ExtraMemory = 0;
    SaverSettings.BlankingMethod = kNoFade;
    canvas->Clear(0x777777);
    RunPictures(2);
    for (int32_t y = 0; y < 6; ++y) EXPECT_EQ(canvas->Pixel(8, y), kBlack);
}

TEST_F(PictureCycleTest, NoFadeRepaintsEveryPixelOfTheNewPicture) {
    UseCanvas(24, 16);
    SaverSettings.BlankingMethod = kNoFade;
    SaverSettings.ExtraMemory = 0;
    canvas->recordPixels = false;
    RunPictures(2);
    // Render the second picture's view afresh, pixel by pixel, and compare.
    MemoryCanvas fresh(24, 16);
    renderPlatform = &fresh;
    renderCycle.runningFlag.store(1);
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 24; ++x) RenderPixel(fresh.dc(), x, y);
    EXPECT_EQ(canvas->pixels(), fresh.pixels());
}

TEST_F(PictureCycleTest, StopDuringTheDelaySkipsTheBlankingWithinOneSlice) {
    UseCanvas(4, 4);
    SaverSettings.CompletionDelay = 300000;
    canvas->onSleep = [](long count) {
        if (count == 3) renderCycle.runningFlag.store(0);
    };
    RunPictures(5);
    EXPECT_EQ(canvas->sleepCount, 3);
    EXPECT_EQ(canvas->fillCount, 1);  // only the first picture's
    EXPECT_EQ(renderCycle.pictureComplete, 1);
    EXPECT_EQ(canvas->calls.back(), "Sleep 100");
}

TEST_F(PictureCycleTest, StopDuringPaintingAbandonsTheRestOfThePicture) {
    UseCanvas(32, 32);
    SaverSettings.ExtraMemory = 1;
    canvas->onSetPixel = [](long count) {
        if (count == 100) renderCycle.runningFlag.store(0);
    };
    RunPictures(5);
    EXPECT_EQ(canvas->setPixelCount, 100);
    EXPECT_EQ(renderCycle.pictureComplete, 0);
    EXPECT_EQ(renderCycle.currentShuffler, nullptr);
}

PixelShuffler* fadeOrder = nullptr;

TEST_F(PictureCycleTest, StopDuringTheScintleFadeBuildsNoNewOrder) {
    UseCanvas(16, 16);
    SaverSettings.BlankingMethod = kScintleFade;
    SaverSettings.CompletionDelay = 0;
    canvas->recordPixels = false;
    RunPictures(1);
    renderCycle.runningFlag.store(1);
    canvas->setPixelCount = 0;
    canvas->onSetPixel = [](long count) {
        if (count == 1) fadeOrder = renderCycle.currentShuffler;
        if (count == 20) renderCycle.runningFlag.store(0);  // five blocks into the fade
    };
    StartNextPicture(canvas->window(), canvas->dc());
    EXPECT_EQ(canvas->setPixelCount, 20);
    EXPECT_EQ(renderCycle.currentShuffler, fadeOrder);
    EXPECT_EQ(renderCycle.currentShuffler->done, 0);
    PaintPicture(canvas->dc());  // sees the flag before its first position
    EXPECT_EQ(canvas->setPixelCount, 20);
    EXPECT_EQ(renderCycle.pictureComplete, 0);
}

TEST_F(PictureCycleTest, SameSeedPaintsTheSameCycleTwice) {
    auto run = [this] {
        UseCanvas(40, 30);
        SaverSettings.BlankingMethod = kAllBlankingMethods;
        SaverSettings.CompletionDelay = 0;
        canvas->recordPixels = false;
        srand(4242);
        RunPictures(4);
        return std::make_pair(canvas->pixels(), randomState);
    };
    const auto first = run();
    ClearDeck();
    const auto second = run();
    EXPECT_EQ(first, second);
}

// Without its order a picture cannot be painted: the cycle waits a slice between tries
// (a stop is seen within one) and reports no picture; once an order is had, the
// picture is painted and reported once.
TEST_F(PictureCycleTest, APictureWithoutItsOrderWaitsASliceBetweenTriesAndIsNotReported) {
    UseCanvas(64, 1);
    SaverSettings.ExtraMemory = 1;
    SaverSettings.CompletionDelay = 0;
    canvas->onSleep = [](long count) {
        if (count == 5) renderCycle.runningFlag.store(0);
    };
    {
        FailingAllocations noOrder;  // a deck and an order need memory; neither is had
        RunPictures(1);
    }
    EXPECT_EQ(picturesToGo, 1);
    EXPECT_EQ(canvas->sleepCount, 5);
    EXPECT_EQ(canvas->setPixelCount, 0);
    EXPECT_EQ(renderCycle.pictureComplete, 0);

    // An order too wide for its 16-bit x values cannot be had either, memory or not.
    UseCanvas(0x10001, 1);
    SaverSettings.ExtraMemory = 1;
    canvas->recordPixels = false;
    canvas->onSleep = [](long count) {
        if (count == 3) renderCycle.clientWidth = 40;  // the next try gets an order
        if (count == 10) renderCycle.runningFlag.store(0);
    };
    RunPictures(1);
    EXPECT_EQ(picturesToGo, 0);
    EXPECT_EQ(canvas->sleepCount, 3);
    EXPECT_EQ(canvas->setPixelCount, 40);
    EXPECT_EQ(PresetDeck.deckCount, 73);  // one view chosen, for the one picture
}

// An order without positions paints nothing and takes nothing from the order, through
// every kernel; the cycle waits for an order it can paint rather than report a picture.
TEST_F(PictureCycleTest, AnEmptyOrderPaintsNothing) {
    std::vector<KernelKind> kernels = {KernelKind::kScalar};
    for (KernelKind k : {KernelKind::kSse2, KernelKind::kAvx2, KernelKind::kAvx512})
        if (KernelSupported(k)) kernels.push_back(k);
    for (KernelKind kernel : kernels) {
        UseCanvas(8, 6);
        ASSERT_TRUE(SelectKernel(kernel));
        srand(3);
        std::unique_ptr<PixelShuffler> empty(PixelShuffler::Create(0, 0, 1));
        if (kernel != KernelKind::kScalar) {
            EXPECT_EQ(PaintWithLanes(canvas->dc(), empty.get(), kernel), LanePainting::kPainted);
        }
        renderCycle.currentShuffler = empty.release();
        renderCycle.clientWidth = 0;  // no area: no order with positions to be had
        renderCycle.pictureComplete = 0;
        picturesToGo = 1;
        renderCycle.pictureDone = [](void*) { --picturesToGo; };
        PaintPicture(canvas->dc());
        EXPECT_EQ(canvas->setPixelCount, 0) << KernelName(kernel);
        EXPECT_EQ(picturesToGo, 1) << KernelName(kernel);
        EXPECT_EQ(renderCycle.pictureComplete, 0);
        EXPECT_EQ(canvas->calls, std::vector<std::string>{"Sleep 100"});
        EXPECT_EQ(randomState, 3u);
    }
    SelectKernel(KernelKind::kAuto);
}

TEST_F(PictureCycleTest, FastFadeFillsTheRectangleTheWindowReports) {
    UseCanvas(5, 3);
    canvas->Clear(0x00FF00);
    FastFade(canvas->window(), canvas->dc());
    EXPECT_EQ(canvas->calls, (std::vector<std::string>{"FillRect 0 0 5 3"}));
    EXPECT_TRUE(std::all_of(canvas->pixels().begin(), canvas->pixels().end(),
                            [](Colorref c) { return c == kBlack; }));
}

}  // namespace
}  // namespace scintle
