// The configuration dialog's logic against a dialog in memory and a registry in memory:
// what the start shows, what OK writes and in which order, the two entry checks, Cancel,
// and Select All / None.
#include <gtest/gtest.h>

#include "fractal/fractal_family.h"
#include "recording_dialog.h"
#include "recording_platform.h"
#include "resources/config_dialog_ids.h"
#include "settings/config_dialog.h"
#include "settings/saver_settings.h"
#include "settings/setting_masks.h"
#include "settings/setting_table.h"
#include "settings/settings_store.h"

namespace scintle {
namespace {

constexpr int kColourBoxesById[] = {1027, 1028, 1029, 1030, 1031, 1032, 1033,
                                    1034, 1035, 1036, 1037, 1038, 1039, 1040};
constexpr int kCurveBoxesById[] = {1021, 1022, 1023, 1024};
constexpr int kBlankingBoxesById[] = {1019, 1020, 1047};

class ConfigDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSettings();
        ResetConfigDialog();
        registryPlatform = &registry;
        dialogPlatform = &dialog;
    }
    void TearDown() override {
        registryPlatform = nullptr;
        dialogPlatform = nullptr;
    }

    void Stored(const char* name, uint32_t value) {
        registry.SetDword(kSettingsKeyPath, name, value);
    }
    bool HasStored(const char* name) {
        return registry.keys.count(kSettingsKeyPath) && registry.keys[kSettingsKeyPath].count(name);
    }
    uint32_t StoredValue(const char* name) {
        const std::vector<uint8_t>& data = registry.keys[kSettingsKeyPath][name].data;
        return data[0] | data[1] << 8 | data[2] << 16 | uint32_t{data[3]} << 24;
    }
    // All nine values, in the table's order (ExtraMemory, CompletionDelay, ...).
    void StoreAll(const std::vector<uint32_t>& values) {
        for (size_t i = 0; i < values.size(); ++i) Stored(kSettingTable[i].name, values[i]);
    }
    void ExpectStoredAll(const std::vector<uint32_t>& values) {
        for (size_t i = 0; i < values.size(); ++i)
            EXPECT_EQ(StoredValue(kSettingTable[i].name), values[i]) << kSettingTable[i].name;
    }
    // A second run of the dialog in a fresh process, on what the first one stored.
    void Reopen() {
        ResetSettings();
        ResetConfigDialog();
        dialog = FakeDialog();
        InitDialog(dialog.handle);
    }
    bool Ok() { return HandleCommand(dialog.handle, kIdOk); }

    FakeRegistry registry;
    FakeDialog dialog;
};

TEST_F(ConfigDialogTest, WithoutAKeyTheStartShowsTheStartValues) {
    EXPECT_TRUE(InitDialog(dialog.handle));
    EXPECT_FALSE(dialog.Checked(IDC_EXTRA_MEMORY));
    EXPECT_FALSE(dialog.Checked(IDC_ALL_MONITORS));
    EXPECT_EQ(dialog.texts[IDC_COMPLETION_DELAY], "1");
    EXPECT_FALSE(dialog.Checked(IDC_SCINTLE_FADE));
    EXPECT_TRUE(dialog.Checked(IDC_FAST_FADE));
    EXPECT_FALSE(dialog.Checked(IDC_NO_FADE));
    for (int id : kColourBoxesById) EXPECT_TRUE(dialog.Checked(id)) << id;
    for (int id : kCurveBoxesById) EXPECT_TRUE(dialog.Checked(id)) << id;
    EXPECT_EQ(dialog.texts[IDC_MIN_ITERATIONS], "0");
    EXPECT_EQ(dialog.texts[IDC_MAX_ITERATIONS], "0");
    EXPECT_TRUE(dialog.Checked(IDC_REDUCE));
    EXPECT_FALSE(dialog.Checked(IDC_EXCLUDE));
    EXPECT_TRUE(dialog.messageBoxes.empty());
    EXPECT_FALSE(dialog.ended);
    EXPECT_TRUE(registry.keys.empty()) << "opening the dialog must not create the key";
}

TEST_F(ConfigDialogTest, OkWritesAllNineValuesInOrderAndEndsWithOne) {
    InitDialog(dialog.handle);
    registry.calls.clear();
    EXPECT_TRUE(Ok());
    EXPECT_EQ(dialog.endResult, 1);
    std::vector<std::string> writes;
    for (const std::string& call : registry.calls)
        if (call.rfind("RegSetValueExA", 0) == 0) writes.push_back(call.substr(15));
    const std::vector<std::string> order = {"ExtraMemory",  "CompletionDelay", "BlankingMethod",
                                            "ColourScheme", "CurveType",       "MinIterations",
                                            "MaxIterations", "ExcludeCurves",   "AllMonitors"};
    EXPECT_EQ(writes, order);
    for (const std::string& name : order)
        EXPECT_EQ(registry.keys[kSettingsKeyPath][name].type, kRegDword) << name;
    ExpectStoredAll({0, 1, 2, 0x3FFF, 15, 0, 0, 0, 0});
}

