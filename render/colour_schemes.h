// The fourteen colour schemes: colours computed from an index, no palette in memory.
//
// ChooseColourScheme picks one scheme among those enabled in the ColourScheme mask
// once per picture and sets paletteLength (7, 2, 14 or 253). ColourLookup maps any
// index to a COLORREF under the active scheme; each colour function reduces the
// index modulo paletteLength first.
#pragma once

#include <cstdint>

#include "render/render_platform.h"

namespace scintle {

inline constexpr uint32_t kRainbow = 0x0001;
inline constexpr uint32_t kMono = 0x0002;
inline constexpr uint32_t kBold1 = 0x0004;
inline constexpr uint32_t kBold6 = 0x0080;
inline constexpr uint32_t kFirestorm = 0x0100;
inline constexpr uint32_t kBlueGreen = 0x2000;

extern uint32_t activeScheme;
extern int32_t paletteLength;

void ChooseColourScheme();

// Makes `scheme` (one ColourScheme bit) the active one, with its palette length.
void SetActiveScheme(uint32_t scheme);
int32_t PaletteLengthOf(uint32_t scheme);

Colorref ColourLookup(int32_t index);

Colorref RainbowColour(int32_t index);
Colorref MonoColour(int32_t index);
Colorref BoldColour(int32_t index);
Colorref GradientColour(int32_t index);

}  // namespace scintle
