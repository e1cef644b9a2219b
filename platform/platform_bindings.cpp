// The bindings in force, one per platform interface. A program sets them before it
// runs anything that reaches the platform: the Windows saver to its Win32 bindings
// (host/win32_entry.cpp), the X11 saver to its X11 and POSIX ones, scintle-render to a
// memory canvas, tests to their fakes.
#include "platform/dialog_platform.h"
#include "platform/host_platform.h"
#include "platform/kernel_platform.h"
#include "platform/registry_platform.h"
#include "platform/render_platform.h"

namespace scintle {

RenderPlatform* renderPlatform = nullptr;
KernelPlatform* kernelPlatform = nullptr;
RegistryPlatform* registryPlatform = nullptr;
DialogPlatform* dialogPlatform = nullptr;
HostPlatform* hostPlatform = nullptr;

}  // namespace scintle
