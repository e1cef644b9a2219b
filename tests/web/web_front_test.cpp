// The browser's front, natively: its saver paints, one picture per call with the
// delay waited outside, exactly the cycle's pictures; its canvas's frames and RGBA;
// the store's reading of text; the page's query; the settings form's refusals; the
// facts the pages build themselves from.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "canvas_digest.h"
#include "fractal/family_table.h"
#include "fractal/fractal_preset.h"
#include "fractal/random.h"
#include "render/colour_schemes.h"
#include "render/engine_reset.h"
#include "render/picture_cycle.h"
#include "settings/saver_settings.h"
#include "settings/setting_table.h"
#include "settings/setting_text.h"
#include "web/engine_facts.h"
#include "web/query_options.h"
#include "web/settings_form.h"
#include "web/web_saver.h"

namespace scintle {
namespace {

struct Picture {
    uint64_t digest;
    uint32_t generator;
    uint32_t scheme;
    int32_t family;
    uint32_t blanking;

    bool operator==(const Picture& o) const {
        return digest == o.digest && generator == o.generator && scheme == o.scheme &&
               family == o.family && blanking == o.blanking;
    }
};

std::vector<Picture>* collected = nullptr;
MemoryCanvas* watched = nullptr;

Picture Take(const MemoryCanvas& canvas) {
    return {CanvasDigest(canvas), randomState, colourSchemes.activeScheme, ActiveView.family,
            renderCycle.activeBlanking};
}

// The pictures that `scintle-render cycle` writes: the cycle run straight through.
std::vector<Picture> CyclePictures(const SaverSettingsRecord& settings, uint32_t seed, int count,
                                   int32_t width, int32_t height) {
    MemoryCanvas canvas(width, height);
    ResetEngine(&canvas);
    SaverSettings = settings;
    std::vector<Picture> pictures;
    collected = &pictures;
    watched = &canvas;
    static int left;
    left = count;
    renderCycle.pictureDone = [](void*) {
        collected->push_back(Take(*watched));
        if (--left == 0) renderCycle.runningFlag.store(0);
    };
    srand(seed);
    RunRenderCycle(canvas.window());
    ResetEngine();
    return pictures;
}

double FakeNow() { return 0; }

std::vector<Picture> WebPictures(const SaverSettingsRecord& settings, uint32_t seed, int count,
                                 int32_t width, int32_t height) {
    StartWebSaver(width, height, settings, true, seed, FakeNow, nullptr);
    std::vector<Picture> pictures;
    for (int i = 1; i <= count; ++i) {
        EXPECT_EQ(PaintNextWebPicture(), i);
        pictures.push_back(Take(*webSaver.canvas));
        EXPECT_EQ(WebSaverGenerator(), randomState);
    }
    StopWebSaver();
    return pictures;
}

class WebSaverTest : public ::testing::Test {
protected:
    void TearDown() override {
        StopWebSaver();
        ResetEngine();
        renderPlatform = nullptr;
        kernelPlatform = nullptr;
    }
};

TEST_F(WebSaverTest, PicturesOneAtATimeAreTheCyclesPictures) {
    // Every blanking method, both pixel orders, and a delay, which the Worker waits
    // outside the engine: none of it may change a picture or a random draw.
    for (uint32_t extraMemory : {0u, 1u}) {
        SaverSettingsRecord settings = DefaultRecord();
        settings.ExtraMemory = extraMemory;
        settings.BlankingMethod = kAllBlankingMethods;
        settings.CompletionDelay = 3000;
        const auto expected = CyclePictures(settings, 4242, 12, 40, 30);
        const auto actual = WebPictures(settings, 4242, 12, 40, 30);
        ASSERT_EQ(actual.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i)
            EXPECT_TRUE(actual[i] == expected[i]) << "picture " << i + 1 << ", ExtraMemory " << extraMemory;
        uint32_t methods = 0;
        for (const Picture& p : actual) methods |= p.blanking;
        EXPECT_EQ(methods, kAllBlankingMethods);  // each way of blanking was met
    }
}

TEST_F(WebSaverTest, ChangedSettingsApplyFromTheNextPicture) {
    SaverSettingsRecord settings = DefaultRecord();
    StartWebSaver(16, 12, settings, true, 7, FakeNow, nullptr);
    PaintNextWebPicture();
    settings.ColourScheme = kMono;
    settings.CurveType = kDragon;
    settings.CompletionDelay = 5000;
    ChangeWebSaverSettings(settings);
    EXPECT_EQ(WebSaverDelay(), 5000);  // the wait before the next picture is the new one's
    for (int i = 0; i < 3; ++i) {
        PaintNextWebPicture();
        EXPECT_EQ(colourSchemes.activeScheme, kMono);
        EXPECT_EQ(ActiveView.family, kDragon);  // dealt afresh, not the old deck's views
    }
}

TEST_F(WebSaverTest, DelayIsWholeSlicesAndNeverNegative) {
    SaverSettingsRecord settings = DefaultRecord();
    for (const auto& [stored, waited] : {std::pair<int32_t, int32_t>{0, 0}, {1000, 1000}, {1250, 1200},
                                         {-5000, 0}, {300000, 300000}}) {
        settings.CompletionDelay = stored;
        StartWebSaver(4, 4, settings, true, 1, FakeNow, nullptr);
        EXPECT_EQ(WebSaverDelay(), 0) << "nothing to wait before the first picture";
        EXPECT_EQ(PaintNextWebPicture(), 1);
        EXPECT_EQ(WebSaverDelay(), waited) << stored;
    }
}

TEST_F(WebSaverTest, APictureThatCannotBePaintedOwesTheCyclesSlice) {
    // No pixels: the cycle sleeps a slice before each new try rather than spin, and
    // reports no picture; each call returns at its first try, and the Worker must wait
    // the slice, even with no completion delay.
    SaverSettingsRecord settings = DefaultRecord();
    settings.CompletionDelay = 0;
    StartWebSaver(0, 0, settings, true, 1, FakeNow, nullptr);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(PaintNextWebPicture(), 0);
        EXPECT_EQ(WebSaverDelay(), static_cast<int32_t>(kDelaySliceMs));
    }
    settings.CompletionDelay = 2000;  // a picture that paints owes nothing
    StartWebSaver(8, 8, settings, true, 1, FakeNow, nullptr);
    for (int i = 1; i <= 3; ++i) {
        PaintNextWebPicture();
        EXPECT_EQ(WebSaverDelay(), 2000);
    }
}

// The canvas's frames: a fake clock and a sink that keeps what it is given.
double clockNow = 0;
std::vector<std::vector<uint8_t>> frames;
void KeepFrame(const uint8_t* rgba, int32_t width, int32_t height) {
    frames.emplace_back(rgba, rgba + width * height * 4);
}
double FakeClock() { return clockNow; }

TEST(WebCanvasTest, FramesComeAtTheIntervalAsOpaqueRgba) {
    frames.clear();
    clockNow = 1000;
    WebCanvas canvas(64, 64, FakeClock, KeepFrame);
    const DeviceContext dc = canvas.dc();
    for (int i = 0; i < kFrameCheckPixels * 2; ++i) canvas.SetPixel(dc, i % 64, (i / 64) % 32, Rgb(10, 20, 30));
    EXPECT_TRUE(frames.empty());  // the interval has not passed
    clockNow += kFrameIntervalMs;
    for (int i = 0; i < kFrameCheckPixels - 1; ++i) canvas.SetPixel(dc, 0, 0, Rgb(1, 2, 3));
    EXPECT_TRUE(frames.empty());  // the clock is read every kFrameCheckPixels pixels only
    canvas.SetPixel(dc, 5, 0, Rgb(200, 100, 50));
    ASSERT_EQ(frames.size(), 1u);
    const std::vector<uint8_t>& frame = frames[0];
    ASSERT_EQ(frame.size(), 64u * 64 * 4);
    EXPECT_EQ(std::vector<uint8_t>(frame.begin(), frame.begin() + 4), (std::vector<uint8_t>{1, 2, 3, 255}));
    EXPECT_EQ(std::vector<uint8_t>(frame.begin() + 20, frame.begin() + 24),
              (std::vector<uint8_t>{200, 100, 50, 255}));
    EXPECT_EQ(frame[64 * 4 * 63 + 3], 255);  // every pixel opaque, unpainted ones black
    EXPECT_EQ(frame[64 * 4 * 63], 0);
    // Drawing outside is clipped, as on a window, and counts for nothing.
    EXPECT_EQ(canvas.SetPixel(dc, 64, 0, Rgb(1, 1, 1)), 0xFFFFFFFFu);
}

TEST(WebCanvasTest, RenderThreadRunsAtOnceOnTheCallersThread) {
    WebCanvas canvas(2, 2, FakeClock, nullptr);
    static bool ran;
    ran = false;
    EXPECT_NE(canvas._beginthread([](void*) { ran = true; }, 0, nullptr), kThreadStartFailed);
    EXPECT_TRUE(ran);
}

TEST(StoredTextTest, OnlyDecimalNumbersOf32BitsAreRead) {
    uint32_t value = 77;
    for (const char* text : {"", "-1", "+1", " 5", "5 ", "1e3", "0x10", "4294967296", "12345678901",
                             "1.5", "abc"}) {
        EXPECT_FALSE(ReadStoredNumber(text, &value)) << text;
        EXPECT_EQ(value, 77u);
    }
    EXPECT_FALSE(ReadStoredNumber(nullptr, &value));
    EXPECT_TRUE(ReadStoredNumber("4294967295", &value));
    EXPECT_EQ(value, 4294967295u);
    EXPECT_TRUE(ReadStoredNumber("0000000300", &value));
    EXPECT_EQ(value, 300u);
}

TEST(StoredTextTest, WhatCannotBeReadAndEmptyMasksGiveTheDefault) {
    const SettingInfo& delay = SettingNamed("CompletionDelay");
    const SettingInfo& schemes = SettingNamed("ColourScheme");
    const SettingInfo& maximum = SettingNamed("MaxIterations");
    EXPECT_EQ(StoredTextValue(delay, nullptr), delay.defaultValue);
    EXPECT_EQ(StoredTextValue(delay, "banana"), delay.defaultValue);
    EXPECT_EQ(StoredTextValue(delay, "400"), 400u);  // as the registry holds it: taken
    EXPECT_EQ(StoredTextValue(schemes, "0"), kAllColourSchemes);
    EXPECT_EQ(StoredTextValue(schemes, "256"), kFirestorm);
    EXPECT_EQ(StoredTextValue(maximum, "99999999999"), 0u);
    EXPECT_EQ(StoredTextValue(maximum, "4294967295"), 4294967295u);
}

WebQuery Query(const std::vector<std::pair<std::string, std::string>>& options, std::string* error) {
    WebQuery query = EmptyQuery();
    for (const auto& [name, value] : options)
        if (!ApplyQueryOption(name, value, &query, error)) return query;
    FinishQuery(&query, error);
    return query;
}

TEST(QueryOptionsTest, TheSaversOptionsWithoutDashes) {
    std::string error;
    WebQuery q = Query({{"seed", "4242"}, {"size", "320x200"}, {"completion-delay", "60"},
                        {"extra-memory", "1"}}, &error);
    EXPECT_EQ(error, "");
    EXPECT_TRUE(q.seeded);
    EXPECT_EQ(q.seed, 4242u);
    EXPECT_EQ(q.width, 320);
    EXPECT_EQ(q.height, 200);
    EXPECT_EQ(q.settings.CompletionDelay, 60000);
    EXPECT_EQ(q.settings.ExtraMemory, 1u);
    SaverSettingsRecord expected = DefaultRecord();  // the rest at their defaults
    expected.CompletionDelay = 60000;
    expected.ExtraMemory = 1;
    EXPECT_EQ(std::memcmp(&q.settings, &expected, sizeof expected), 0);

    q = Query({{"no-mono", ""}, {"firestorm", "0"}, {"no-fade", ""}, {"scintle-fade", "1"},
               {"exclude-curves", ""}, {"max-iterations", "200"}, {"seed", "0x10"}}, &error);
    EXPECT_EQ(error, "");
    EXPECT_EQ(q.settings.ColourScheme, kAllColourSchemes & ~kMono & ~kFirestorm);
    EXPECT_EQ(q.settings.BlankingMethod, kFastFade | kNoFade | kScintleFade);
    EXPECT_EQ(q.settings.ExcludeCurves, 1u);
    EXPECT_EQ(q.settings.MaxIterations, 200);
    EXPECT_EQ(q.seed, 16u);
    EXPECT_EQ(Query({{"exclude-curves", ""}, {"reduce-curves", ""}}, &error).settings.ExcludeCurves, 0u);
    EXPECT_EQ(Query({{"extra-memory", ""}, {"no-extra-memory", ""}}, &error).settings.ExtraMemory, 0u);
    EXPECT_FALSE(q.width);  // no size: the window's
}

TEST(QueryOptionsTest, ScintleRenderCyclesNamesAndEmptyMasks) {
    std::string error;
    WebQuery q = Query({{"colours", "256"}, {"curves", "0x4"}, {"min", "10"}, {"blanking", "0"}},
                       &error);
    EXPECT_EQ(error, "");
    EXPECT_EQ(q.settings.ColourScheme, kFirestorm);
    EXPECT_EQ(q.settings.CurveType, static_cast<uint32_t>(kDragon));
    EXPECT_EQ(q.settings.MinIterations, 10);
    EXPECT_EQ(q.settings.BlankingMethod, kFastFade);  // an empty mask is its default
    q = Query({{"no-rainbow", ""}, {"no-mono", ""}, {"no-bold-1", ""}, {"no-bold-2", ""}, {"no-bold-3", ""},
               {"no-bold-4", ""}, {"no-bold-5", ""}, {"no-bold-6", ""}, {"no-firestorm", ""},
               {"no-valentine", ""}, {"no-stormy-night", ""}, {"no-red-purple", ""},
               {"no-green-yellow", ""}, {"no-blue-green", ""}}, &error);
    EXPECT_EQ(q.settings.ColourScheme, kAllColourSchemes);
}

TEST(QueryOptionsTest, RefusalsSayWhy) {
    const struct {
        std::vector<std::pair<std::string, std::string>> options;
        const char* reason;
    } cases[] = {
        {{{"completion-delay", "301"}}, "completion-delay '301' is out of range: whole seconds from 0 to 300"},
        {{{"completion-delay", "-1"}}, "completion-delay '-1' is out of range: whole seconds from 0 to 300"},
        {{{"colour", "1"}}, "unknown option 'colour'"},
        {{{"size", "0x200"}}, "size '0x200' is not WIDTHxHEIGHT"},
        {{{"size", "16385x10"}}, "size '16385x10' is not WIDTHxHEIGHT"},
        {{{"size", "10000x10000"}}, "size '10000x10000' is not WIDTHxHEIGHT"},
        {{{"seed", "4294967296"}}, "seed '4294967296' is out of range"},
        {{{"exclude-curves", "yes"}}, "exclude-curves 'yes' is not 1 or 0"},
        {{{"extra-memory", "yes"}}, "extra-memory 'yes' is out of range: 0 to 4294967295"},  // cycle's too
        {{{"mono", "2"}}, "mono '2' is not 1 or 0"},
        {{{"min-iterations", "50"}, {"max-iterations", "20"}},
         "min-iterations 50 exceeds max-iterations 20: The minimum value cannot exceed the maximum value"},
    };
    for (const auto& c : cases) {
        std::string error;
        Query(c.options, &error);
        EXPECT_EQ(error.rfind(c.reason, 0), 0u) << error << " / " << c.reason;
    }
}

TEST(SettingsFormTest, RefusalsAreTheDialogsAndNameTheField) {
    auto check = [](const std::string& delay, const std::string& minimum, const std::string& maximum) {
        return CheckSettingsForm("CompletionDelay=" + delay + "\nMinIterations=" + minimum +
                                 "\nMaxIterations=" + maximum);
    };
    FormRefusal r = check("301", "0", "0");
    ASSERT_NE(r.field, nullptr);
    EXPECT_STREQ(r.field->name, "CompletionDelay");
    EXPECT_STREQ(r.caption, "Invalid entry");
    EXPECT_EQ(r.message, "Please enter a value between 0 and 300 seconds");
    for (const char* text : {"", "abc", "-1", "1.5", " 1"}) {
        EXPECT_EQ(check(text, "0", "0").message, "Please enter a value between 0 and 300 seconds") << text;
    }
    r = check("300", "0", "2147483648");
    ASSERT_NE(r.field, nullptr);
    EXPECT_STREQ(r.field->name, "MaxIterations");
    EXPECT_EQ(r.message, "Please enter a value between 0 and 2147483647");
    r = check("0", "50", "20");
    ASSERT_NE(r.field, nullptr);
    EXPECT_STREQ(r.field->name, "MinIterations");
    EXPECT_STREQ(r.caption, "Inconsistent entry");
    EXPECT_EQ(r.message, "The minimum value cannot exceed the maximum value");
    EXPECT_EQ(check("0", "50", "0").field, nullptr);  // 0: no bound
    EXPECT_EQ(check("0", "0", "20").field, nullptr);
    EXPECT_EQ(check("300", "20", "20").field, nullptr);
    EXPECT_NE(CheckSettingsForm("MinIterations=1\nMaxIterations=2").field, nullptr);  // no delay
}

TEST(EngineFactsTest, EveryRowOfBothTablesWithTheDialogsTexts) {
    const std::string facts = EngineFactsJson("9.9");
    EXPECT_EQ(facts.front(), '{');
    EXPECT_EQ(facts.back(), '}');
    EXPECT_NE(facts.find("\"version\":\"9.9\""), std::string::npos);
    for (const SettingInfo& s : kSettingTable)
        EXPECT_NE(facts.find("{\"name\":\"" + std::string(s.name) + "\""), std::string::npos) << s.name;
    EXPECT_NE(facts.find("\"rangeMessage\":\"Please enter a value between 0 and 300 seconds\""),
              std::string::npos);
    EXPECT_NE(facts.find("\"label\":\"Red / purple\",\"option\":\"red-purple\",\"value\":2048"),
              std::string::npos);
    EXPECT_NE(facts.find("\"label\":\"Exclude\",\"offLabel\":\"Reduce\""), std::string::npos);
    EXPECT_NE(facts.find("\"unit\":\"second(s)\""), std::string::npos);
    EXPECT_NE(facts.find("\"inconsistentEntry\":\"The minimum value cannot exceed the maximum value\""),
              std::string::npos);
    EXPECT_NE(facts.find("\"pointerThreshold\":4"), std::string::npos);
    int rows = 0;
    for (size_t at = 0; (at = facts.find("{\"row\":", at)) != std::string::npos; ++at) ++rows;
    EXPECT_EQ(rows, 74);
    EXPECT_NE(facts.find("\"number\":4,\"name\":\"Dragon\",\"option\":\"dragon\""), std::string::npos);
}

TEST(EngineFactsTest, JsonStringsEscapeWhatJsonMust) {
    EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(JsonString("line\nnext\t"), "\"line\\u000anext\\u0009\"");
    EXPECT_EQ(JsonString("Red / purple"), "\"Red / purple\"");
}

}  // namespace
}  // namespace scintle
