// The configuration dialog's procedure, run by ShowConfigDialog through
// DialogBoxParamA. Include <windows.h> first: only Win32 binding files use this.
#pragma once

INT_PTR CALLBACK ConfigDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
