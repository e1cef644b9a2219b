// Placeholder for the configuration dialog's procedure until the dialog itself lands:
// it ends the dialog with Cancel on any command.
#include <windows.h>

#include "host/config_dialog_proc.h"

INT_PTR CALLBACK ConfigDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_COMMAND:
            EndDialog(hwnd, LOWORD(wParam) == IDOK ? 1 : 0);
            return TRUE;
    }
    return FALSE;
}
