// Where the end-to-end tests and their stand-in platform components meet: values
// under HKEY_CURRENT_USER\Software\ScintleTest.
//
//   PromptAnswer  DWORD  what VerifyScreenSavePwd answers (missing: 0, refused);
//                        kPromptFaults: it writes through a null pointer instead
//   PromptCount   DWORD  how many prompts were shown
//   PromptWindow  DWORD  the window the last prompt was shown for
//   ChangeCalls   DWORD  how many times PwdChangePasswordA was called
//   ChangeArgs    SZ     its last arguments: "<provider> <owner> <third> <fourth>"
#pragma once

#define SCINTLE_TEST_KEY "Software\\ScintleTest"

inline constexpr unsigned long kPromptFaults = 0xFA17;
