#include "x11_saver/saver_options.h"

#include <gtest/gtest.h>

#include <cstring>

#include "fractal/fractal_family.h"
#include "settings/setting_masks.h"

namespace scintle {
namespace {

SaverOptions Parse(std::vector<std::string> arguments, const char* environmentWindow = nullptr) {
    SaverOptions options;
    std::string error;
    EXPECT_TRUE(ParseSaverOptions(arguments, environmentWindow, &options, &error)) << error;
    return options;
}

TEST(SaverOptions, NoOptionsGiveTheDialogsStartValuesInAWindowOfItsOwn) {
    const SaverOptions o = Parse({});
    EXPECT_EQ(o.target, DrawTarget::kOwnWindow);
    EXPECT_EQ(o.width, 1280);
    EXPECT_EQ(o.height, 720);
    EXPECT_FALSE(o.seedGiven);
    EXPECT_EQ(0, std::memcmp(&o.settings, &kStartSettings, sizeof kStartSettings));
}

TEST(SaverOptions, EverySettingReachesItsField) {
    const SaverOptions o = Parse({"-completion-delay=0", "--scintle-fade", "--no-fast-fade",
                                  "--no-fade", "--no-rainbow", "--no-red-purple", "-no-dragon",
                                  "--extra-memory", "--exclude-curves", "--min-iterations", "50",
                                  "--max-iterations=60", "--seed", "0x10",
                                  "--geometry", "640x480+10+10"});
    const SaverSettingsRecord& s = o.settings;
    EXPECT_EQ(s.CompletionDelay, 0);
    EXPECT_EQ(s.BlankingMethod, kScintleFade | kNoFade);
    EXPECT_EQ(s.ColourScheme, kAllColourSchemes & ~kRainbow & ~kRedPurple);
    EXPECT_EQ(s.CurveType, kAllCurveTypes & ~kDragon);
    EXPECT_EQ(s.ExtraMemory, 1u);
    EXPECT_EQ(s.ExcludeCurves, 1u);
    EXPECT_EQ(s.MinIterations, 50);
    EXPECT_EQ(s.MaxIterations, 60);
    EXPECT_TRUE(o.seedGiven);
    EXPECT_EQ(o.seed, 16u);
    EXPECT_EQ(o.width, 640);
    EXPECT_EQ(o.height, 480);
    EXPECT_EQ(Parse({"--completion-delay", "300"}).settings.CompletionDelay, 300000);
    EXPECT_EQ(Parse({"--no-no-fade", "--no-fade", "--no-no-fade"}).settings.BlankingMethod,
              kFastFade);
}

TEST(SaverOptions, AGroupWithEveryBoxClearedMeansItsStartSet) {
    EXPECT_EQ(Parse({"--no-fast-fade"}).settings.BlankingMethod, kFastFade);
    EXPECT_EQ(Parse({"--no-mandelbrot", "--no-julia", "--no-dragon", "--no-phoenix"})
                  .settings.CurveType,
              kAllCurveTypes);
}

TEST(SaverOptions, TheWindowIdWinsOverXscreensaversWhichWinsOverTheRoot) {
    SaverOptions o = Parse({"--root"});
    EXPECT_EQ(o.target, DrawTarget::kRoot);
    o = Parse({"-root"}, "0x2a");
    EXPECT_EQ(o.target, DrawTarget::kGivenWindow);
    EXPECT_EQ(o.windowId, 42u);
    o = Parse({"--window-id", "77"}, "0x2a");
    EXPECT_EQ(o.windowId, 77u);
    o = Parse({}, "");
    EXPECT_EQ(o.target, DrawTarget::kOwnWindow);
}

}  // namespace
}  // namespace scintle
