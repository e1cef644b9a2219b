// The entry's work: store the module instance, read the run mode from the command
// line and run that one mode; its result is the process's exit code.
//
//   (nothing), c   the configuration dialog (after 'c' owned by the foreground window)
//   s              the saver full screen                               -> 0
//   p, l <handle>  the saver as a preview in window <handle>           -> 0; -1 without one
//   a <handle>     the password change, owned by <handle> or else by the foreground -> 0
//   anything else  nothing                                             -> -1
//
// The platform's WinMain (win32_entry.cpp) runs this inside the fault guard.
#pragma once

#include <cstdint>

#include "platform/host_platform.h"

namespace scintle {

int32_t RunEntry(ModuleHandle instance, const char* commandLine);

// The configuration dialog, modal, owned by `owner` (may be null). Returns what the
// dialog ended with: 1 for OK, 0 for Cancel, -1 when it could not be created.
intptr_t ShowConfigDialog(WindowHandle owner);

}  // namespace scintle