TEST_F(ConfigDialogTest, StoredValuesShowAndComeBackUnchanged) {
    const std::vector<uint32_t> values = {1, 300, 5, 0x2A51, 6, 250, 4000000000u, 1, 1};
    StoreAll(values);
    InitDialog(dialog.handle);
    EXPECT_TRUE(dialog.Checked(IDC_EXTRA_MEMORY));
    EXPECT_TRUE(dialog.Checked(IDC_ALL_MONITORS));
    EXPECT_EQ(dialog.texts[IDC_COMPLETION_DELAY], "300");
    EXPECT_EQ(dialog.texts[IDC_MIN_ITERATIONS], "250");
    EXPECT_EQ(dialog.texts[IDC_MAX_ITERATIONS], "4000000000");
    EXPECT_TRUE(dialog.Checked(IDC_EXCLUDE));
    EXPECT_FALSE(dialog.Checked(IDC_REDUCE));
    EXPECT_TRUE(dialog.messageBoxes.empty());

    EXPECT_TRUE(Ok());
    ExpectStoredAll(values);
}

// Each bit of each mask alone: exactly its box shows checked, and OK writes that bit back.
// Rainbow is colour bit 0; Phoenix is family bit 3 and Dragon bit 2.
TEST_F(ConfigDialogTest, EachMaskBitHasItsOwnBoxBothWays) {
    struct Mask {
        const char* name;
        std::vector<int> boxesById;
        std::vector<int> boxesByBit;
    };
    const Mask masks[] = {
        {"BlankingMethod", {1019, 1020, 1047}, {1019, 1020, 1047}},
        {"ColourScheme",
         {1027, 1028, 1029, 1030, 1031, 1032, 1033, 1034, 1035, 1036, 1037, 1038, 1039, 1040},
         {1034, 1027, 1028, 1029, 1030, 1031, 1032, 1033, 1035, 1036, 1037, 1038, 1039, 1040}},
        {"CurveType", {1021, 1022, 1023, 1024}, {1021, 1022, 1024, 1023}},
    };
    for (const Mask& mask : masks) {
        for (size_t bit = 0; bit < mask.boxesByBit.size(); ++bit) {
            SCOPED_TRACE(std::string(mask.name) + " bit " + std::to_string(bit));
            registry.keys.clear();
            Stored(mask.name, 1u << bit);
            Reopen();
            for (int id : mask.boxesById)
                EXPECT_EQ(dialog.Checked(id), id == mask.boxesByBit[bit]) << id;
            Ok();
            EXPECT_EQ(StoredValue(mask.name), 1u << bit);
        }
    }
}

TEST_F(ConfigDialogTest, UserChangesReachTheStoreButNotTheLoadedRecord) {
    InitDialog(dialog.handle);
    dialog.Click(IDC_EXTRA_MEMORY);
    dialog.Click(IDC_ALL_MONITORS);
    dialog.Click(IDC_PHOENIX);
    dialog.Click(IDC_RAINBOW);
    dialog.Click(IDC_SCINTLE_FADE);
    dialog.Click(IDC_EXCLUDE);
    dialog.Type(IDC_COMPLETION_DELAY, "45");
    dialog.Type(IDC_MIN_ITERATIONS, "10");
    dialog.Type(IDC_MAX_ITERATIONS, "20");
    EXPECT_TRUE(Ok());
    ExpectStoredAll({1, 45, kScintleFade | kFastFade, kAllColourSchemes & ~kRainbow,
                     kAllCurveTypes & ~kPhoenix, 10, 20, 1, 1});
    EXPECT_EQ(SaverSettings.CompletionDelay, 1000);
    EXPECT_EQ(SaverSettings.CurveType, kAllCurveTypes);
}

TEST_F(ConfigDialogTest, AnyNonzeroOnOffValueShowsAsAPlainCheck) {
    Stored("ExtraMemory", 7);
    Stored("AllMonitors", 0x80000000u);
    InitDialog(dialog.handle);
    EXPECT_EQ(dialog.checks[IDC_EXTRA_MEMORY], kBstChecked);
    EXPECT_EQ(dialog.checks[IDC_ALL_MONITORS], kBstChecked);
    Ok();
    EXPECT_EQ(StoredValue("ExtraMemory"), 1u);
    EXPECT_EQ(StoredValue("AllMonitors"), 1u);
}

