// The engine's process-wide state put back as a fresh process has it, for programs
// and tests that run several cycles in one process: the settings, the deck, ActiveView,
// the kernel choice, the colour scheme, the render cycle and its thread's state, and
// this thread's generator.
#pragma once

#include "render/memory_canvas.h"

namespace scintle {

// Everything back to its start values; the platform bindings are left as they are.
void ResetEngine();

// ResetEngine, then `canvas` as the render and kernel platforms and the window of the
// cycle.
void ResetEngine(MemoryCanvas* canvas);

}  // namespace scintle
