// The colour schemes: choosing among enabled schemes, and the colours of the
// telling indices of each function, including the wraps of the 8-bit ramps.
#include <map>

#include "engine_fixture.h"
#include "render/colour_schemes.h"

namespace scintle {
namespace {

class ColourSchemesTest : public EngineTest {};

TEST_F(ColourSchemesTest, SingleBitAndEmptyMasksDrawNoNumber) {
    const std::map<uint32_t, std::pair<uint32_t, int32_t>> expected = {
        {0, {kRainbow, 7}},      {1, {kRainbow, 7}},        {2, {kMono, 2}},
        {0x10, {0x10, 14}},      {0x400, {0x400, 253}},     {0x2000, {0x2000, 253}},
        {0x4000, {kRainbow, 7}}, {0xC000, {kRainbow, 7}}};  // no scheme bit: Rainbow
    for (const auto& [mask, scheme] : expected) {
        SaverSettings.ColourScheme = mask;
        srand(1);
        ChooseColourScheme();
        EXPECT_EQ(colourSchemes.activeScheme, scheme.first) << mask;
        EXPECT_EQ(colourSchemes.paletteLength, scheme.second) << mask;
        EXPECT_EQ(randomState, 1u) << mask;
    }
}

TEST_F(ColourSchemesTest, SeveralBitsDrawUntilAnEnabledOne) {
    SaverSettings.ColourScheme = 0x0300 | 0x8000;  // Firestorm, Valentine, and a bit no draw reaches
    srand(42);
    std::map<uint32_t, int> counts;
    for (int i = 0; i < 2000; ++i) {
        ChooseColourScheme();
        ++counts[colourSchemes.activeScheme];
    }
    EXPECT_EQ(counts.size(), 2u);
    EXPECT_GT(counts[0x100], 800);
    EXPECT_GT(counts[0x200], 800);

    // The first enabled bit drawn wins: replay the generator by hand.
    srand(42);
    const std::vector<int> r = RandomSequence(42, 40);
    uint32_t bit = 0;
    for (int v : r) {
        bit = 1u << (v % 14);
        if (bit & 0x0300) break;
    }
    ChooseColourScheme();
    EXPECT_EQ(colourSchemes.activeScheme, bit);
}

TEST_F(ColourSchemesTest, AllFourteenComeUpEvenly) {
    SaverSettings.ColourScheme = 0x3FFF;
    std::map<uint32_t, int> counts;
    for (int i = 0; i < 14000; ++i) {
        ChooseColourScheme();
        ++counts[colourSchemes.activeScheme];
    }
    EXPECT_EQ(counts.size(), 14u);
    for (const auto& [scheme, count] : counts) EXPECT_NEAR(count, 1000, 150) << scheme;
}

TEST_F(ColourSchemesTest, RainbowAndMonoTables) {
    SetActiveScheme(kRainbow);
    EXPECT_EQ(ColourLookup(0), 0x0000FFu);
    EXPECT_EQ(ColourLookup(1), 0x0080FFu);
    EXPECT_EQ(ColourLookup(5), 0xC44080u);
    EXPECT_EQ(ColourLookup(6), 0xFF00FFu);
    EXPECT_EQ(ColourLookup(7), ColourLookup(0));
    EXPECT_EQ(ColourLookup(-3), kBlack);
    SetActiveScheme(kMono);
    EXPECT_EQ(ColourLookup(0), 0xFFFFFFu);
    EXPECT_EQ(ColourLookup(1), kBlack);
    EXPECT_EQ(ColourLookup(1000), 0xFFFFFFu);
    EXPECT_EQ(ColourLookup(2 * 253 * 9 + 1), kBlack);
}

TEST_F(ColourSchemesTest, BoldSchemesAssignTheLevelsToTheirChannels) {
    SetActiveScheme(0x0004);  // Bold 1: red C, green B, blue A
    EXPECT_EQ(ColourLookup(0), 0x540000u);
    EXPECT_EQ(ColourLookup(14), ColourLookup(0));
    EXPECT_EQ(ColourLookup(6), Rgb(252, 252, 168));
    SetActiveScheme(0x0040);  // Bold 5: A B C
    EXPECT_EQ(ColourLookup(0), 0x000054u);
    EXPECT_EQ(ColourLookup(13), Rgb(84, 252, 252));
    SetActiveScheme(0x0008);  // Bold 2: C A B
    EXPECT_EQ(ColourLookup(3), 0x54FC00u);
    SetActiveScheme(0x0010);  // Bold 3: B C A
    EXPECT_EQ(ColourLookup(4), Rgb(168, 0, 252));
    SetActiveScheme(0x0020);  // Bold 4: B A C
    EXPECT_EQ(ColourLookup(8), Rgb(168, 0, 252));
    SetActiveScheme(0x0080);  // Bold 6: A C B
    EXPECT_EQ(ColourLookup(9), Rgb(0, 252, 84));
    EXPECT_EQ(ColourLookup(-1), kBlack);
}

TEST_F(ColourSchemesTest, FirestormRampsAtTheirTellingRows) {
    SetActiveScheme(kFirestorm);
    const std::map<int, Colorref> rows = {
        {0, Rgb(60, 60, 60)},     {1, Rgb(66, 58, 58)},     {30, Rgb(240, 0, 0)},
        {31, Rgb(252, 0, 0)},     {32, Rgb(252, 7, 0)},     {62, Rgb(252, 236, 0)},
        {63, Rgb(252, 252, 0)},   {64, Rgb(252, 252, 0)},   {65, Rgb(252, 252, 7)},
        {96, Rgb(252, 252, 240)}, {97, Rgb(252, 248, 252)}, {98, Rgb(252, 246, 248)},
        {159, Rgb(252, 124, 4)},  {160, Rgb(252, 122, 0)},  {192, Rgb(252, 58, 0)},
        {193, Rgb(244, 56, 0)},   {221, Rgb(160, 0, 0)},    {222, Rgb(157, 254, 0)},
        {225, Rgb(148, 248, 0)},  {226, Rgb(145, 246, 0)},  {227, Rgb(142, 244, 2)},
        {252, Rgb(67, 194, 52)}};
    for (const auto& [n, colour] : rows) EXPECT_EQ(ColourLookup(n), colour) << "n = " << n;
    EXPECT_EQ(ColourLookup(253), ColourLookup(0));
}

TEST_F(ColourSchemesTest, TruncatedRampProductsMatchTheirLists) {
    SetActiveScheme(kFirestorm);
    const int b[] = {0,   7,   15,  22,  30,  38,  45,  53,  61,  68,  76,
                     83,  91,  99,  106, 114, 122, 129, 137, 144, 152, 160,
                     167, 175, 183, 190, 198, 205, 213, 221, 228, 236};
    for (int n = 31; n <= 62; ++n) EXPECT_EQ((ColourLookup(n) >> 8) & 0xFF, b[n - 31]) << n;
    const int c[] = {0,   7,   15,  22,  30,  37,  45,  52,  60,  67,  75,
                     82,  90,  97,  105, 112, 120, 127, 135, 142, 150, 157,
                     165, 172, 180, 187, 195, 202, 210, 217, 225, 232, 240};
    for (int n = 64; n <= 96; ++n) EXPECT_EQ(ColourLookup(n) >> 16, c[n - 64]) << n;
}

TEST_F(ColourSchemesTest, GradientChannelOrders) {
    SetActiveScheme(0x0400);  // Stormy night: C B A
    EXPECT_EQ(ColourLookup(30), Rgb(0, 0, 240));
    SetActiveScheme(0x0200);  // Valentine: B C A
    EXPECT_EQ(ColourLookup(63), Rgb(252, 0, 252));
    SetActiveScheme(0x0800);  // Red / purple: A C B
    EXPECT_EQ(ColourLookup(62), Rgb(252, 0, 236));
    SetActiveScheme(0x1000);  // Green / yellow: B A C
    EXPECT_EQ(ColourLookup(97), Rgb(248, 252, 252));
    SetActiveScheme(0x2000);  // Blue / green: C A B
    EXPECT_EQ(ColourLookup(252), Rgb(52, 67, 194));
    for (uint32_t scheme = 0x100; scheme <= 0x2000; scheme <<= 1) {
        SetActiveScheme(scheme);
        EXPECT_EQ(ColourLookup(0), Rgb(60, 60, 60)) << scheme;
    }
}

TEST_F(ColourSchemesTest, NegativeGradientIndexUsesTheFirstBandModulo256) {
    SetActiveScheme(kFirestorm);
    // n = -1: A = 54, B = C = 62.
    EXPECT_EQ(ColourLookup(-1), Rgb(54, 62, 62));
    // n = -100: A = (60 - 600) mod 256 = 228, B = C = 260 mod 256 = 4.
    EXPECT_EQ(ColourLookup(-100), Rgb(228, 4, 4));
}

}  // namespace
}  // namespace scintle
