// The Win32 bindings of the platform interfaces, and the fault guard. Declared without
// windows.h so that the entry can name them; defined in the win32_*.cpp files beside.
#pragma once

#include <cstdint>

#include "platform/dialog_platform.h"
#include "platform/host_platform.h"
#include "platform/kernel_platform.h"
#include "platform/registry_platform.h"
#include "platform/render_platform.h"

namespace scintle {

HostPlatform* Win32Host();
RenderPlatform* Win32Render();
KernelPlatform* Win32Kernel();
RegistryPlatform* Win32Registry();
DialogPlatform* Win32Dialog();

// Binds every interface to Win32: the first thing a Windows program of the saver does.
inline void BindWin32() {
    hostPlatform = Win32Host();
    renderPlatform = Win32Render();
    kernelPlatform = Win32Kernel();
    registryPlatform = Win32Registry();
    dialogPlatform = Win32Dialog();
}

// Runs body(argument) inside a structured exception frame. A fault under it goes to
// the platform's UnhandledExceptionFilter, which reports it; when that answers
// EXCEPTION_EXECUTE_HANDLER, the frames above are unwound, onFault runs and
// RunGuarded returns faultResult. Any other answer leaves the fault to the platform.
int32_t RunGuarded(int32_t (*body)(void*), void* argument, void (*onFault)(),
                   int32_t faultResult);

}  // namespace scintle
