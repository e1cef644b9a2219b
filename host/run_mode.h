// The run mode of a start: which of the four modes the command line asks for.
//
// Only the first significant character counts: blanks, hyphens and slashes before it
// are skipped (tabs are not). The preview and password-change switches are followed
// by a decimal window handle, read from where the blanks after the letter end.
// Both functions are pure: nothing here touches the platform.
#pragma once

#include <cstdint>

namespace scintle {

enum class RunModeKind {
    ModeConfigure,
    ModeFullScreen,
    ModePreview,
    ModeChangePassword,
    ModeInvalid,
};

struct RunMode {
    RunModeKind kind;
    bool ownedByForeground;   // ModeConfigure: after 'c', owned by the foreground window
    const char* handleText;   // ModePreview, ModeChangePassword: where the digits start
};

RunMode ParseRunMode(const char* commandLine);

// The part of the process's whole command line that follows the program's own name
// (quoted or not) and the blanks after it. Tabs are not skipped, so that a tab in
// front of the switch reaches ParseRunMode and is refused there.
const char* CommandTail(const char* wholeCommandLine);

// Decimal digits from `text` on, in unsigned 32-bit arithmetic (a long run wraps);
// 0 when `text` does not start with a digit.
uint32_t ParseWindowHandle(const char* text);

}  // namespace scintle
