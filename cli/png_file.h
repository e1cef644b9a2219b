// Writes a canvas as an 8-bit RGB PNG through libpng.
//
// The image goes to a temporary file beside the target, renamed into place only
// when complete, so a failed write leaves no half-written file behind.
#pragma once

#include <string>

#include "render/memory_canvas.h"

namespace scintle {

// False, with a one-line reason in *error, when the file cannot be written.
bool WritePng(const std::string& path, const MemoryCanvas& canvas, std::string* error);

}  // namespace scintle
