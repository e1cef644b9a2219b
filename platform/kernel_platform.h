// The kernel's services to the render thread: its start, its pauses, and the beep of a
// failed allocation. Named and shaped as in Win32 (KERNEL32 and the C run-time); the
// Windows saver binds them to those (platform/win32/), the X11 saver to POSIX threads
// and the X bell (platform/x11/), and the memory canvas to calls that return at once.
#pragma once

#include <cstdint>

namespace scintle {

// A thread body as the C run-time's _beginthread runs it.
using ThreadStart = void (*)(void* argument);
inline constexpr uintptr_t kThreadStartFailed = ~uintptr_t{0};  // _beginthread's -1

class KernelPlatform {
public:
    virtual void Sleep(uint32_t milliseconds) = 0;
    virtual bool Beep(uint32_t frequency, uint32_t duration) = 0;
    // The C run-time's thread start: a new thread with the default stack size runs
    // start(argument). Returns kThreadStartFailed when no thread could be started.
    virtual uintptr_t _beginthread(ThreadStart start, uint32_t stackSize, void* argument) = 0;

protected:
    ~KernelPlatform() = default;
};

// The binding in force (platform_bindings.cpp); set before the render thread starts.
extern KernelPlatform* kernelPlatform;

}  // namespace scintle
