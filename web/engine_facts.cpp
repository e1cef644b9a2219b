#include "web/engine_facts.h"

#include <cctype>
#include <cstdio>

#include "fractal/family_table.h"
#include "platform/pointer_drift.h"
#include "settings/config_dialog.h"
#include "settings/option_layer.h"
#include "settings/option_name.h"
#include "settings/setting_table.h"
#include "web/query_options.h"

namespace scintle {

namespace {

// The word the dialog shows after a field of whole seconds.
constexpr char kSecondsUnit[] = "second(s)";

const char* KindName(SettingKind kind) {
    switch (kind) {
        case SettingKind::kSwitch: return "switch";
        case SettingKind::kSeconds: return "seconds";
        case SettingKind::kCount: return "count";
        case SettingKind::kMask: return "mask";
    }
    return "?";
}

std::string Number(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

std::string Whole(long long value) { return std::to_string(value); }

// "name":value pairs joined into an object.
class Object {
public:
    Object& Add(const char* name, const std::string& json) {
        text_ += (text_.size() > 1 ? "," : "") + JsonString(name) + ":" + json;
        return *this;
    }
    Object& Text(const char* name, const char* value) {
        return value ? Add(name, JsonString(value)) : *this;
    }
    std::string Done() const { return text_ + "}"; }

private:
    std::string text_ = "{";
};

std::string Setting(const SettingInfo& s) {
    Object row;
    row.Text("name", s.name).Text("kind", KindName(s.kind));
    row.Add("default", Whole(s.defaultValue)).Add("low", Whole(s.low)).Add("high", Whole(s.high));
    row.Text("group", s.group).Text("label", s.label).Text("offLabel", s.offLabel);
    if (s.kind == SettingKind::kSeconds) row.Text("unit", kSecondsUnit);
    row.Text("option", s.option).Text("offOption", s.offOption);
    if (s.cycleOption) row.Text("cycleOption", s.cycleOption + 2);
    if (s.kind == SettingKind::kSeconds || s.kind == SettingKind::kCount) {
        char message[96];
        FormatRangeMessage(s, message, sizeof message);
        row.Text("rangeMessage", message);
    }
    if (s.kind == SettingKind::kMask) {
        std::string bits = "[";
        for (int32_t i = 0; i < s.bitCount; ++i) {
            Object bit;
            bit.Text("label", s.bits[i].label)
                .Text("option", OptionName(s.bits[i].label).c_str())
                .Add("value", Whole(1ll << i));
            bits += (i ? "," : "") + bit.Done();
        }
        row.Add("bits", bits + "]");
    }
    return row.Done();
}

std::string Family(const FamilyInfo& f) {
    const char* name = FamilyName(f.family);
    std::string option = name;
    for (char& c : option) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::string rows = "[";
    for (int32_t i = 0; i < f.rowCount; ++i) {
        const CatalogueRow& r = f.rows[i];
        Object row;
        row.Add("row", Whole(i + 1)).Add("xMin", Number(r.xMin)).Add("xMax", Number(r.xMax));
        row.Add("yMin", Number(r.yMin)).Add("yMax", Number(r.yMax));
        row.Add("constA", Number(r.constA)).Add("constB", Number(r.constB));
        row.Add("iterationCap", Whole(r.iterationCap));
        rows += (i ? "," : "") + row.Done();
    }
    Object family;
    family.Add("number", Whole(f.family)).Text("name", name).Text("option", option.c_str());
    return family.Add("rows", rows + "]").Done();
}

}  // namespace

std::string JsonString(const char* text) {
    std::string out = "\"";
    for (const char* c = text; *c; ++c) {
        const auto u = static_cast<unsigned char>(*c);
        if (u == '"' || u == '\\') {
            out += '\\';
            out += *c;
        } else if (u < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", u);
            out += escape;
        } else {
            out += *c;
        }
    }
    return out + "\"";
}

std::string EngineFactsJson(const char* version) {
    std::string settings = "[";
    for (const SettingInfo& s : kSettingTable)
        settings += (settings.size() > 1 ? "," : "") + Setting(s);
    std::string families = "[";
    for (const FamilyInfo& f : kFamilies) families += (families.size() > 1 ? "," : "") + Family(f);
    Object messages;
    messages.Text("inconsistentEntry", kInconsistentEntryText)
        .Text("inconsistentEntryCaption", kInconsistentEntryCaption)
        .Text("invalidEntryCaption", kInvalidEntryCaption);
    Object facts;
    facts.Text("version", version).Add("settings", settings + "]").Add("messages", messages.Done());
    facts.Add("families", families + "]").Add("pointerThreshold", Whole(mouseMoveThreshold));
    Object limits;
    limits.Add("side", Whole(kMaxSide)).Add("pixels", Whole(kMaxPixels));
    facts.Add("pictureLimits", limits.Done());
    return facts.Done();
}

}  // namespace scintle
