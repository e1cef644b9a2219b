#include "cli/render_arguments.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>

#include "fractal/family_table.h"
#include "settings/setting_table.h"

namespace scintle {

namespace {

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool ParseWhole(const std::string& text, int base, long long* value) {
    if (text.empty()) return false;
    const char* first = text.data();
    const char* last = first + text.size();
    if (base == 16) first += 2;
    const auto result = std::from_chars(first, last, *value, base);
    return result.ec == std::errc() && result.ptr == last && first != last;
}

bool ParseNumber(const std::string& text, long long* value) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    return ParseWhole(text, hex ? 16 : 10, value);
}

}  // namespace

bool ParseOptions(const std::vector<std::string>& arguments,
                  const std::vector<std::string>& valued, const std::vector<std::string>& bare,
                  OptionList* options, std::string* error) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        if (Contains(bare, name)) {
            options->flags[name] = true;
        } else if (Contains(valued, name)) {
            if (i + 1 >= arguments.size()) {
                *error = name + " needs a value";
                return false;
            }
            options->values[name] = arguments[++i];
        } else {
            *error = "unknown option '" + name + "'";
            return false;
        }
    }
    return true;
}

bool ParseSize(const std::string& text, int32_t* width, int32_t* height, std::string* error) {
    const size_t cross = text.find_first_of("xX");
    long long w = 0, h = 0;
    if (cross == std::string::npos || !ParseWhole(text.substr(0, cross), 10, &w) ||
        !ParseWhole(text.substr(cross + 1), 10, &h)) {
        *error = "size '" + text + "' is not WIDTHxHEIGHT";
        return false;
    }
    if (w < 1 || h < 1 || w > kMaxSide || h > kMaxSide || w * h > kMaxPixels) {
        *error = "size '" + text + "' is out of range (1 to 16384 a side, at most 8192x8192 pixels)";
        return false;
    }
    *width = static_cast<int32_t>(w);
    *height = static_cast<int32_t>(h);
    return true;
}

bool ParseUnsigned(const std::string& name, const std::string& text, uint32_t* value,
                   std::string* error) {
    long long number = 0;
    if (!ParseNumber(text, &number) || number < 0 || number > 0xFFFFFFFFll) {
        *error = name + " '" + text + "' is not a number from 0 to 4294967295";
        return false;
    }
    *value = static_cast<uint32_t>(number);
    return true;
}

bool ParseSigned(const std::string& name, const std::string& text, int32_t* value,
                 std::string* error) {
    long long number = 0;
    if (!ParseWhole(text, 10, &number) || number < INT32_MIN || number > INT32_MAX) {
        *error = name + " '" + text + "' is not a 32-bit whole number";
        return false;
    }
    *value = static_cast<int32_t>(number);
    return true;
}

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
    long long number = 0;
    if (ParseNumber(text, &number) && number > 0 && number <= 0xFFFFFFFFll &&
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
