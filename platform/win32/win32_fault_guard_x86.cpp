// The fault guard on 32-bit x86: a structured exception frame of our own on the
// thread's frame chain (fs:0), since the compiler offers no __try/__except. Its
// handler asks the platform's UnhandledExceptionFilter, which reports the fault; on
// EXCEPTION_EXECUTE_HANDLER it unwinds the frames above it (RtlUnwind), unlinks
// itself and resumes in RunGuarded, as an __except block would.
#include <windows.h>

#include "platform/win32/win32_bindings.h"

namespace scintle {

namespace {

// An EXCEPTION_REGISTRATION_RECORD followed by where to resume.
struct GuardFrame {
    GuardFrame* next;
    void* handler;
    void* resume[5];  // __builtin_setjmp's buffer
};

// The head of the thread's frame chain, NT_TIB.ExceptionList at fs:0.
GuardFrame* FrameChain() {
    GuardFrame* head;
    asm volatile("movl %%fs:0, %0" : "=r"(head));
    return head;
}
void SetFrameChain(GuardFrame* head) { asm volatile("movl %0, %%fs:0" : : "r"(head) : "memory"); }

EXCEPTION_DISPOSITION __cdecl GuardHandler(EXCEPTION_RECORD* record, void* establisherFrame,
                                           CONTEXT* context, void*) {
    if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
        return ExceptionContinueSearch;
    EXCEPTION_POINTERS pointers = {record, context};
    if (UnhandledExceptionFilter(&pointers) != EXCEPTION_EXECUTE_HANDLER)
        return ExceptionContinueSearch;
    auto* frame = static_cast<GuardFrame*>(establisherFrame);
    RtlUnwind(frame, nullptr, record, nullptr);  // returns once the frames above are gone
    SetFrameChain(frame->next);
    __builtin_longjmp(frame->resume, 1);
}

}  // namespace

int32_t RunGuarded(int32_t (*body)(void*), void* argument, void (*onFault)(),
                   int32_t faultResult) {
    volatile GuardFrame frame = {};
    if (__builtin_setjmp(const_cast<void**>(frame.resume)) != 0) {
        onFault();
        return faultResult;
    }
    frame.next = FrameChain();
    frame.handler = reinterpret_cast<void*>(GuardHandler);
    SetFrameChain(const_cast<GuardFrame*>(&frame));
    const int32_t result = body(argument);
    SetFrameChain(frame.next);
    return result;
}

}  // namespace scintle
