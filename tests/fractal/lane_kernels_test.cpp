// The lane kernels against the one-pixel kernel: whole pictures of every catalogue
// row and of awkward views, in both ExtraMemory modes, must come out pixel for pixel
// the same, with every pixel set once and the same random numbers drawn; and drawing
// must stop while lanes hold pixels that would never finish.
#include <cmath>
#include <limits>

#include "engine_fixture.h"
#include "fractal/family_table.h"
#include "fractal/fractal_preset.h"
#include "fractal/kernel_choice.h"
#include "fractal/preset_catalogue.h"
#include "render/pixel_shuffler.h"

namespace scintle {
namespace {

struct Picture {
    std::vector<Colorref> pixels;
    long setPixelCount;
    uint32_t randomState;
};

class LaneKernelsTest : public EngineTest {
protected:
    void TearDown() override {
        SelectKernel(KernelKind::kAuto);
        EngineTest::TearDown();
    }

    // The lane kernels this processor can run.
    static std::vector<KernelKind> LaneKernels() {
        std::vector<KernelKind> kernels;
        for (KernelKind k : {KernelKind::kSse2, KernelKind::kAvx2, KernelKind::kAvx512})
            if (KernelSupported(k)) kernels.push_back(k);
        return kernels;
    }

    // Paints ActiveView on a fresh canvas of the given size through PaintPicture.
    Picture Paint(KernelKind kernel, int32_t width, int32_t height, uint32_t extraMemory) {
        const ActiveViewRecord view = ActiveView;
        const uint32_t scheme = colourSchemes.activeScheme;
        UseCanvas(width, height);
        ActiveView = view;
        SetActiveScheme(scheme);
        SaverSettings.ExtraMemory = extraMemory;
        canvas->recordPixels = false;
        EXPECT_TRUE(SelectKernel(kernel));
        srand(77);
        BuildShuffler();
        PaintPicture(canvas->dc());
        EXPECT_EQ(renderCycle.pictureComplete, 1);
        return {canvas->pixels(), canvas->setPixelCount, randomState};
    }

    // Every lane kernel paints ActiveView as the one-pixel kernel does.
    void ExpectSamePictures(int32_t width, int32_t height, const std::string& what) {
        for (uint32_t extraMemory : {1u, 0u}) {
            const Picture plain = Paint(KernelKind::kScalar, width, height, extraMemory);
            for (KernelKind kernel : LaneKernels()) {
                const Picture lanes = Paint(kernel, width, height, extraMemory);
                const std::string where = what + " with " + KernelName(kernel) +
                                          ", ExtraMemory " + std::to_string(extraMemory);
                EXPECT_EQ(lanes.pixels, plain.pixels) << where;
                EXPECT_EQ(lanes.setPixelCount, plain.setPixelCount) << where;
                EXPECT_EQ(lanes.randomState, plain.randomState) << where;
            }
        }
    }
};

TEST_F(LaneKernelsTest, EveryCatalogueRowPaintsTheSamePixels) {
    const uint32_t schemes[] = {kFirestorm, 0x0400, 0x0008, kMono, kRainbow, 0x2000};
    int n = 0;
    for (int32_t family : {kMandelbrot, kJulia, kDragon, kPhoenix}) {
        const CatalogueTable table = CatalogueOf(family);
        for (int i = 0; i < table.count; ++i, ++n) {
            const CatalogueRow& r = table.rows[i];
            // Every bailout the deck can draw, and schemes of every palette length.
            ActiveView = {r.xMin,   r.xMax,   r.yMin,          r.yMax, 4.0 + n % 6,
                          r.constA, r.constB, r.iterationCap, family};
            SetActiveScheme(schemes[n % 6]);
            ExpectSamePictures(61, 47, std::string(FamilyName(family)) + " " +
                                           std::to_string(i + 1));
        }
    }
}

TEST_F(LaneKernelsTest, AwkwardViewsPaintTheSamePixels) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        ActiveViewRecord view;
        const char* what;
    } cases[] = {
        {{-1.35, 2.65, -1.5, 1.5, 4, 0, 0, 1, kMandelbrot}, "cap 1"},
        {{-1.35, 2.65, -1.5, 1.5, 4, 0, 0, 2, kMandelbrot}, "cap 2"},
        {{-1.35, 2.65, -1.5, 1.5, 0, 0, 0, 50, kJulia}, "bailout 0: escapes at step 0"},
        {{-1.35, 2.65, -1.5, 1.5, 1e300, 0, 0, 30, kJulia}, "nothing escapes"},
        {{-0.3, 0.3, -0.2, 0.2, 4, 0, 0, 6000, kMandelbrot}, "cap above the colour table"},
        {{2.65, -1.35, 1.5, -1.5, 9, 0, 0, 100, kMandelbrot}, "ranges running downwards"},
        {{0.5, 0.5, -1.0, 1.0, 4, 0.3, 0.02, 100, kJulia}, "an empty range"},
        {{1e200, 1e201, -1e200, 1e200, 4, 0, 0, 20, kMandelbrot}, "overflow to infinity"},
        {{-1, 1, -1, 1, 4, nan, 0, 20, kJulia}, "a NaN constant"},
        {{-1, 1, -1, 1, inf, 0.3, 0.5, 40, kPhoenix}, "an infinite bailout"},
        {{-1.35, 2.65, -1.5, 1.5, 4, 0, 0, 100, 0}, "family 0"},
        {{-1.35, 2.65, -1.5, 1.5, 4, 0, 0, 100, 16}, "family 16"},
        {{-0.4, 1.4, -0.8, 0.8, 4, 1.646009, 0.967049, 256, kDragon}, "Dragon"},
    };
    for (const auto& c : cases) {
        ActiveView = c.view;
        SetActiveScheme(kFirestorm);
        ExpectSamePictures(23, 17, c.what);
    }
}

