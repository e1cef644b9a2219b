// The built-in catalogue: 74 views of four families, and the fallback view.
//
// Running a family's catalogue passes each row, in table order, through the
// admission rule (the user's iteration bounds) into the preset deck.
#pragma once

#include <cstdint>

#include "fractal/fractal_preset.h"

namespace scintle {

struct CatalogueTable {
    const CatalogueRow* rows;
    int count;
    int32_t family;
};

// The table of one family (1, 2, 4 or 8); count 0 for any other value.
CatalogueTable CatalogueOf(int32_t family);

// The whole-set Mandelbrot view, added when nothing else reaches the deck.
extern const CatalogueRow kFallbackRow;

// The admission rule under the current settings: false when the row is dropped,
// otherwise true with *cap lowered to MaxIterations or raised to MinIterations.
bool AdmitCap(int32_t family, int32_t* cap);

// Appends the row to the deck when the admission rule lets it in, with its cap adjusted.
void AdmitPreset(CatalogueRow row, int32_t family);

void AddMandelbrotPresets();
void AddJuliaPresets();
void AddDragonPresets();
void AddPhoenixPresets();
void AddFallbackPreset();

}  // namespace scintle
