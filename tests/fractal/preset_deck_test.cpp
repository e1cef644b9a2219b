// The deck: a pass shows every admitted view once, the fallback when nothing is
// admitted, unlinking at either end, the random mirror or turn, and a refill that
// cannot allocate.
#include <cmath>
#include <set>

#include "allocation_failures.h"
#include "engine_fixture.h"
#include "fractal/family_table.h"
#include "fractal/preset_catalogue.h"

namespace scintle {
namespace {

class PresetDeckTest : public EngineTest {};

// A key that tells catalogue rows apart (flips change signs, so compare magnitudes).
std::string ViewKey(const ActiveViewRecord& v) {
    char key[160];
    std::snprintf(key, sizeof key, "%d %.17g %.17g %.17g %.17g %.17g %d", v.family,
                  std::abs(v.xMin) + std::abs(v.xMax), std::abs(v.yMin) + std::abs(v.yMax),
                  v.constA, v.constB, v.xMax - v.xMin, v.iterationCap);
    return key;
}

TEST_F(PresetDeckTest, APassShowsEveryPresetOnceThenRefills) {
    srand(12345);
    std::set<std::string> seen;
    for (int picture = 0; picture < 74; ++picture) {
        ChooseNextPreset();
        seen.insert(ViewKey(ActiveView));
        EXPECT_EQ(PresetDeck.deckCount, 73 - picture);
    }
    EXPECT_EQ(seen.size(), 74u);
    ChooseNextPreset();  // the 75th picture starts a new pass
    EXPECT_EQ(PresetDeck.deckCount, 73);
}

TEST_F(PresetDeckTest, DrawOrderIsBailoutsThenIndexThenFlip) {
    SaverSettings.CurveType = kJulia;
    srand(99);
    ChooseNextPreset();
    const std::vector<int> r = RandomSequence(99, 41);
    // 39 bailouts, then the index, then the flip.
    const int index = r[39] % 39;
    const CatalogueRow& row = CatalogueOf(kJulia).rows[index];
    EXPECT_EQ(ActiveView.bailout, r[index] % 60 / 10 + 4);
    EXPECT_EQ(ActiveView.constA, row.constA);
    if (r[40] & 1) {
        EXPECT_EQ(ActiveView.xMin, -row.xMax);
        EXPECT_EQ(ActiveView.yMax, -row.yMin);
    } else {
        EXPECT_EQ(ActiveView.xMin, row.xMin);
        EXPECT_EQ(ActiveView.yMax, row.yMax);
    }
    EXPECT_EQ(PresetDeck.deckCount, 38);
}

TEST_F(PresetDeckTest, DragonPassHasEightPicturesAndDrawsNoFlipNumbers) {
    SaverSettings.CurveType = kDragon;
    srand(7);
    ChooseNextPreset();
    // 8 bailouts and one index: the generator has moved exactly 9 times.
    EXPECT_EQ(rand(), RandomSequence(7, 10)[9]);
    for (int i = 0; i < 7; ++i) ChooseNextPreset();
    EXPECT_EQ(PresetDeck.deckCount, 0);
}

TEST_F(PresetDeckTest, NoEnabledFamilyGivesTheFallbackEveryPicture) {
    SaverSettings.CurveType = 16;
    for (int i = 0; i < 3; ++i) {
        ChooseNextPreset();
        EXPECT_EQ(ActiveView.family, kMandelbrot);
        EXPECT_EQ(ActiveView.iterationCap, 100);
        EXPECT_EQ(ActiveView.xMin, -1.35);
        EXPECT_EQ(ActiveView.yMin, -1.5);  // the mirror maps -1.5..1.5 onto itself
        EXPECT_EQ(ActiveView.yMax, 1.5);
        EXPECT_EQ(PresetDeck.deckCount, 0);
    }
}

TEST_F(PresetDeckTest, EveryRowDroppedGivesTheFallbackWithItsOwnCap) {
    SaverSettings.CurveType = kJulia;
    SaverSettings.MaxIterations = 50;
    SaverSettings.ExcludeCurves = 1;
    ChooseNextPreset();
    EXPECT_EQ(ActiveView.family, kMandelbrot);
    EXPECT_EQ(ActiveView.iterationCap, 100);
}

TEST_F(PresetDeckTest, TakingHeadTailMiddleAndOnlyPresetKeepsTheChainSound) {
    for (int i = 0; i < 4; ++i) AppendPreset({0.0 + i, 1.0 + i, 0, 1, 0, 0, 100 + i}, kDragon);
    auto caps = [] {
        std::vector<int32_t> c;
        for (FractalPreset* p = PresetDeck.deckHead; p; p = p->next) {
            if (p->next) {
                EXPECT_EQ(p->next->prev, p);
            }
            c.push_back(p->iterationCap);
        }
        return c;
    };
    TakePreset(0);
    EXPECT_EQ(ActiveView.iterationCap, 100);
    EXPECT_EQ(caps(), (std::vector<int32_t>{101, 102, 103}));
    TakePreset(2);
    EXPECT_EQ(ActiveView.iterationCap, 103);
    EXPECT_EQ(PresetDeck.deckTail->iterationCap, 102);
    EXPECT_EQ(PresetDeck.deckTail->next, nullptr);
    TakePreset(1);
    EXPECT_EQ(caps(), (std::vector<int32_t>{101}));
    EXPECT_EQ(PresetDeck.deckHead->prev, nullptr);
    TakePreset(0);
    EXPECT_EQ(PresetDeck.deckHead, nullptr);
    EXPECT_EQ(PresetDeck.deckTail, nullptr);
    EXPECT_EQ(PresetDeck.deckCount, 0);
}

TEST_F(PresetDeckTest, MirrorAndTurnNegateTheRanges) {
    ActiveViewRecord m = {1.764, 1.781, 0.0, 0.013, 4, 0, 0, 150, kMandelbrot};
    FlipView(&m);
    EXPECT_EQ(m.xMin, 1.764);
    EXPECT_EQ(m.yMin, -0.013);
    EXPECT_EQ(m.yMax, 0.0);
    EXPECT_TRUE(std::signbit(m.yMax));  // a negative zero

    ActiveViewRecord j = {-0.657, -0.0426, 0.63568, 1.09696, 4, 0.29, 0.01, 300, kJulia};
    FlipView(&j);
    EXPECT_EQ(j.xMin, 0.0426);
    EXPECT_EQ(j.xMax, 0.657);
    EXPECT_EQ(j.yMin, -1.09696);
    EXPECT_EQ(j.yMax, -0.63568);
    EXPECT_EQ(j.constA, 0.29);  // the constants stay

    ActiveViewRecord whole = {-1.2, 1.2, -1.5, 1.5, 4, 0, 0, 300, kJulia};
    FlipView(&whole);
    EXPECT_EQ(whole.xMin, -1.2);
    EXPECT_EQ(whole.yMax, 1.5);

    ActiveViewRecord phoenix = {-1.5, 1.5, -1.0, 1.25, 4, 0.3, -1.2, 100, kPhoenix};
    FlipView(&phoenix);
    EXPECT_EQ(phoenix.yMin, -1.0);
}

TEST_F(PresetDeckTest, PresetKeepsItsCapAndBailoutUntilDrawn) {
    SaverSettings.CurveType = kPhoenix;
    srand(3);
    RefillDeck();
    const double bailout = PresetDeck.deckTail->bailout;
    SaverSettings.MaxIterations = 10;  // settings read at the refill, not at the draw
    TakePreset(3);
    EXPECT_EQ(ActiveView.iterationCap, 200);
    EXPECT_EQ(ActiveView.bailout, bailout);
}

// Without memory each view of the refill beeps, the saver's one signal, a quarter of a
// second each; once the cycle's stop request is seen the refill gives up at once.
TEST_F(PresetDeckTest, ARefillWithoutMemoryBeepsPerViewUntilTheStopIsSeen) {
    {
        FailingAllocations noMemory;
        ChooseNextPreset();  // no cycle watching: every view and the fallback beep
        EXPECT_EQ(FailingAllocations::Refused(), 75);
    }
    EXPECT_EQ(canvas->beepCount, 75);
    EXPECT_EQ(canvas->calls.back(), "Beep 250 250");
    EXPECT_EQ(PresetDeck.deckCount, 0);
    EXPECT_EQ(ActiveView.xMin, kStartView.xMin);  // the previous view stays

    canvas->beepCount = 0;
    PresetDeck.runningFlag = &renderCycle.runningFlag;
    canvas->onBeep = [](long count) {
        if (count == 3) renderCycle.runningFlag.store(0);  // a key pressed during a beep
    };
    {
        FailingAllocations noMemory;
        ChooseNextPreset();
        // The three that beeped and the one that saw the stop; nothing after it.
        EXPECT_EQ(FailingAllocations::Refused(), 4);
    }
    EXPECT_EQ(canvas->beepCount, 3);
    EXPECT_EQ(PresetDeck.deckCount, 0);

    // A stop seen while memory is there changes nothing: the refill is whole.
    renderCycle.runningFlag.store(0);
    ChooseNextPreset();
    EXPECT_EQ(PresetDeck.deckCount, 73);
    EXPECT_EQ(canvas->beepCount, 3);
}

// The cycle hands the deck its stop request: a cycle stopped while the refill fails
// returns after the beep that was sounding, not after the whole catalogue's.
TEST_F(PresetDeckTest, TheCycleStopsARefillWithoutMemory) {
    canvas->onBeep = [](long count) {
        if (count == 2) renderCycle.runningFlag.store(0);
    };
    {
        FailingAllocations noMemory;
        RunRenderCycle(canvas->window());
    }
    EXPECT_EQ(canvas->beepCount, 2);
    EXPECT_EQ(canvas->setPixelCount, 0);
}

}  // namespace
}  // namespace scintle
