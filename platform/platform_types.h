// The shapes of the platform's values as Win32 gives them: opaque handles, colours,
// rectangles and points, and the calling convention of entries in loaded libraries.
//
// The engine and the host never include a Win32 header; a binding (platform/win32/)
// casts these handles to HWND, HDC, HKEY and the rest.
#pragma once

#include <cstdint>

// The calling convention of the Win32 entries of loaded libraries and of the window
// and dialog procedures the platform calls (stdcall on 32-bit Windows, nothing
// elsewhere).
#if defined(_WIN32) && defined(__i386__)
#define SCINTLE_STDCALL __attribute__((stdcall))
#else
#define SCINTLE_STDCALL
#endif

namespace scintle {

using WindowHandle = struct WindowTag*;          // HWND
using DeviceContext = struct DeviceContextTag*;  // HDC
using BrushHandle = struct BrushTag*;            // HBRUSH
using RegistryKey = struct RegistryKeyTag*;      // HKEY
using DialogHandle = struct DialogHandleTag*;    // HWND of a dialog
using ModuleHandle = struct ModuleTag*;          // HINSTANCE, HMODULE
using IconHandle = struct IconTag*;              // HICON
using CursorHandle = struct CursorTag*;          // HCURSOR
using GdiObject = struct GdiObjectTag*;          // HGDIOBJ
using InputContext = struct InputContextTag*;    // HIMC
using FarProc = void (*)();                      // FARPROC

using Colorref = uint32_t;  // 0x00BBGGRR

inline constexpr Colorref kBlack = 0;

constexpr Colorref Rgb(uint32_t red, uint32_t green, uint32_t blue) {
    return red | green << 8 | blue << 16;
}

struct Rect {  // laid out as RECT
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

struct Point {  // laid out as POINT
    int32_t x;
    int32_t y;
};

}  // namespace scintle
