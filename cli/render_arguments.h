// What scintle-render's options take beyond numbers and sizes, which the option layer
// reads (settings/option_layer.h): family, colour scheme and kernel names.
#pragma once

#include <cstdint>
#include <string>

#include "fractal/kernel_choice.h"

namespace scintle {

bool ParseFamily(const std::string& text, int32_t* family, std::string* error);  // 0: fallback
// The names ParseFamily takes, in table order with `between` between them and
// `beforeLast` before the last, "fallback": FamilyNames(", ", " or ") reads
// "mandelbrot, julia, dragon, phoenix or fallback".
std::string FamilyNames(const std::string& between, const std::string& beforeLast);
// A colour scheme's label as the dialog shows it (any case), or its bit.
bool ParseScheme(const std::string& text, uint32_t* scheme, std::string* error);
// scalar, sse2, avx2, avx512 or auto; refused when the processor lacks the kernel.
bool ParseKernel(const std::string& text, KernelKind* kernel, std::string* error);

// A double as the shortest decimal that reads back exactly.
std::string ShortestDecimal(double value);

}  // namespace scintle
