// The bits of the three settings masks: BlankingMethod, ColourScheme and CurveType.
// The registry holds these numbers, so they never change.
#pragma once

#include <cstdint>

namespace scintle {

// BlankingMethod.
inline constexpr uint32_t kScintleFade = 1u << 0;
inline constexpr uint32_t kFastFade = 1u << 1;
inline constexpr uint32_t kNoFade = 1u << 2;
inline constexpr int kBlankingMethodCount = 3;
inline constexpr uint32_t kAllBlankingMethods = kScintleFade | kFastFade | kNoFade;

// ColourScheme: Rainbow, Mono, six bold schemes, six gradients.
inline constexpr uint32_t kRainbow = 1u << 0;
inline constexpr uint32_t kMono = 1u << 1;
inline constexpr uint32_t kBold1 = 1u << 2;
inline constexpr uint32_t kBold2 = 1u << 3;
inline constexpr uint32_t kBold3 = 1u << 4;
inline constexpr uint32_t kBold4 = 1u << 5;
inline constexpr uint32_t kBold5 = 1u << 6;
inline constexpr uint32_t kBold6 = 1u << 7;
inline constexpr uint32_t kFirestorm = 1u << 8;
inline constexpr uint32_t kValentine = 1u << 9;
inline constexpr uint32_t kStormyNight = 1u << 10;
inline constexpr uint32_t kRedPurple = 1u << 11;
inline constexpr uint32_t kGreenYellow = 1u << 12;
inline constexpr uint32_t kBlueGreen = 1u << 13;
inline constexpr int kColourSchemeCount = 14;
inline constexpr uint32_t kAllColourSchemes = (1u << kColourSchemeCount) - 1;

// CurveType: one bit for each fractal family, whose number it is (fractal/fractal_family.h).
inline constexpr int kCurveTypeCount = 4;
inline constexpr uint32_t kAllCurveTypes = (1u << kCurveTypeCount) - 1;

}  // namespace scintle
