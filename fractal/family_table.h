// The family table: for each fractal family its number (its CurveType bit), its views
// in the catalogue, its one-pixel kernel, and how its pictures differ from the
// others'. Everything below the fronts that depends on the family asks here; the
// families' maps are family_maps.h, their labels the CurveType setting's.
//
// To add a family: its number (fractal_family.h), its map and a line of
// SCINTLE_FAMILY_MAPS (family_maps.h), its rows and its line of the table
// (family_table.cpp), and its CurveType check box (docs/architecture.md tells where).
#pragma once

#include <cstdint>

#include "fractal/escape_kernels.h"
#include "fractal/fractal_family.h"
#include "fractal/fractal_preset.h"

namespace scintle {

// How a view drawn from the deck is flipped at random: mirrored top to bottom, or
// turned through 180 degrees (the sets are symmetric, so the picture stays true).
enum class ViewFlip : int32_t { kNone, kMirror, kTurn };
// The colour of an escaped point: by its escape step, or black (a family whose
// picture is the interior).
enum class EscapedColour : int32_t { kByStep, kBlack };
// Whether MinIterations raises the family's caps (not where the escape area makes the
// picture).
enum class MinimumRaise : int32_t { kRaises, kLeavesAlone };

using OutcomeFunction = PixelOutcome (*)(const KernelFrame& frame, int32_t x, int32_t y);

struct FamilyInfo {
    int32_t family;            // a FractalFamily
    const CatalogueRow* rows;  // its views, in catalogue order
    int32_t rowCount;
    OutcomeFunction outcome;   // the one-pixel kernel on ActiveView
    bool turned;               // the pixel enters the plane as (row upwards, column)
    ViewFlip flip;
    EscapedColour escaped;
    MinimumRaise minimum;
};

// In CurveType bit order, which is also the order in which the deck takes them.
extern const FamilyInfo kFamilies[kFamilyCount];

// The family of this number, or nullptr for any other value.
const FamilyInfo* FamilyOf(int32_t family);

// The family a view of this number is drawn as: any value but a family's is drawn
// as the fallback family.
const FamilyInfo& DrawnFamily(int32_t family);

// The outcome of one pixel of ActiveView under its family's one-pixel kernel.
PixelOutcome FamilyOutcome(int32_t family, const KernelFrame& frame, int32_t x, int32_t y);

// The label of a family (its CurveType check box's), or nullptr for other values.
const char* FamilyName(int32_t family);

}  // namespace scintle
