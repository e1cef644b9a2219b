#include "settings/setting_labels.h"

namespace scintle {

const MaskLabel kBlankingMethodLabels[kBlankingMethodCount] = {
    {kScintleFade, "Scintle fade"}, {kFastFade, "Fast fade"}, {kNoFade, "No Fade"}};

const MaskLabel kColourSchemeLabels[kColourSchemeCount] = {
    {kRainbow, "Rainbow"},         {kMono, "Mono"},
    {kBold1, "Bold 1"},            {kBold2, "Bold 2"},
    {kBold3, "Bold 3"},            {kBold4, "Bold 4"},
    {kBold5, "Bold 5"},            {kBold6, "Bold 6"},
    {kFirestorm, "Firestorm"},     {kValentine, "Valentine"},
    {kStormyNight, "Stormy night"}, {kRedPurple, "Red / purple"},
    {kGreenYellow, "Green / yellow"}, {kBlueGreen, "Blue / green"}};

const MaskLabel kCurveTypeLabels[kCurveTypeCount] = {
    {1u << 0, "Mandelbrot"}, {1u << 1, "Julia"}, {1u << 2, "Dragon"}, {1u << 3, "Phoenix"}};

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
