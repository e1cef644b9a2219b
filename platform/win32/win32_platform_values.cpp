// Every value of platform/platform_values.h and every layout of platform_types.h,
// checked against windows.h when a Windows build compiles this file.
#include <windows.h>

#include "platform/platform_values.h"

namespace scintle {

#define SCINTLE_SAME(ours, win32) static_assert((ours) == (win32), #ours " is " #win32)

SCINTLE_SAME(kWmCreate, WM_CREATE);
SCINTLE_SAME(kWmDestroy, WM_DESTROY);
SCINTLE_SAME(kWmSize, WM_SIZE);
SCINTLE_SAME(kWmSettext, WM_SETTEXT);
SCINTLE_SAME(kWmPaint, WM_PAINT);
SCINTLE_SAME(kWmClose, WM_CLOSE);
SCINTLE_SAME(kWmEraseBkgnd, WM_ERASEBKGND);
SCINTLE_SAME(kWmShowWindow, WM_SHOWWINDOW);
SCINTLE_SAME(kWmSetCursor, WM_SETCURSOR);
SCINTLE_SAME(kWmHelp, WM_HELP);
SCINTLE_SAME(kWmContextMenu, WM_CONTEXTMENU);
SCINTLE_SAME(kWmKeyDown, WM_KEYDOWN);
SCINTLE_SAME(kWmSysKeyDown, WM_SYSKEYDOWN);
SCINTLE_SAME(kWmInitDialog, WM_INITDIALOG);
SCINTLE_SAME(kWmCommand, WM_COMMAND);
SCINTLE_SAME(kWmSysCommand, WM_SYSCOMMAND);
SCINTLE_SAME(kWmTimer, WM_TIMER);
SCINTLE_SAME(kWmMouseMove, WM_MOUSEMOVE);
SCINTLE_SAME(kWmLButtonDown, WM_LBUTTONDOWN);
SCINTLE_SAME(kWmRButtonDown, WM_RBUTTONDOWN);
SCINTLE_SAME(kWmMButtonDown, WM_MBUTTONDOWN);
SCINTLE_SAME(kWmApp, WM_APP);

SCINTLE_SAME(kScNextWindow, SC_NEXTWINDOW);
SCINTLE_SAME(kScPrevWindow, SC_PREVWINDOW);
SCINTLE_SAME(kScScreenSave, SC_SCREENSAVE);

SCINTLE_SAME(kCsVredraw, CS_VREDRAW);
SCINTLE_SAME(kCsHredraw, CS_HREDRAW);
SCINTLE_SAME(kCsDblClks, CS_DBLCLKS);
SCINTLE_SAME(kCsOwnDc, CS_OWNDC);
SCINTLE_SAME(kWsPopup, WS_POPUP);
SCINTLE_SAME(kWsChild, WS_CHILD);
SCINTLE_SAME(kWsVisible, WS_VISIBLE);
SCINTLE_SAME(kWsClipSiblings, WS_CLIPSIBLINGS);
SCINTLE_SAME(kWsClipChildren, WS_CLIPCHILDREN);
SCINTLE_SAME(kWsExTopmost, WS_EX_TOPMOST);

SCINTLE_SAME(kBlackBrush, BLACK_BRUSH);
SCINTLE_SAME(kSmCxScreen, SM_CXSCREEN);
SCINTLE_SAME(kSmCyScreen, SM_CYSCREEN);
SCINTLE_SAME(kSmXVirtualScreen, SM_XVIRTUALSCREEN);
SCINTLE_SAME(kSmYVirtualScreen, SM_YVIRTUALSCREEN);
SCINTLE_SAME(kSmCxVirtualScreen, SM_CXVIRTUALSCREEN);
SCINTLE_SAME(kSmCyVirtualScreen, SM_CYVIRTUALSCREEN);
SCINTLE_SAME(kPmRemove, PM_REMOVE);
SCINTLE_SAME(kPmNoYield, PM_NOYIELD);
SCINTLE_SAME(kSpiScreenSaverRunning, SPI_SCREENSAVERRUNNING);

// HKEY_CURRENT_USER is ((HKEY)(ULONG_PTR)((LONG)0x80000001)), a cast that no constant
// expression may take apart: its number is compared as windows.h forms it.
SCINTLE_SAME(kHkeyCurrentUserNumber, static_cast<intptr_t>(static_cast<LONG>(0x80000001)));
SCINTLE_SAME(kKeyAllAccess, KEY_ALL_ACCESS);
SCINTLE_SAME(kRegOptionNonVolatile, REG_OPTION_NON_VOLATILE);
SCINTLE_SAME(kRegDword, REG_DWORD);
SCINTLE_SAME(kErrorSuccess, ERROR_SUCCESS);

SCINTLE_SAME(kIdOk, IDOK);
SCINTLE_SAME(kIdCancel, IDCANCEL);
SCINTLE_SAME(kBstUnchecked, BST_UNCHECKED);
SCINTLE_SAME(kBstChecked, BST_CHECKED);
SCINTLE_SAME(kMbIconError, MB_ICONERROR);

#undef SCINTLE_SAME

static_assert(sizeof(Rect) == sizeof(RECT) && sizeof(Point) == sizeof(POINT), "layouts");
static_assert(sizeof(Colorref) == sizeof(COLORREF) && Rgb(1, 2, 3) == RGB(1, 2, 3), "colours");
static_assert(sizeof(DWORD) == sizeof(uint32_t), "DWORD is 32 bits");

}  // namespace scintle