TEST_F(ConfigDialogTest, CancelEndsWithZeroAndWritesNothing) {
    Stored("CurveType", 3);
    InitDialog(dialog.handle);
    dialog.Click(IDC_JULIA);
    dialog.Type(IDC_COMPLETION_DELAY, "12");
    registry.calls.clear();
    EXPECT_TRUE(HandleCommand(dialog.handle, kIdCancel));
    EXPECT_EQ(dialog.endResult, 0);
    for (const std::string& call : registry.calls) EXPECT_EQ(call.rfind("RegSetValueExA", 0), std::string::npos);
    EXPECT_EQ(StoredValue("CurveType"), 3u);
    EXPECT_FALSE(HasStored("CompletionDelay"));
}

TEST_F(ConfigDialogTest, SelectAllAndNoneTouchExactlyTheTwentyOneBoxesInOrder) {
    Stored("ExtraMemory", 1);
    Stored("ExcludeCurves", 1);
    Stored("AllMonitors", 1);
    InitDialog(dialog.handle);
    const std::vector<int> order = {1027, 1028, 1029, 1030, 1031, 1032, 1033, 1034, 1035, 1036, 1037,
                                    1038, 1039, 1040, 1019, 1020, 1047, 1021, 1022, 1023, 1024};
    for (uint32_t check : {kBstUnchecked, kBstChecked}) {
        dialog.calls.clear();
        EXPECT_FALSE(HandleCommand(dialog.handle, check ? IDC_SELECT_ALL : IDC_SELECT_NONE));
        std::vector<std::string> expected;
        for (int id : order)
            expected.push_back("CheckDlgButton " + std::to_string(id) + " " + std::to_string(check));
        EXPECT_EQ(dialog.calls, expected);
    }
    EXPECT_TRUE(dialog.Checked(IDC_EXTRA_MEMORY));
    EXPECT_TRUE(dialog.Checked(IDC_ALL_MONITORS));
    EXPECT_TRUE(dialog.Checked(IDC_EXCLUDE));
    EXPECT_FALSE(dialog.ended);
}

TEST_F(ConfigDialogTest, SelectNoneStoresEmptyMasksThatReopenAsTheDefaults) {
    InitDialog(dialog.handle);
    HandleCommand(dialog.handle, IDC_SELECT_NONE);
    Ok();
    EXPECT_EQ(StoredValue("BlankingMethod"), 0u);
    EXPECT_EQ(StoredValue("ColourScheme"), 0u);
    EXPECT_EQ(StoredValue("CurveType"), 0u);
    Reopen();
    for (int id : kBlankingBoxesById) EXPECT_EQ(dialog.Checked(id), id == IDC_FAST_FADE) << id;
    for (int id : kColourBoxesById) EXPECT_TRUE(dialog.Checked(id)) << id;
    for (int id : kCurveBoxesById) EXPECT_TRUE(dialog.Checked(id)) << id;
}

TEST_F(ConfigDialogTest, MinimumAboveMaximumIsRefusedAndNothingIsWritten) {
    Stored("MinIterations", 7);
    InitDialog(dialog.handle);
    dialog.Type(IDC_MIN_ITERATIONS, "500");
    dialog.Type(IDC_MAX_ITERATIONS, "100");
    EXPECT_FALSE(Ok());
    ASSERT_EQ(dialog.messageBoxes.size(), 1u);
    EXPECT_EQ(dialog.messageBoxes[0].owner, dialog.handle);
    EXPECT_EQ(dialog.messageBoxes[0].caption, "Inconsistent entry");
    EXPECT_EQ(dialog.messageBoxes[0].text, "The minimum value cannot exceed the maximum value");
    EXPECT_EQ(dialog.messageBoxes[0].type, 0x10u);
    EXPECT_FALSE(dialog.ended);
    EXPECT_EQ(dialog.texts[IDC_MIN_ITERATIONS], "500");
    EXPECT_EQ(dialog.texts[IDC_MAX_ITERATIONS], "100");
    EXPECT_EQ(StoredValue("MinIterations"), 7u);
    EXPECT_EQ(registry.keys[kSettingsKeyPath].size(), 1u);

    // The user corrects the entry; the next OK goes through.
    dialog.Type(IDC_MAX_ITERATIONS, "500");
    EXPECT_TRUE(Ok());
    EXPECT_EQ(dialog.endResult, 1);
    EXPECT_EQ(StoredValue("MinIterations"), 500u);
}

TEST_F(ConfigDialogTest, IterationBoundsThatPass) {
    struct Bounds {
        const char* minimum;
        const char* maximum;
        bool passes;
    };
    const Bounds cases[] = {
        {"500", "0", true},   {"0", "100", true},  {"100", "100", true},
        {"", "100", true},    {"99", "100", true}, {"101", "100", false},
        // Compared as unsigned numbers: this minimum is not a negative one.
        {"4294967295", "5", false},
    };
    for (const Bounds& bounds : cases) {
        SCOPED_TRACE(std::string(bounds.minimum) + " / " + bounds.maximum);
        Reopen();
        dialog.Type(IDC_MIN_ITERATIONS, bounds.minimum);
        dialog.Type(IDC_MAX_ITERATIONS, bounds.maximum);
        EXPECT_EQ(Ok(), bounds.passes);
        EXPECT_EQ(dialog.ended, bounds.passes);
        EXPECT_EQ(dialog.messageBoxes.size(), bounds.passes ? 0u : 1u);
    }
}

