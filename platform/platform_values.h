// The Win32 numbers the engine, the settings and the host use (messages, styles,
// registry and dialog constants and the like), spelled as Win32 spells them with a k
// in front, so that nothing outside the bindings needs windows.h. The Windows builds
// check every one against windows.h (platform/win32/win32_platform_values.cpp).
#pragma once

#include <cstdint>

#include "platform/platform_types.h"

namespace scintle {

// Messages.
inline constexpr uint32_t kWmCreate = 0x0001;
inline constexpr uint32_t kWmDestroy = 0x0002;
inline constexpr uint32_t kWmSize = 0x0005;
inline constexpr uint32_t kWmSettext = 0x000C;
inline constexpr uint32_t kWmPaint = 0x000F;
inline constexpr uint32_t kWmClose = 0x0010;
inline constexpr uint32_t kWmEraseBkgnd = 0x0014;
inline constexpr uint32_t kWmShowWindow = 0x0018;
inline constexpr uint32_t kWmSetCursor = 0x0020;
inline constexpr uint32_t kWmHelp = 0x0053;
inline constexpr uint32_t kWmContextMenu = 0x007B;
inline constexpr uint32_t kWmKeyDown = 0x0100;
inline constexpr uint32_t kWmSysKeyDown = 0x0104;
inline constexpr uint32_t kWmInitDialog = 0x0110;
inline constexpr uint32_t kWmCommand = 0x0111;
inline constexpr uint32_t kWmSysCommand = 0x0112;
inline constexpr uint32_t kWmTimer = 0x0113;
inline constexpr uint32_t kWmMouseMove = 0x0200;
inline constexpr uint32_t kWmLButtonDown = 0x0201;
inline constexpr uint32_t kWmRButtonDown = 0x0204;
inline constexpr uint32_t kWmMButtonDown = 0x0207;
inline constexpr uint32_t kWmApp = 0x8000;

// System commands (WM_SYSCOMMAND's wParam).
inline constexpr uintptr_t kScNextWindow = 0xF040;
inline constexpr uintptr_t kScPrevWindow = 0xF050;
inline constexpr uintptr_t kScScreenSave = 0xF140;

// Window class and window styles.
inline constexpr uint32_t kCsVredraw = 0x0001;
inline constexpr uint32_t kCsHredraw = 0x0002;
inline constexpr uint32_t kCsDblClks = 0x0008;
inline constexpr uint32_t kCsOwnDc = 0x0020;
inline constexpr uint32_t kWsPopup = 0x80000000;
inline constexpr uint32_t kWsChild = 0x40000000;
inline constexpr uint32_t kWsVisible = 0x10000000;
inline constexpr uint32_t kWsClipSiblings = 0x04000000;
inline constexpr uint32_t kWsClipChildren = 0x02000000;
inline constexpr uint32_t kWsExTopmost = 0x00000008;

// Other arguments.
inline constexpr int32_t kBlackBrush = 4;      // GetStockObject
inline constexpr int32_t kSmCxScreen = 0;      // GetSystemMetrics
inline constexpr int32_t kSmCyScreen = 1;
inline constexpr int32_t kSmXVirtualScreen = 76;  // the rectangle spanning every monitor
inline constexpr int32_t kSmYVirtualScreen = 77;
inline constexpr int32_t kSmCxVirtualScreen = 78;
inline constexpr int32_t kSmCyVirtualScreen = 79;
inline constexpr uint32_t kPmRemove = 0x0001;  // PeekMessageA
inline constexpr uint32_t kPmNoYield = 0x0002;
inline constexpr uint32_t kSpiScreenSaverRunning = 97;  // SystemParametersInfoA

// Registry.
// HKEY_CURRENT_USER is the 32-bit number 0x80000001 sign-extended to a handle, as
// windows.h writes it: 0xFFFFFFFF80000001 in a 64-bit build.
inline constexpr intptr_t kHkeyCurrentUserNumber = -0x7FFFFFFF;
inline const RegistryKey kHkeyCurrentUser = reinterpret_cast<RegistryKey>(kHkeyCurrentUserNumber);
inline constexpr uint32_t kKeyAllAccess = 0xF003F;
inline constexpr uint32_t kRegOptionNonVolatile = 0;
inline constexpr uint32_t kRegDword = 4;
inline constexpr int32_t kErrorSuccess = 0;

// Dialogs.
inline constexpr int kIdOk = 1;      // IDOK: the "OK" button and the Enter key
inline constexpr int kIdCancel = 2;  // IDCANCEL: "Cancel", Escape, the close box
inline constexpr uint32_t kBstUnchecked = 0;
inline constexpr uint32_t kBstChecked = 1;
inline constexpr uint32_t kMbIconError = 0x10;

}  // namespace scintle
