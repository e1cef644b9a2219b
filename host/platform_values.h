// The Win32 numbers the host's decisions use (messages, styles, system commands and
// the like), spelled as Win32 spells them with a k in front, so that the platform-free
// host never needs windows.h. The Windows binding checks them against windows.h.
#pragma once

#include <cstdint>

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
inline constexpr uint32_t kWmKeyUp = 0x0101;
inline constexpr uint32_t kWmChar = 0x0102;
inline constexpr uint32_t kWmSysKeyDown = 0x0104;
inline constexpr uint32_t kWmSysCommand = 0x0112;
inline constexpr uint32_t kWmTimer = 0x0113;
inline constexpr uint32_t kWmMouseMove = 0x0200;
inline constexpr uint32_t kWmLButtonDown = 0x0201;
inline constexpr uint32_t kWmLButtonUp = 0x0202;
inline constexpr uint32_t kWmRButtonDown = 0x0204;
inline constexpr uint32_t kWmMButtonDown = 0x0207;
inline constexpr uint32_t kWmMouseWheel = 0x020A;
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
inline constexpr uint32_t kPmRemove = 0x0001;  // PeekMessageA
inline constexpr uint32_t kPmNoYield = 0x0002;
inline constexpr uint32_t kSpiScreenSaverRunning = 97;  // SystemParametersInfoA

}  // namespace scintle
