// The configuration dialog's procedure, for DialogBoxParamA with template 2003.
// Include <windows.h> before this header (only the Win32 binding files do).
#pragma once

namespace scintle {

INT_PTR CALLBACK ConfigDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace scintle