TEST_F(ConfigDialogTest, DelayAbove300IsRefusedAtOnceAndTheFieldBecomesOne) {
    InitDialog(dialog.handle);
    dialog.Type(IDC_COMPLETION_DELAY, "30");
    dialog.Type(IDC_COMPLETION_DELAY, "300");
    EXPECT_TRUE(dialog.messageBoxes.empty());
    dialog.Type(IDC_COMPLETION_DELAY, "3001");
    ASSERT_EQ(dialog.messageBoxes.size(), 1u);
    EXPECT_EQ(dialog.messageBoxes[0].owner, dialog.handle);
    EXPECT_EQ(dialog.messageBoxes[0].caption, "Invalid entry");
    EXPECT_EQ(dialog.messageBoxes[0].text, "Please enter a value between 0 and 300 seconds");
    EXPECT_EQ(dialog.messageBoxes[0].type, 0x10u);
    EXPECT_EQ(dialog.texts[IDC_COMPLETION_DELAY], "1");
    EXPECT_FALSE(dialog.ended);
    Ok();
    EXPECT_EQ(StoredValue("CompletionDelay"), 1u);
}

TEST_F(ConfigDialogTest, EmptyDelayFieldPassesAndStoresZero) {
    InitDialog(dialog.handle);
    dialog.Type(IDC_COMPLETION_DELAY, "");
    EXPECT_TRUE(dialog.messageBoxes.empty());
    Ok();
    EXPECT_EQ(StoredValue("CompletionDelay"), 0u);
}

TEST_F(ConfigDialogTest, StoredDelayAbove300IsRefusedWhileTheDialogOpens) {
    Stored("CompletionDelay", 400);
    EXPECT_TRUE(InitDialog(dialog.handle));
    ASSERT_EQ(dialog.messageBoxes.size(), 1u);
    EXPECT_EQ(dialog.messageBoxes[0].caption, "Invalid entry");
    EXPECT_EQ(dialog.texts[IDC_COMPLETION_DELAY], "1");
    // The rest of the start still runs after the message.
    EXPECT_TRUE(dialog.Checked(IDC_REDUCE));
    EXPECT_EQ(dialog.texts[IDC_MAX_ITERATIONS], "0");
    EXPECT_EQ(SaverSettings.CompletionDelay, 400000);
}

TEST_F(ConfigDialogTest, StoredNegativeDelayShowsAsAHugeNumberAndIsRefused) {
    Stored("CompletionDelay", 0xFFFFFFFFu);  // -1000 ms once loaded
    InitDialog(dialog.handle);
    EXPECT_EQ(dialog.messageBoxes.size(), 1u);
    EXPECT_EQ(dialog.texts[IDC_COMPLETION_DELAY], "1");
}

// The message box takes the focus from the delay field, whose notification reaches the
// dialog while the box is still up: that must not stack a second box on the first.
TEST_F(ConfigDialogTest, LosingTheFocusToTheDelayMessageRaisesNoSecondMessage) {
    InitDialog(dialog.handle);
    dialog.whileMessageBoxShows = [this] {
        if (dialog.messageBoxes.size() == 1) HandleCommand(dialog.handle, IDC_COMPLETION_DELAY);
    };
    dialog.Type(IDC_COMPLETION_DELAY, "301");
    EXPECT_EQ(dialog.messageBoxes.size(), 1u);
    EXPECT_EQ(dialog.texts[IDC_COMPLETION_DELAY], "1");
    EXPECT_FALSE(configDialog.delayMessageShowing);
    // The next wrong entry is refused again.
    dialog.Type(IDC_COMPLETION_DELAY, "999");
    EXPECT_EQ(dialog.messageBoxes.size(), 2u);
}

TEST_F(ConfigDialogTest, OtherCommandsDoNothing) {
    InitDialog(dialog.handle);
    dialog.calls.clear();
    registry.calls.clear();
    for (int id : {0, 3, IDC_EXTRA_MEMORY, IDC_MIN_ITERATIONS, IDC_MAX_ITERATIONS, IDC_EXCLUDE,
                   IDC_REDUCE, IDC_RAINBOW, 2003, 65535})
        EXPECT_FALSE(HandleCommand(dialog.handle, id)) << id;
    EXPECT_TRUE(dialog.calls.empty());
    EXPECT_TRUE(registry.calls.empty());
}

}  // namespace
}  // namespace scintle
