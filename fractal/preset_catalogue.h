// The built-in catalogue: the views of every family (in the family table,
// family_table.h), the fallback view, and the rule by which the user's iteration
// bounds admit a view into the deck.
#pragma once

#include <cstdint>

#include "fractal/fractal_preset.h"

namespace scintle {

struct CatalogueTable {
    const CatalogueRow* rows;
    int count;
    int32_t family;
};

// The views of one family (1, 2, 4 or 8); count 0 for any other value.
CatalogueTable CatalogueOf(int32_t family);

// The whole set, a view of kFallbackFamily, added when nothing else reaches the deck.
extern const CatalogueRow kFallbackRow;

// The admission rule under the current settings: false when the row is dropped,
// otherwise true with *cap lowered to MaxIterations or raised to MinIterations.
bool AdmitCap(int32_t family, int32_t* cap);

}  // namespace scintle
