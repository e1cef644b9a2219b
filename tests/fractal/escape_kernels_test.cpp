// The kernels against orbits worked out by hand: the strict escape test on the
// iterate before each update, the interior's last modulus and its colour index, the
// axis mapping of each family, Dragon's black escapes, and stopping.
#include <climits>
#include <cmath>
#include <limits>

#include "engine_fixture.h"
#include "fractal/escape_kernels.h"
#include "fractal/family_table.h"
#include "fractal/fractal_preset.h"
#include "render/colour_schemes.h"
#include "render/render_pixel.h"

namespace scintle {
namespace {

class EscapeKernelsTest : public EngineTest {
protected:
    // A 10 x 10 window whose pixel (0, 0) maps to (re, im) for the non-Phoenix families.
    void View(int32_t family, double re, double im, double constA = 0, double constB = 0,
              int32_t cap = 100, double bailout = 4) {
        UseCanvas(10, 10);
        ActiveView = {re, re + 1, im, im + 1, bailout, constA, constB, cap, family};
    }
};

TEST_F(EscapeKernelsTest, MandelbrotOrbitsFromTheEdgeCases) {
    View(kMandelbrot, 1, 1);  // c = 1 + i: |z|^2 = 0, 2, 2, 10: escapes at step 3
    for (double bailout : {4.0, 5.0, 9.0}) {
        ActiveView.bailout = bailout;
        const PixelOutcome o = FamilyOutcome(kMandelbrot, CycleFrame(), 0, 0);
        EXPECT_EQ(o.kind, PixelOutcome::kEscaped);
        EXPECT_EQ(o.escapeStep, 3);
    }
    View(kMandelbrot, 2, 0);  // c = 2: 0, -2, 2, 2, ... never exceeds 4
    PixelOutcome o = FamilyOutcome(kMandelbrot, CycleFrame(), 0, 0);
    EXPECT_EQ(o.kind, PixelOutcome::kInterior);
    EXPECT_EQ(o.squaredModulus, 4.0);
    EXPECT_EQ(OutcomeIndex(o), 4 * 7);
    View(kMandelbrot, 0, 0);  // c = 0 stays at 0
    o = FamilyOutcome(kMandelbrot, CycleFrame(), 0, 0);
    EXPECT_EQ(o.kind, PixelOutcome::kInterior);
    EXPECT_EQ(OutcomeIndex(o), 0);
}

TEST_F(EscapeKernelsTest, PixelMapsThroughTheViewInDouble) {
    UseCanvas(3, 7);
    ActiveView = {0.1, 0.4, -0.2, 0.5, 4, 0, 0, 0, kJulia};
    // The map is tested through Julia with cap 1: its first test is on z0 itself.
    ActiveView.iterationCap = 1;
    ActiveView.bailout = 0.0;
    // re = (0.4 - 0.1) / 3 * 2 + 0.1, im = (0.5 - -0.2) / 7 * 5 + -0.2, in this order
    const double re = (0.4 - 0.1) / 3 * 2 + 0.1, im = (0.5 - -0.2) / 7 * 5 + -0.2;
    ActiveView.bailout = re * re + im * im;  // exactly on the boundary: not escaped
    EXPECT_EQ(FamilyOutcome(kJulia, CycleFrame(), 2, 5).kind, PixelOutcome::kInterior);
    ActiveView.bailout = std::nextafter(re * re + im * im, 0.0);
    EXPECT_EQ(FamilyOutcome(kJulia, CycleFrame(), 2, 5).kind, PixelOutcome::kEscaped);
}

TEST_F(EscapeKernelsTest, JuliaStartingOutsideEscapesAtStepZero) {
    View(kJulia, 3, 0, 0.28, 0.0078, 250, 5);
    const PixelOutcome o = FamilyOutcome(kJulia, CycleFrame(), 0, 0);
    EXPECT_EQ(o.kind, PixelOutcome::kEscaped);
    EXPECT_EQ(o.escapeStep, 0);
    RenderPixel(canvas->dc(), 0, 0);
    EXPECT_EQ(canvas->Pixel(0, 0), ColourLookup(0));
}

TEST_F(EscapeKernelsTest, PhoenixSwapsAxesAndCarriesThePreviousIterate) {
    // Pixel (0, 10) of a 10 x 10 window maps to re = yMin, im = xMin.
    UseCanvas(10, 10);
    ActiveView = {0.2, 1.2, 0.1, 1.1, 4, 0.56667, -0.5, 2, kPhoenix};
    // After two steps the last tested iterate is z1 = 0.53667 + 0.04i.
    PixelOutcome o = FamilyOutcome(kPhoenix, CycleFrame(), 0, 10);
    EXPECT_EQ(o.kind, PixelOutcome::kInterior);
    const double x0 = 0.1, y0 = 0.2;
    const double x1 = ((0.0 * -0.5 - y0 * y0) + x0 * x0) + 0.56667, y1 = (y0 * x0) * 2;
    EXPECT_NEAR(x1, 0.53667, 1e-15);
    EXPECT_NEAR(y1, 0.04, 1e-15);
    EXPECT_EQ(o.squaredModulus, x1 * x1 + y1 * y1);
    EXPECT_EQ(OutcomeIndex(o), static_cast<int32_t>((x1 * x1 + y1 * y1) * 7));
    // With cap 3 the last tested iterate is z2 = 0.8030846889 - 0.0570664i.
    ActiveView.iterationCap = 3;
    o = FamilyOutcome(kPhoenix, CycleFrame(), 0, 10);
    const double z2 = 0.8030846889 * 0.8030846889 + 0.0570664 * 0.0570664;
    EXPECT_NEAR(o.squaredModulus, z2, 1e-9);
    // Row 0 is the top: re = yMax.
    ActiveView = {0.0, 1.0, -5.0, 0.5, 4, 0, 0, 1, kPhoenix};
    o = FamilyOutcome(kPhoenix, CycleFrame(), 0, 0);  // z0 = 0.5 + 0i: |z|^2 = 0.25
    EXPECT_EQ(o.squaredModulus, 0.25);
}

TEST_F(EscapeKernelsTest, DragonIteratesLambdaZOneMinusZ) {
    // lambda = 3, z0 = 0.5: iterates 0.5, 0.75, 0.5625.
    View(kDragon, 0.5, 0, 3, 0, 3, 4);
    const PixelOutcome o = FamilyOutcome(kDragon, CycleFrame(), 0, 0);  // the last tested iterate: z2 = 0.5625
    EXPECT_EQ(o.kind, PixelOutcome::kInterior);
    EXPECT_EQ(o.squaredModulus, 0.5625 * 0.5625);
}

TEST_F(EscapeKernelsTest, DragonEscapesAreBlackUnderEveryScheme) {
    View(kDragon, 5, 0, 3, 0, 64, 4);
    for (uint32_t scheme : {kRainbow, kMono, kBold1, kFirestorm}) {
        SetActiveScheme(scheme);
        canvas->Clear(0x123456);
        RenderPixel(canvas->dc(), 0, 0);
        EXPECT_EQ(canvas->Pixel(0, 0), kBlack);
    }
    // The same escape under Julia is coloured.
    ActiveView.family = kJulia;
    SetActiveScheme(kMono);
    RenderPixel(canvas->dc(), 0, 0);
    EXPECT_EQ(canvas->Pixel(0, 0), MonoColour(0));
}

TEST_F(EscapeKernelsTest, InteriorIndexTruncates) {
    // z0 = 0.5 + 0.5i under Julia with c = 0 and cap 1: |z0|^2 = 0.5; 0.5 * 7 = 3.5 -> 3.
    View(kJulia, 0.5, 0.5, 0, 0, 1, 4);
    EXPECT_EQ(OutcomeIndex(FamilyOutcome(kJulia, CycleFrame(), 0, 0)), 3);
}

// A last modulus too large for a 32-bit index (only scintle-render's --bailout lets a
// point keep one) gives INT32_MIN, the value the processor's conversion gave before:
// the same pixels, without a conversion that is undefined.
TEST_F(EscapeKernelsTest, InteriorIndexBeyondThirtyTwoBitsIsTheLowest) {
    SetActiveScheme(kRainbow);  // a palette of 7
    EXPECT_EQ(InteriorIndex(306783378.0), 2147483646);
    for (double modulus : {306783379.0, 3.7e95, 1e300, std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(InteriorIndex(modulus), INT32_MIN) << modulus;
}

TEST_F(EscapeKernelsTest, CapZeroOrLessPaintsIndexZeroWithoutTestingTheFlag) {
    for (int32_t family : {kMandelbrot, kJulia, kDragon, kPhoenix}) {
        View(family, 5, 5, 1, 1, 0, 4);
        renderCycle.runningFlag.store(0);
        canvas->Clear(0x123456);
        RenderPixel(canvas->dc(), 3, 3);
        EXPECT_EQ(canvas->Pixel(3, 3), ColourLookup(0)) << family;
        ActiveView.iterationCap = -5;
        canvas->Clear(0x123456);
        RenderPixel(canvas->dc(), 3, 3);
        EXPECT_EQ(canvas->Pixel(3, 3), ColourLookup(0)) << family;
    }
}

TEST_F(EscapeKernelsTest, ClearedFlagLeavesThePixelUnpainted) {
    for (int32_t family : {kMandelbrot, kJulia, kDragon, kPhoenix}) {
        View(family, 0, 0, 0.1, 0.1, 500, 4);
        renderCycle.runningFlag.store(0);
        RenderPixel(canvas->dc(), 1, 1);
        EXPECT_EQ(canvas->setPixelCount, 0) << family;
    }
}

TEST_F(EscapeKernelsTest, UnknownFamiliesDrawWithTheMandelbrotKernel) {
    for (int32_t family : {0, 3, 16}) {
        View(family, 1, 1);  // Mandelbrot escapes at step 3 here, the other kernels do not
        RenderPixel(canvas->dc(), 0, 0);
        EXPECT_EQ(canvas->Pixel(0, 0), ColourLookup(3)) << family;
    }
}

TEST_F(EscapeKernelsTest, WholeSetViewHasItsBodyOnThePositiveSide) {
    // z^2 - c: c = 0.25 (the cardioid's centre turned round) is inside, c = -0.5 escapes.
    UseCanvas(400, 300);
    ActiveView = {-1.35, 2.65, -1.5, 1.5, 4, 0, 0, 100, kMandelbrot};
    EXPECT_EQ(FamilyOutcome(kMandelbrot, CycleFrame(), 160, 150).kind, PixelOutcome::kInterior);  // c = 0.25
    EXPECT_EQ(FamilyOutcome(kMandelbrot, CycleFrame(), 85, 150).kind, PixelOutcome::kEscaped);    // c = -0.5
    EXPECT_EQ(FamilyOutcome(kMandelbrot, CycleFrame(), 235, 150).kind, PixelOutcome::kInterior);  // c = 1.0
}

}  // namespace
}  // namespace scintle
