// Argument parsing for scintle-render: option lists, sizes, scheme names, numbers.
// Every parser returns false with a one-line reason rather than guessing.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "fractal/kernel_choice.h"

namespace scintle {

// Options of one command: "--name value" pairs and bare flags ("--flip").
struct OptionList {
    std::map<std::string, std::string> values;
    std::map<std::string, bool> flags;
};

// Splits argv into options. `valued` names the options that take a value, `bare`
// those that do not; anything else is refused.
bool ParseOptions(const std::vector<std::string>& arguments,
                  const std::vector<std::string>& valued, const std::vector<std::string>& bare,
                  OptionList* options, std::string* error);

inline constexpr int32_t kMaxSide = 16384;
inline constexpr int64_t kMaxPixels = int64_t{8192} * 8192;

bool ParseSize(const std::string& text, int32_t* width, int32_t* height, std::string* error);
bool ParseUnsigned(const std::string& name, const std::string& text, uint32_t* value,
                   std::string* error);  // decimal or 0x hexadecimal
bool ParseSigned(const std::string& name, const std::string& text, int32_t* value,
                 std::string* error);
bool ParseFamily(const std::string& text, int32_t* family, std::string* error);  // 0: fallback
// The names ParseFamily takes, in table order with `between` between them and
// `beforeLast` before the last, "fallback": FamilyNames(", ", " or ") reads
// "mandelbrot, julia, dragon, phoenix or fallback".
std::string FamilyNames(const std::string& between, const std::string& beforeLast);
bool ParseScheme(const std::string& text, uint32_t* scheme, std::string* error);
// scalar, sse2, avx2, avx512 or auto; refused when the processor lacks the kernel.
bool ParseKernel(const std::string& text, KernelKind* kernel, std::string* error);

// A double as the shortest decimal that reads back exactly.
std::string ShortestDecimal(double value);

}  // namespace scintle
