#include "render/colour_schemes.h"

#include "fractal/random.h"
#include "settings/saver_settings.h"

namespace scintle {

ColourSchemeState colourSchemes;

namespace {

constexpr Colorref kRainbowColours[7] = {
    Rgb(255, 0, 0), Rgb(255, 128, 0), Rgb(255, 255, 0), Rgb(0, 255, 0),
    Rgb(0, 0, 255), Rgb(128, 64, 196), Rgb(255, 0, 255)};

struct Triple {
    uint8_t a, b, c;
};

constexpr Triple kBoldLevels[14] = {
    {84, 0, 0},     {168, 0, 0},  {252, 0, 0},   {252, 84, 0},  {252, 168, 0},
    {252, 252, 0},  {168, 252, 252}, {0, 252, 252}, {0, 168, 252}, {0, 84, 252},
    {0, 0, 252},    {0, 0, 168},  {0, 0, 84},    {84, 252, 252}};

// Which of the levels A, B, C goes to red, green and blue: 0 = A, 1 = B, 2 = C.
struct ChannelOrder {
    uint8_t red, green, blue;
};

Colorref Assign(const Triple& t, ChannelOrder order) {
    const uint8_t levels[3] = {t.a, t.b, t.c};
    return Rgb(levels[order.red], levels[order.green], levels[order.blue]);
}

ChannelOrder BoldOrder(uint32_t scheme) {
    switch (scheme) {
        case kBold1: return {2, 1, 0};  // C B A
        case kBold2: return {2, 0, 1};  // C A B
        case kBold3: return {1, 2, 0};  // B C A
        case kBold4: return {1, 0, 2};  // B A C
        case kBold5: return {0, 1, 2};  // A B C
        default: return {0, 2, 1};      // Bold 6: A C B
    }
}

ChannelOrder GradientOrder(uint32_t scheme) {
    switch (scheme) {
        case kFirestorm: return {0, 1, 2};     // A B C
        case kValentine: return {1, 2, 0};     // B C A
        case kStormyNight: return {2, 1, 0};   // C B A
        case kRedPurple: return {0, 2, 1};     // A C B
        case kGreenYellow: return {1, 0, 2};   // B A C
        default: return {2, 0, 1};             // Blue / green: C A B
    }
}

// The three ramps, in 8-bit arithmetic (modulo 256) as the bands define them.
Triple GradientRamps(int32_t n) {
    auto byte = [](int32_t v) { return static_cast<uint8_t>(v); };
    uint8_t a, b, c;
    if (n <= 30) a = byte(6 * n + 60);
    else if (n <= 192) a = 252;
    else a = byte(55 - 3 * n);

    if (n <= 30) b = byte(60 - 2 * n);
    else if (n <= 62) b = byte(static_cast<int32_t>((n - 31) * 7.626));
    else if (n <= 96) b = 252;
    else b = byte((221 - n) * 2);

    if (n <= 30) c = byte(60 - 2 * n);
    else if (n <= 63) c = 0;
    else if (n <= 96) c = byte(static_cast<int32_t>((n - 64) * 7.5));
    else if (n <= 159) c = byte((224 - n) * 4);
    else if (n <= 225) c = 0;
    else c = byte(2 * n + 60);
    return {a, b, c};
}

bool IsSchemeBit(uint32_t mask) {
    return mask != 0 && (mask & (mask - 1)) == 0 && (mask & kAllColourSchemes) != 0;
}

}  // namespace

int32_t PaletteLengthOf(uint32_t scheme) {
    if (scheme == kMono) return 2;
    if (scheme >= kBold1 && scheme <= kBold6) return 14;
    if (scheme >= kFirestorm && scheme <= kBlueGreen) return 253;
    return 7;
}

void SetActiveScheme(uint32_t scheme) {
    colourSchemes.activeScheme = scheme;
    colourSchemes.paletteLength = PaletteLengthOf(scheme);
}

void ChooseColourScheme() {
    const uint32_t mask = SaverSettings.ColourScheme;
    uint32_t scheme = kRainbow;
    if (IsSchemeBit(mask)) {
        scheme = mask;
    } else if ((mask & kAllColourSchemes) != 0) {
        do scheme = 1u << (rand() % kColourSchemeCount);
        while ((mask & scheme) == 0);
    }
    // 0, 1 and masks with none of the fourteen bits give Rainbow without a draw.
    SetActiveScheme(scheme);
}

Colorref ColourLookup(int32_t index) {
    switch (colourSchemes.activeScheme) {
        case kMono: return MonoColour(index);
        case kBold1: case kBold2: case kBold3: case kBold4: case kBold5: case kBold6:
            return BoldColour(index);
        case kFirestorm: case kValentine: case kStormyNight: case kRedPurple:
        case kGreenYellow: case kBlueGreen:
            return GradientColour(index);
        default: return RainbowColour(index);
    }
}

Colorref RainbowColour(int32_t index) {
    const int32_t n = index % colourSchemes.paletteLength;
    return n >= 0 && n < 7 ? kRainbowColours[n] : kBlack;
}

Colorref MonoColour(int32_t index) {
    const int32_t n = index % colourSchemes.paletteLength;
    if (n == 0) return Rgb(255, 255, 255);
    return kBlack;
}

Colorref BoldColour(int32_t index) {
    const int32_t n = index % colourSchemes.paletteLength;
    if (n < 0 || n >= 14) return kBlack;
    return Assign(kBoldLevels[n], BoldOrder(colourSchemes.activeScheme));
}

Colorref GradientColour(int32_t index) {
    const int32_t n = index % colourSchemes.paletteLength;
    if (n > 252) return kBlack;  // only with a palette length that is not the gradient's
    return Assign(GradientRamps(n), GradientOrder(colourSchemes.activeScheme));
}

}  // namespace scintle
