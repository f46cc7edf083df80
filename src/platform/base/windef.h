// The Windows base types every platform layer shares: the integer types, handles and the
// geometry structures. Sizes and values are those of Windows, so on-disk structures built from
// them read and write byte for byte; LONG is 32 bits, as on Windows, and strings are UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using UINT = std::uint32_t;
using INT = std::int32_t;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using BOOL = int;
using COLORREF = DWORD;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using LPVOID = void*;
using LPCVOID = const void*;
using HANDLE = void*;
using LPCSTR = const char*;
using LPSTR = char*;

inline constexpr BOOL FALSE = 0;
inline constexpr BOOL TRUE = 1;

// Distinct opaque handle types: an HDC never converts to an HBITMAP by accident, while every
// GDI handle still converts to HGDIOBJ (void*) the way Windows code expects.
#define TEMBRIN_DECLARE_HANDLE(name) \
    struct name##__ {                \
        int unused;                  \
    };                               \
    using name = name##__*

using HGDIOBJ = void*;
TEMBRIN_DECLARE_HANDLE(HDC);
TEMBRIN_DECLARE_HANDLE(HBITMAP);
TEMBRIN_DECLARE_HANDLE(HPALETTE);
TEMBRIN_DECLARE_HANDLE(HBRUSH);
TEMBRIN_DECLARE_HANDLE(HPEN);
TEMBRIN_DECLARE_HANDLE(HFONT);
TEMBRIN_DECLARE_HANDLE(HRGN);
TEMBRIN_DECLARE_HANDLE(HICON);
TEMBRIN_DECLARE_HANDLE(HENHMETAFILE);
TEMBRIN_DECLARE_HANDLE(HMETAFILE);
TEMBRIN_DECLARE_HANDLE(HWND);
TEMBRIN_DECLARE_HANDLE(HINSTANCE);
TEMBRIN_DECLARE_HANDLE(HMENU);
using HCURSOR = HICON;
using HMODULE = HINSTANCE;

// ---------------------------------------------------------------------------------------------
// Geometry

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
using RECTL = RECT;

struct POINT {
    LONG x;
    LONG y;
};
using POINTL = POINT;

struct SIZE {
    LONG cx;
    LONG cy;
};
using SIZEL = SIZE;

struct POINTS {
    SHORT x;
    SHORT y;
};

}  // namespace platform
