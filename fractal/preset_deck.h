// The preset deck: a shuffled pack of the admitted presets of the enabled families.
//
// Each picture draws one preset at random and removes it; only an empty deck is
// refilled from the catalogue, so within one pass every admitted view is shown once.
// The drawn view is copied into ActiveView, where it may be mirrored or turned at
// random, as its family's row of the family table says (family_table.h).
//
// Random draws per ChooseNextPreset, in order: one bailout per preset constructed by
// a refill, one for the index, one for the flip (families that flip only).
//
// A preset that cannot be allocated beeps (Beep(250, 250), the saver's one signal of
// it) and is left out. Without memory a refill would beep for every view, about 19
// seconds for the whole catalogue, so after a failed allocation the refill looks at
// the stop request of the cycle that draws (runningFlag) and, once it reads 0, adds
// and beeps nothing more. A refill whose allocations succeed never looks at it: a
// stop changes neither its views nor its random draws.
#pragma once

#include <atomic>
#include <cstdint>

#include "fractal/fractal_preset.h"

namespace scintle {

struct PresetDeckState {
    FractalPreset* deckHead = nullptr;
    FractalPreset* deckTail = nullptr;
    int32_t deckCount = 0;
    // The drawing cycle's runningFlag (set by the render cycle), or null: none to watch.
    const std::atomic<int32_t>* runningFlag = nullptr;
    bool refillStopped = false;  // a stop seen after a failed allocation, this refill
};

extern PresetDeckState PresetDeck;

void AppendPreset(const CatalogueRow& row, int32_t family);
void RefillDeck();
void ChooseNextPreset();
void TakePreset(int32_t index);
void LoadActiveView(const FractalPreset& preset);

// Mirrors the view top to bottom, or turns it through 180 degrees, as its family
// flips; other families are left as they are.
void FlipView(ActiveViewRecord* view);

// Frees every preset still in the deck (a fresh process, for tests and tools).
void ClearDeck();

}  // namespace scintle
