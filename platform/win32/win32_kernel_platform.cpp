// The render thread's kernel services on Win32: KERNEL32's Sleep and Beep, and the C
// run-time's thread start.
#include <windows.h>
#include <process.h>

#include "platform/win32/win32_bindings.h"

namespace scintle {

namespace {

class KernelBinding final : public KernelPlatform {
public:
    void Sleep(uint32_t milliseconds) override { ::Sleep(milliseconds); }
    bool Beep(uint32_t frequency, uint32_t duration) override {
        return ::Beep(frequency, duration) != 0;
    }
    uintptr_t _beginthread(ThreadStart start, uint32_t stackSize, void* argument) override {
        return ::_beginthread(start, stackSize, argument);
    }
};

KernelBinding kernelBinding;

}  // namespace

KernelPlatform* Win32Kernel() { return &kernelBinding; }

}  // namespace scintle