TEST_F(LaneKernelsTest, TinyAndOddWindowsPaintTheSamePixels) {
    ActiveView = {-1.35, 2.65, -1.5, 1.5, 4, 0, 0, 100, kMandelbrot};
    SetActiveScheme(0x0800);
    const int32_t sizes[][2] = {{1, 1}, {2, 1}, {1, 5}, {2, 2}, {3, 3}, {5, 2}, {64, 1}, {7, 40}};
    for (const auto& s : sizes)
        ExpectSamePictures(s[0], s[1], std::to_string(s[0]) + "x" + std::to_string(s[1]));
}

// Half the window escapes at once, half never does: the kernels must see the cleared
// flag while lanes still hold pixels that would iterate for ever.
TEST_F(LaneKernelsTest, StopEndsLanesHoldingEndlessPixels) {
    for (KernelKind kernel : LaneKernels()) {
        UseCanvas(40, 30);
        // Julia with c = 0: |z0| < 1 stays bounded for ever, |z0| > 2 escapes at step 0.
        ActiveView = {-3, 3, -3, 3, 4, 0, 0, std::numeric_limits<int32_t>::max(), kJulia};
        SaverSettings.ExtraMemory = 1;
        ASSERT_TRUE(SelectKernel(kernel));
        canvas->recordPixels = false;
        canvas->onSetPixel = [](long count) {
            if (count == 50) renderCycle.runningFlag.store(0);
        };
        BuildShuffler();
        renderCycle.pictureComplete = 0;
        PaintPicture(canvas->dc());
        EXPECT_EQ(canvas->setPixelCount, 50) << KernelName(kernel);
        EXPECT_EQ(renderCycle.pictureComplete, 0);
        FreeShuffler();
    }
}

TEST_F(LaneKernelsTest, KernelNamesAndChoice) {
    for (KernelKind kind : {KernelKind::kScalar, KernelKind::kSse2, KernelKind::kAvx2,
                            KernelKind::kAvx512, KernelKind::kAuto}) {
        KernelKind parsed;
        ASSERT_TRUE(ParseKernelName(KernelName(kind), &parsed));
        EXPECT_EQ(parsed, kind);
    }
    KernelKind parsed = KernelKind::kSse2;
    EXPECT_FALSE(ParseKernelName("AVX2", &parsed));
    EXPECT_FALSE(ParseKernelName("", &parsed));
    EXPECT_EQ(parsed, KernelKind::kSse2);

    EXPECT_TRUE(KernelSupported(KernelKind::kScalar));
    EXPECT_TRUE(KernelSupported(KernelKind::kSse2));
    SelectKernel(KernelKind::kAuto);
    const KernelKind chosen = ActiveKernel();
    EXPECT_NE(chosen, KernelKind::kAuto);
    EXPECT_NE(chosen, KernelKind::kScalar);
    EXPECT_TRUE(KernelSupported(chosen));
    // Auto takes the widest one there is.
    if (KernelSupported(KernelKind::kAvx512)) {
        EXPECT_EQ(chosen, KernelKind::kAvx512);
    }
    // A kernel the processor lacks is refused and leaves the choice as it was.
    for (KernelKind kind : {KernelKind::kAvx2, KernelKind::kAvx512}) {
        if (KernelSupported(kind)) continue;
        SelectKernel(KernelKind::kSse2);
        EXPECT_FALSE(SelectKernel(kind));
        EXPECT_EQ(ActiveKernel(), KernelKind::kSse2);
    }
}

}  // namespace
}  // namespace scintle
