// The fourteen colour schemes: colours computed from an index, no palette in memory.
//
// ChooseColourScheme picks one scheme among those enabled in the ColourScheme mask
// once per picture and sets paletteLength (7, 2, 14 or 253). ColourLookup maps any
// index to a COLORREF under the active scheme; each colour function reduces the
// index modulo paletteLength first.
#pragma once

#include <climits>
#include <cstdint>

#include "platform/platform_types.h"
#include "settings/setting_masks.h"

namespace scintle {

struct ColourSchemeState {
    uint32_t activeScheme = kRainbow;  // one ColourScheme bit
    int32_t paletteLength = 7;
};

extern ColourSchemeState colourSchemes;

void ChooseColourScheme();

// Makes `scheme` (one ColourScheme bit) the active one, with its palette length.
void SetActiveScheme(uint32_t scheme);
int32_t PaletteLengthOf(uint32_t scheme);

Colorref ColourLookup(int32_t index);

// The colour index of a point that did not escape: its last tested squared modulus
// times paletteLength, truncated toward zero. A product beyond 32 bits (a bailout far
// above the saver's, as scintle-render's --bailout allows) gives INT32_MIN, the value
// the processor's conversion gives it, without converting it.
inline int32_t InteriorIndex(double squaredModulus) {
    const double scaled = squaredModulus * colourSchemes.paletteLength;
    return scaled < 2147483648.0 ? static_cast<int32_t>(scaled) : INT32_MIN;
}

Colorref RainbowColour(int32_t index);
Colorref MonoColour(int32_t index);
Colorref BoldColour(int32_t index);
Colorref GradientColour(int32_t index);

}  // namespace scintle
