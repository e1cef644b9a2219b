// The fault guard on x86-64, where structured exception handling is table-based: the
// guarded call runs inside GuardedCall, a small function of our own whose unwind data
// names GuardHandler as its exception handler, as the compiler would register an
// __except block (GCC offers none). The handler asks the platform's
// UnhandledExceptionFilter, which reports the fault; on EXCEPTION_EXECUTE_HANDLER it
// unwinds every frame above GuardedCall's (RtlUnwindEx, which calls their own
// handlers on the way) and resumes at GuardResume, in GuardedCall's frame.
#include <windows.h>

#include "platform/win32/win32_bindings.h"

namespace {

// GuardedCall's answer: the body's result zero-extended, or this after a fault.
constexpr uint64_t kFaulted = uint64_t{1} << 32;

}  // namespace

extern "C" {

uint64_t ScintleGuardedCall(int32_t (*body)(void*), void* argument);
void ScintleGuardResume();

EXCEPTION_DISPOSITION ScintleGuardHandler(EXCEPTION_RECORD* record, void* establisherFrame,
                                          CONTEXT* context, DISPATCHER_CONTEXT* dispatch) {
    if (record->ExceptionFlags & EXCEPTION_UNWIND) return ExceptionContinueSearch;
    EXCEPTION_POINTERS pointers = {record, context};
    if (UnhandledExceptionFilter(&pointers) != EXCEPTION_EXECUTE_HANDLER)
        return ExceptionContinueSearch;
    // Does not return: GuardedCall's frame goes on at GuardResume with kFaulted in rax.
    RtlUnwindEx(establisherFrame, reinterpret_cast<void*>(ScintleGuardResume), record,
                reinterpret_cast<void*>(kFaulted), dispatch->ContextRecord,
                dispatch->HistoryTable);
    return ExceptionContinueSearch;
}

}  // extern "C"

// The frame is 40 bytes of the callee's shadow space and padding, so that the stack
// stays 16-byte aligned at the call; no register is saved. An unwind lands at
// ScintleGuardResume with rsp as in the body of the function, so both ends share the
// epilogue's form.
asm(R"(
    .text
    .globl  ScintleGuardedCall
    .def    ScintleGuardedCall; .scl 2; .type 32; .endef
    .seh_proc ScintleGuardedCall
    .seh_handler ScintleGuardHandler, @except
ScintleGuardedCall:
    subq    $40, %rsp
    .seh_stackalloc 40
    .seh_endprologue
    movq    %rcx, %rax
    movq    %rdx, %rcx
    callq   *%rax
    movl    %eax, %eax
    addq    $40, %rsp
    retq
    .globl  ScintleGuardResume
ScintleGuardResume:
    addq    $40, %rsp
    retq
    .seh_endproc
)");

namespace scintle {

int32_t RunGuarded(int32_t (*body)(void*), void* argument, void (*onFault)(),
                   int32_t faultResult) {
    const uint64_t result = ScintleGuardedCall(body, argument);
    if (result == kFaulted) {
        onFault();
        return faultResult;
    }
    return static_cast<int32_t>(result);
}

}  // namespace scintle
