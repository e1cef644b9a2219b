#include "cli/render_arguments.h"

#include <cctype>
#include <charconv>

#include "fractal/family_table.h"
#include "settings/option_layer.h"
#include "settings/setting_table.h"

namespace scintle {

namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

std::string FamilyNames(const std::string& between, const std::string& beforeLast) {
    std::string names;
    for (const FamilyInfo& info : kFamilies) names += Lower(FamilyName(info.family)) + between;
    names.resize(names.size() - between.size());
    return names + beforeLast + "fallback";
}

bool ParseFamily(const std::string& text, int32_t* family, std::string* error) {
    const std::string name = Lower(text);
    if (name == "fallback") {
        *family = 0;
        return true;
    }
    for (const FamilyInfo& info : kFamilies) {
        if (name == Lower(FamilyName(info.family))) {
            *family = info.family;
            return true;
        }
    }
    *error = "unknown family '" + text + "' (" + FamilyNames(", ", " or ") + ")";
    return false;
}

bool ParseScheme(const std::string& text, uint32_t* scheme, std::string* error) {
    const SettingInfo& schemes = SettingNamed("ColourScheme");
    for (int32_t i = 0; i < schemes.bitCount; ++i) {
        if (Lower(text) == Lower(schemes.bits[i].label)) {
            *scheme = 1u << i;
            return true;
        }
    }
    int64_t number = 0;
    if (ReadWholeNumber(text, true, false, &number) && number > 0 && number <= 0xFFFFFFFFll &&
        ColourSchemeLabel(static_cast<uint32_t>(number)) != nullptr) {
        *scheme = static_cast<uint32_t>(number);
        return true;
    }
    *error = "unknown colour scheme '" + text + "' (a label such as \"Firestorm\", or its bit)";
    return false;
}

bool ParseKernel(const std::string& text, KernelKind* kernel, std::string* error) {
    if (!ParseKernelName(text.c_str(), kernel)) {
        *error = "unknown kernel '" + text + "' (scalar, sse2, avx2, avx512 or auto)";
        return false;
    }
    if (!KernelSupported(*kernel)) {
        *error = "kernel '" + text + "' needs a processor feature this one lacks";
        return false;
    }
    return true;
}

std::string ShortestDecimal(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

}  // namespace scintle
