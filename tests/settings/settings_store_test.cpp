// Loading and storing the settings: start values, units, replacement of empty masks,
// the key opened afresh per step, and writes that create the key.
#include <gtest/gtest.h>

#include "platform/platform_values.h"
#include "recording_platform.h"
#include "settings/saver_settings.h"
#include "settings/setting_table.h"
#include "settings/settings_store.h"

namespace scintle {
namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSettings();
        registryPlatform = &registry;
    }
    void TearDown() override { registryPlatform = nullptr; }

    void Store(const char* name, uint32_t value) { registry.SetDword(kSettingsKeyPath, name, value); }

    FakeRegistry registry;
};

// The loaded record, field by field (the delay in milliseconds).
void ExpectLoaded(const SaverSettingsRecord& expected) {
    for (const SettingInfo& s : kSettingTable)
        EXPECT_EQ(StoredValue(SaverSettings, s), StoredValue(expected, s)) << s.name;
    EXPECT_EQ(SaverSettings.CompletionDelay, expected.CompletionDelay);
}
void ExpectStartValues() { ExpectLoaded({0, 1000, 2, 0x3FFF, 15, 0, 0, 0, 0}); }

TEST_F(SettingsStoreTest, MissingKeyLeavesStartValuesAndCreatesNothing) {
    LoadSettings();
    ExpectStartValues();
    EXPECT_TRUE(registry.keys.empty());
    for (const std::string& call : registry.calls) EXPECT_EQ(call.rfind("RegOpenKeyExA", 0), 0u);
}

TEST_F(SettingsStoreTest, RefusedFullAccessCountsAsMissing) {
    Store("CurveType", 4);
    registry.denyAccess = true;
    LoadSettings();
    ExpectStartValues();
}

TEST_F(SettingsStoreTest, EveryStepOpensAndClosesTheKeyInTheLoadersOrder) {
    Store("ExtraMemory", 1);
    LoadSettings();
    const std::vector<std::string> expected = {
        "RegOpenKeyExA software\\qentrix\\vorbanite\\Settings", "RegQueryValueExA ExtraMemory",
        "RegCloseKey",
        "RegOpenKeyExA software\\qentrix\\vorbanite\\Settings", "RegQueryValueExA CompletionDelay",
        "RegCloseKey",
        "RegOpenKeyExA software\\qentrix\\vorbanite\\Settings", "RegQueryValueExA BlankingMethod",
        "RegCloseKey",
        "RegOpenKeyExA software\\qentrix\\vorbanite\\Settings", "RegQueryValueExA ColourScheme",
        "RegCloseKey",
        "RegOpenKeyExA software\\qentrix\\vorbanite\\Settings", "RegQueryValueExA CurveType",
        "RegCloseKey",
        "RegOpenKeyExA software\\qentrix\\vorbanite\\Settings", "RegQueryValueExA MinIterations",
        "RegCloseKey",
        "RegOpenKeyExA software\\qentrix\\vorbanite\\Settings", "RegQueryValueExA MaxIterations",
        "RegQueryValueExA ExcludeCurves", "RegCloseKey",
        "RegOpenKeyExA software\\qentrix\\vorbanite\\Settings", "RegQueryValueExA AllMonitors",
        "RegCloseKey"};
    EXPECT_EQ(registry.calls, expected);
    EXPECT_EQ(registry.openKeys, 0);
    EXPECT_EQ(SaverSettings.ExtraMemory, 1u);
}

TEST_F(SettingsStoreTest, ValuesLoadWithTheirUnitsAndEmptyMasksBecomeDefaults) {
    Store("ExtraMemory", 1);
    Store("CompletionDelay", 300);
    Store("BlankingMethod", 0);
    Store("ColourScheme", 0);
    Store("CurveType", 0);
    Store("MinIterations", 500);
    Store("MaxIterations", 100);
    Store("ExcludeCurves", 7);
    Store("AllMonitors", 2);
    LoadSettings();
    ExpectLoaded({1, 300000, 2, 0x3FFF, 15, 500, 100, 7, 2});
}

TEST_F(SettingsStoreTest, PartialKeyUsesWhatIsThereAndDefaultsTheRest) {
    Store("ColourScheme", 2);
    Store("CompletionDelay", 0);
    LoadSettings();
    EXPECT_EQ(SaverSettings.ColourScheme, 2u);
    EXPECT_EQ(SaverSettings.CompletionDelay, 0);
    EXPECT_EQ(SaverSettings.CurveType, 15u);
    EXPECT_EQ(SaverSettings.BlankingMethod, 2u);
}

TEST_F(SettingsStoreTest, DelayIsNotLimitedAndItsMillisecondsWrapIn32Bits) {
    Store("CompletionDelay", 400);
    LoadSettings();
    EXPECT_EQ(SaverSettings.CompletionDelay, 400000);
    Store("CompletionDelay", 4294967);  // 4294967000 ms: wraps to -296
    LoadSettings();
    EXPECT_EQ(SaverSettings.CompletionDelay, -296);
}

TEST_F(SettingsStoreTest, TypeIsIgnoredLongDataIsSkippedShortDataIsZeroExtended) {
    registry.keys[kSettingsKeyPath]["CurveType"] = {1 /* REG_SZ */, {4, 0, 0, 0}};
    registry.keys[kSettingsKeyPath]["MinIterations"] = {3, {1, 2, 3, 4, 5}};
    registry.keys[kSettingsKeyPath]["MaxIterations"] = {3, {0x2C, 0x01}};
    LoadSettings();
    EXPECT_EQ(SaverSettings.CurveType, 4u);
    EXPECT_EQ(SaverSettings.MinIterations, 0);
    EXPECT_EQ(SaverSettings.MaxIterations, 300);
}

TEST_F(SettingsStoreTest, MaskWithoutMeaningfulBitsPassesUnchanged) {
    Store("CurveType", 16);
    Store("ColourScheme", 0x4000);
    LoadSettings();
    EXPECT_EQ(SaverSettings.CurveType, 16u);
    EXPECT_EQ(SaverSettings.ColourScheme, 0x4000u);
}

TEST_F(SettingsStoreTest, StoreCreatesTheKeyAndWritesAFourByteDword) {
    StoreSetting("MaxIterations", 0x01020304);
    const FakeRegistryValue& value = registry.keys[kSettingsKeyPath]["MaxIterations"];
    EXPECT_EQ(value.type, kRegDword);
    EXPECT_EQ(value.data, (std::vector<uint8_t>{4, 3, 2, 1}));
    EXPECT_EQ(registry.openKeys, 0);
    LoadSettings();
    EXPECT_EQ(SaverSettings.MaxIterations, 0x01020304);
}

TEST_F(SettingsStoreTest, FailedCreateSkipsOnlyThatValue) {
    registry.failCreate = true;
    StoreSetting("CurveType", 4);
    registry.failCreate = false;
    StoreSetting("ColourScheme", 2);
    EXPECT_EQ(registry.keys[kSettingsKeyPath].count("CurveType"), 0u);
    EXPECT_EQ(registry.keys[kSettingsKeyPath].count("ColourScheme"), 1u);
}

}  // namespace
}  // namespace scintle
