// The test driver's hands and eyes on a configuration dialog that runs in another
// process: starting the program, finding the dialog and its message boxes, reading and
// setting controls, real mouse and keyboard input, and the settings in the registry.
// Include <windows.h> before this header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace scintle {

inline constexpr char kDialogCaption[] = "Scintle Fractals Setup - Version 1.2";
inline constexpr char kSettingsKey[] = "software\\qentrix\\vorbanite\\Settings";

// Checks: each prints one line ("ok - ..." or "FAILED - ...") and counts the failures.
bool Expect(bool condition, const char* format, ...);
int FailureCount();

// The program under test, started with the given text after its name.
struct Program {
    PROCESS_INFORMATION info{};
    bool running = false;
};
bool StartProgram(const char* path, const char* arguments, Program* program);
// The exit code once the process has ended, or -2 when it is still running after the wait
// (it is then ended, so that no test leaves a dialog behind).
long WaitForExit(Program* program);
void EndProgram(Program* program);

// Pumps this thread's messages while waiting, since the dialog may send to our window.
void Pause(DWORD milliseconds);

// The configuration dialog of the process (shown or not yet shown), or null.
HWND WaitForDialog(const Program& program);
// Top-level windows owned by the dialog: its message boxes.
std::vector<HWND> OwnedWindows(HWND dialog);
HWND WaitForMessageBox(HWND dialog);
bool WaitForNoMessageBox(HWND dialog);

std::string WindowText(HWND window);
std::string MessageBoxText(HWND box);
bool MessageBoxHasStopIconAndOneOkButton(HWND box);

bool Checked(HWND dialog, int id);
std::string FieldText(HWND dialog, int id);
void SetFieldText(HWND dialog, int id, const char* text);
// A click posted to a button, as BM_CLICK; the driver does not wait for its effect.
void PressButton(HWND window, int id);

// Real input, through the platform's input queue.
void ClickControl(HWND dialog, int id);
bool ClickCloseBox(HWND window);
void PressKey(WORD virtualKey);
void PressKeys(const std::vector<WORD>& virtualKeys);  // held together, released in reverse
void TypeText(const char* text);

// The settings key of the current user.
void DeleteSettings();
void StoreDword(const char* name, uint32_t value);
bool SettingsKeyExists();
// False when the value is missing; type receives its registry type.
bool ReadSetting(const char* name, uint32_t* value, DWORD* type);
// All eight values as "name=value:type" lines, for comparing before and after.
std::string SettingsSnapshot();

}  // namespace scintle
