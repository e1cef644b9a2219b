// The settings and family tables against what is written by hand from them: the
// masks' named bits, xscreensaver's panel, the manual pages and the dialog template.
// A setting or family added to a table and missed in one of these fails here.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "fractal/family_table.h"
#include "settings/setting_table.h"
#include "settings/option_name.h"
#include "x11_saver/saver_options.h"

namespace scintle {
namespace {

std::string ReadSource(const std::string& path) {
    std::ifstream file(std::string(SCINTLE_SOURCE_DIR) + "/" + path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_FALSE(text.str().empty()) << path;
    return text.str();
}

// "--stormy-night" as the manual pages write it.
std::string ManOption(const std::string& option) {
    std::string text;
    for (char c : option) text += c == '-' ? std::string("\\-") : std::string(1, c);
    return text;
}

// The paragraph of a manual page that starts with this option (up to the next .TP),
// on one line.
std::string ManParagraph(const std::string& page, const std::string& option) {
    for (const char* macro : {"\n.BI ", "\n.BR ", "\n.B "}) {
        const std::string start = macro + ManOption(option);
        for (size_t at = page.find(start); at != std::string::npos; at = page.find(start, at + 1)) {
            const char next = page[at + start.size()];
            if (next != ' ' && next != '\n') continue;
            std::string paragraph = page.substr(at, page.find("\n.TP", at + 1) - at);
            for (char& c : paragraph) c = c == '\n' ? ' ' : c;  // words, wherever troff breaks lines
            return paragraph;
        }
    }
    return {};
}

TEST(SettingTable, NamedBitsAndFamiliesAreTheTablesBits) {
    EXPECT_STREQ(BlankingMethodLabel(kScintleFade), "Scintle fade");
    EXPECT_STREQ(BlankingMethodLabel(kNoFade), "No Fade");
    EXPECT_STREQ(ColourSchemeLabel(kRainbow), "Rainbow");
    EXPECT_STREQ(ColourSchemeLabel(kBold6), "Bold 6");
    EXPECT_STREQ(ColourSchemeLabel(kFirestorm), "Firestorm");
    EXPECT_STREQ(ColourSchemeLabel(kBlueGreen), "Blue / green");
    EXPECT_EQ(ColourSchemeLabel(kBlueGreen << 1), nullptr);
    for (int i = 0; i < kFamilyCount; ++i) {
        EXPECT_EQ(kFamilies[i].family, 1 << i) << "families in CurveType bit order";
        EXPECT_NE(FamilyName(kFamilies[i].family), nullptr);
    }
    EXPECT_STREQ(FamilyName(kPhoenix), "Phoenix");
    EXPECT_EQ(FamilyName(16), nullptr);
    for (const SettingInfo& setting : kSettingTable)
        EXPECT_EQ(StoredValue(kStartSettings, setting), setting.defaultValue) << setting.name;
}

// Every element of scintle.xml is one option of the table, with its label, range and
// start value, and every option of the table has its element.
TEST(SettingTable, XscreensaverPanelOffersEveryOptionAsTheTableDefinesIt) {
    const std::string panel = ReadSource("resources/scintle.xml");
    std::map<std::string, std::map<std::string, std::string>> byLabel;
    const std::regex element("<(boolean|number|option)\\b([^>]*)>");
    const std::regex attribute("([a-z_-]+)=\"([^\"]*)\"");
    for (auto e = std::sregex_iterator(panel.begin(), panel.end(), element); e != std::sregex_iterator(); ++e) {
        std::map<std::string, std::string> attributes;
        const std::string body = (*e)[2];
        for (auto a = std::sregex_iterator(body.begin(), body.end(), attribute); a != std::sregex_iterator(); ++a)
            attributes[(*a)[1]] = (*a)[2];
        attributes["element"] = (*e)[1];
        byLabel[attributes["_label"]] = attributes;
    }
    size_t expected = 0;
    auto expectFlag = [&](const std::string& label, const std::string& option, bool on) {
        ++expected;
        const auto found = byLabel.find(label);
        ASSERT_NE(found, byLabel.end()) << "no check box \"" << label << "\" in scintle.xml";
        auto attributes = found->second;
        if (on) EXPECT_EQ(attributes["arg-unset"], "--no-" + option) << label;
        else EXPECT_EQ(attributes["arg-set"], "--" + option) << label;
    };
    for (const SettingInfo& s : kSettingTable) {
        if (s.kind == SettingKind::kMask) {
            for (int32_t i = 0; i < s.bitCount; ++i)
                expectFlag(s.bits[i].label, OptionName(s.bits[i].label), s.defaultValue >> i & 1u);
        } else if (s.option && s.kind == SettingKind::kSwitch) {
            expectFlag(s.label, s.option, s.defaultValue != 0);
            if (s.offLabel) {
                ++expected;
                EXPECT_EQ(byLabel[s.offLabel]["element"], "option") << s.offLabel;
                EXPECT_EQ(byLabel[s.label]["element"], "option") << s.label;
                EXPECT_EQ(byLabel[s.offLabel].count("arg-set"), 0u) << s.offLabel;
            }
        } else if (s.option) {
            ++expected;
            auto attributes = byLabel[s.label];
            EXPECT_EQ(attributes["element"], "number") << s.name;
            EXPECT_EQ(attributes["arg"], std::string("--") + s.option + " %") << s.name;
            EXPECT_EQ(attributes["low"], std::to_string(s.low)) << s.name;
            EXPECT_EQ(attributes["high"], std::to_string(s.high)) << s.name;
            EXPECT_EQ(attributes["default"], std::to_string(s.defaultValue)) << s.name;
        }
    }
    EXPECT_EQ(byLabel.size(), expected) << "scintle.xml has elements the table does not know";
}

// The X11 saver's page names every option, with its range and start value; a check
// box's option is marked * exactly when it starts on.
TEST(SettingTable, SaverManualPageListsEveryOption) {
    const std::string page = ReadSource("docs/man/scintle.6");
    for (const FrontOption& own : SaverOwnOptions())
        EXPECT_TRUE(own.help.empty() || !ManParagraph(page, std::string("--") + own.name).empty());
    for (const SettingInfo& s : kSettingTable) {
        if (s.kind == SettingKind::kMask) {
            for (int32_t i = 0; i < s.bitCount; ++i) {
                const std::string option = ".BR " + ManOption("--" + OptionName(s.bits[i].label)) + " ";
                const size_t at = page.find(option);
                ASSERT_NE(at, std::string::npos) << option;
                EXPECT_EQ(page[at + option.size()] == '*', (s.defaultValue >> i & 1u) != 0) << option;
            }
            continue;
        }
        if (!s.option) continue;
        const std::string paragraph = ManParagraph(page, std::string("--") + s.option);
        ASSERT_FALSE(paragraph.empty()) << s.option;
        if (s.kind == SettingKind::kSwitch) {
            EXPECT_NE(paragraph.find(ManOption(std::string("--no-") + s.option)), std::string::npos) << s.option;
            if (s.offOption) {
                EXPECT_NE(paragraph.find(ManOption(std::string("--") + s.offOption)), std::string::npos);
            }
        } else if (s.kind == SettingKind::kSeconds) {
            EXPECT_NE(paragraph.find(std::to_string(s.low) + " to " + std::to_string(s.high)), std::string::npos);
            EXPECT_NE(paragraph.find("(default " + std::to_string(s.defaultValue) + ")"), std::string::npos);
        } else {
            EXPECT_NE(paragraph.find(std::to_string(s.defaultValue) + ", the default"), std::string::npos);
        }
    }
}

// scintle-render's page: every settings option of `cycle` with its start value, and
// every family with its number of views.
TEST(SettingTable, RendererManualPageListsEveryCycleOptionAndFamily) {
    const std::string page = ReadSource("docs/man/scintle-render.1");
    for (const auto* options : {&ViewOptions(), &CycleOptions()})
        for (const FrontOption& own : *options)
            EXPECT_FALSE(ManParagraph(page, (own.name[1] ? "--" : "-") + std::string(own.name)).empty());
    for (const SettingInfo& s : kSettingTable) {
        if (!s.cycleOption) continue;
        const std::string paragraph = ManParagraph(page, s.cycleOption);
        ASSERT_FALSE(paragraph.empty()) << s.cycleOption;
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%x", s.defaultValue);
        const std::string value = std::to_string(s.defaultValue);
        const bool named = paragraph.find("default " + value) != std::string::npos ||
                           paragraph.find(std::string("default ") + hex) != std::string::npos ||
                           paragraph.find(value + " (the default)") != std::string::npos ||
                           paragraph.find(value + ", the default") != std::string::npos;
        EXPECT_TRUE(named) << s.cycleOption << " does not give its default " << value;
    }
    const std::string families = ManParagraph(page, "--family");
    const std::string rows = ManParagraph(page, "--row");
    for (const FamilyInfo& family : kFamilies) {
        std::string name = FamilyName(family.family);
        EXPECT_NE(rows.find(std::to_string(family.rowCount) + " " + name), std::string::npos) << name;
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_NE(families.find(name), std::string::npos) << name;
    }
}

}  // namespace
}  // namespace scintle
