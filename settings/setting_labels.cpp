#include "settings/setting_labels.h"

namespace scintle {

const MaskLabel kBlankingMethodLabels[kBlankingMethodCount] = {
    {1, "Scintle fade"}, {2, "Fast fade"}, {4, "No Fade"}};

const MaskLabel kColourSchemeLabels[kColourSchemeCount] = {
    {0x0001, "Rainbow"},      {0x0002, "Mono"},          {0x0004, "Bold 1"},
    {0x0008, "Bold 2"},       {0x0010, "Bold 3"},        {0x0020, "Bold 4"},
    {0x0040, "Bold 5"},       {0x0080, "Bold 6"},        {0x0100, "Firestorm"},
    {0x0200, "Valentine"},    {0x0400, "Stormy night"},  {0x0800, "Red / purple"},
    {0x1000, "Green / yellow"}, {0x2000, "Blue / green"}};

const MaskLabel kCurveTypeLabels[kCurveTypeCount] = {
    {1, "Mandelbrot"}, {2, "Julia"}, {4, "Dragon"}, {8, "Phoenix"}};

namespace {
template <int N>
const char* Find(const MaskLabel (&labels)[N], uint32_t bit) {
    for (const MaskLabel& entry : labels)
        if (entry.bit == bit) return entry.label;
    return nullptr;
}
}  // namespace

const char* BlankingMethodLabel(uint32_t bit) { return Find(kBlankingMethodLabels, bit); }
const char* ColourSchemeLabel(uint32_t bit) { return Find(kColourSchemeLabels, bit); }
const char* CurveTypeLabel(uint32_t bit) { return Find(kCurveTypeLabels, bit); }

}  // namespace scintle
