// The catalogue and its admission rule: counts per family, the user's iteration
// bounds, and the random bailout that each constructed preset draws.
#include <cstdlib>

#include "engine_fixture.h"
#include "fractal/family_table.h"
#include "fractal/preset_catalogue.h"

namespace scintle {
namespace {

class CatalogueTest : public EngineTest {
protected:
    // Runs a refill and returns how many presets of each family reached the deck.
    std::map<int32_t, int> RefillCounts() {
        ClearDeck();
        RefillDeck();
        std::map<int32_t, int> counts;
        for (FractalPreset* p = PresetDeck.deckHead; p; p = p->next) ++counts[p->family];
        return counts;
    }

    std::vector<int32_t> Caps(int32_t family) {
        std::vector<int32_t> caps;
        for (FractalPreset* p = PresetDeck.deckHead; p; p = p->next)
            if (p->family == family) caps.push_back(p->iterationCap);
        return caps;
    }
};

TEST_F(CatalogueTest, TablesHoldTheirRowsAndReadBackExactly) {
    EXPECT_EQ(CatalogueOf(kMandelbrot).count, 23);
    EXPECT_EQ(CatalogueOf(kJulia).count, 39);
    EXPECT_EQ(CatalogueOf(kDragon).count, 8);
    EXPECT_EQ(CatalogueOf(kPhoenix).count, 4);
    EXPECT_EQ(CatalogueOf(3).count, 0);

    const CatalogueRow& m15 = CatalogueOf(kMandelbrot).rows[14];
    EXPECT_EQ(m15.xMin, std::strtod("0.7454215", nullptr));
    EXPECT_EQ(m15.yMax, std::strtod("0.1130139", nullptr));
    EXPECT_EQ(m15.iterationCap, 500);
    const CatalogueRow& m17 = CatalogueOf(kMandelbrot).rows[16];
    EXPECT_GT(m17.xMin, m17.xMax);  // drawn mirrored
    const CatalogueRow& j19 = CatalogueOf(kJulia).rows[18];
    EXPECT_EQ(j19.constB, std::strtod("0.3828126192", nullptr));
    const CatalogueRow& j22 = CatalogueOf(kJulia).rows[21];
    EXPECT_EQ(j22.xMax, std::strtod("0.0136852395", nullptr));
    EXPECT_EQ(j22.constB, std::strtod("0.0078126952", nullptr));
    const CatalogueRow& d8 = CatalogueOf(kDragon).rows[7];
    EXPECT_EQ(d8.constA, 1.646009);
    EXPECT_EQ(d8.iterationCap, 256);
    const CatalogueRow& p4 = CatalogueOf(kPhoenix).rows[3];
    EXPECT_EQ(p4.constB, -1.255014);
    EXPECT_EQ(p4.iterationCap, 200);

    for (int32_t family : {kMandelbrot, kJulia, kDragon, kPhoenix}) {
        const CatalogueTable t = CatalogueOf(family);
        for (int i = 0; i < t.count; ++i) {
            EXPECT_GE(t.rows[i].iterationCap, 50);
            EXPECT_LE(t.rows[i].iterationCap, 900);
            if (family == kMandelbrot) {
                EXPECT_EQ(t.rows[i].constA, 0.0);
                EXPECT_EQ(t.rows[i].constB, 0.0);
            }
        }
    }
}

TEST_F(CatalogueTest, DefaultSettingsAdmitAll74WithTheirOwnCaps) {
    const auto counts = RefillCounts();
    EXPECT_EQ(PresetDeck.deckCount, 74);
    EXPECT_EQ(counts.at(kMandelbrot), 23);
    EXPECT_EQ(counts.at(kJulia), 39);
    EXPECT_EQ(counts.at(kDragon), 8);
    EXPECT_EQ(counts.at(kPhoenix), 4);
    EXPECT_EQ(Caps(kDragon), (std::vector<int32_t>{64, 64, 64, 64, 64, 128, 64, 256}));
}

TEST_F(CatalogueTest, MaximumWithExcludeDropsRowsAboveIt) {
    SaverSettings.MaxIterations = 100;
    SaverSettings.ExcludeCurves = 1;
    const auto counts = RefillCounts();
    EXPECT_EQ(counts.at(kMandelbrot), 6);
    EXPECT_EQ(counts.at(kJulia), 2);
    EXPECT_EQ(counts.at(kDragon), 6);
    EXPECT_EQ(counts.at(kPhoenix), 3);
    SaverSettings.ExcludeCurves = 7;  // any nonzero value excludes
    EXPECT_EQ(RefillCounts().at(kJulia), 2);
}

TEST_F(CatalogueTest, MaximumWithoutExcludeLowersCaps) {
    SaverSettings.MaxIterations = 100;
    RefillCounts();
    EXPECT_EQ(PresetDeck.deckCount, 74);
    for (FractalPreset* p = PresetDeck.deckHead; p; p = p->next) EXPECT_LE(p->iterationCap, 100);
    EXPECT_EQ(Caps(kPhoenix), (std::vector<int32_t>{100, 100, 100, 100}));
}

TEST_F(CatalogueTest, MinimumRaisesEverythingButDragon) {
    SaverSettings.MinIterations = 500;
    RefillCounts();
    for (int32_t family : {kMandelbrot, kJulia, kPhoenix})
        for (int32_t cap : Caps(family)) EXPECT_GE(cap, 500);
    EXPECT_EQ(Caps(kMandelbrot)[12], 900);  // above the minimum: unchanged
    EXPECT_EQ(Caps(kDragon), (std::vector<int32_t>{64, 64, 64, 64, 64, 128, 64, 256}));
}

TEST_F(CatalogueTest, MaximumAppliesBeforeMinimum) {
    SaverSettings.MinIterations = 500;
    SaverSettings.MaxIterations = 200;
    RefillCounts();
    for (int32_t family : {kMandelbrot, kJulia, kPhoenix})
        for (int32_t cap : Caps(family)) EXPECT_EQ(cap, 500);
    EXPECT_EQ(Caps(kDragon), (std::vector<int32_t>{64, 64, 64, 64, 64, 128, 64, 200}));
}

TEST_F(CatalogueTest, EachConstructedPresetDrawsOneBailoutInDeckOrder) {
    srand(77);
    RefillCounts();
    const std::vector<int> numbers = RandomSequence(77, 74);
    int i = 0;
    for (FractalPreset* p = PresetDeck.deckHead; p; p = p->next, ++i) {
        EXPECT_EQ(p->bailout, numbers[i] % 60 / 10 + 4) << "preset " << i;
        EXPECT_GE(p->bailout, 4.0);
        EXPECT_LE(p->bailout, 9.0);
    }
}

TEST_F(CatalogueTest, DroppedRowDrawsNoNumber) {
    SaverSettings.CurveType = kPhoenix;
    SaverSettings.MaxIterations = 150;
    SaverSettings.ExcludeCurves = 1;  // Phoenix row 4 (cap 200) is dropped
    srand(5);
    RefillCounts();
    ASSERT_EQ(PresetDeck.deckCount, 3);
    const std::vector<int> numbers = RandomSequence(5, 4);
    EXPECT_EQ(PresetDeck.deckTail->bailout, numbers[2] % 60 / 10 + 4);
    EXPECT_EQ(rand(), numbers[3]);  // three numbers drawn, not four
}

TEST_F(CatalogueTest, BailoutFollowsTheRangeOfTheGenerator) {
    EXPECT_EQ(BailoutFromRandom(0), 4.0);
    EXPECT_EQ(BailoutFromRandom(9), 4.0);
    EXPECT_EQ(BailoutFromRandom(10), 5.0);
    EXPECT_EQ(BailoutFromRandom(59), 9.0);
    EXPECT_EQ(BailoutFromRandom(32767), 32767 % 60 / 10 + 4.0);
}

}  // namespace
}  // namespace scintle
