// The drawing services the program calls by their Windows names, over our own raster.
//
// The screen is true colour: 32 bits per pixel, one plane, 96 pixels per inch. Handles are
// resolved through one handle table; a handle that is not live gives the Windows failure
// result (0, nullptr, FALSE, CLR_INVALID or GDI_ERROR) and is never dereferenced.
// Strings are UTF-8.
//
// Where each group is implemented:
//   handles, objects, stock objects        handle_table.cpp, gdi_object.cpp
//   bitmaps, DIB sections, DIB transfer    bitmap.cpp, dib.cpp
//   device contexts, mapping, clipping     dc.cpp, clip.cpp, mapping.cpp
//   blits, raster operations, stretching   blit.cpp, rop.cpp, stretch.cpp
//   brushes, pens, primitives              brush_pen.cpp, primitives.cpp
//   palettes                               palette.cpp
//   regions                                region.cpp
//   icons                                  icon.cpp
//   system metrics, colours, errors        metrics.cpp
//   fonts and text                         the text files (font*.cpp, text*.cpp)
//   enhanced and Windows metafiles         the metafile files (metafile*.cpp)
#pragma once

#include <cstddef>

#include "platform/gdi/wintypes.h"

namespace platform {

inline constexpr UINT GDI_ERROR = 0xFFFFFFFFu;
inline constexpr int HGDI_ERROR_INT = -1;

// ---------------------------------------------------------------------------------------------
// Objects

HGDIOBJ GetStockObject(int index);
int GetObject(HGDIOBJ object, int bufferSize, LPVOID buffer);
DWORD GetObjectType(HGDIOBJ object);
BOOL DeleteObject(HGDIOBJ object);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC dc, UINT type);

// Number of live objects in the handle table that were created by the program (stock objects
// are not counted). Tests assert it returns to its starting value.
int LiveGdiObjectCount();

// ---------------------------------------------------------------------------------------------
// Bitmaps

// The widest and tallest bitmap the raster makes; beyond it, or beyond 1 GiB of pixels, the
// creation functions fail as for a device out of memory.
inline constexpr int kMaxBitmapSide = 1 << 24;
inline constexpr std::size_t kMaxBitmapBytes = std::size_t(1) << 30;

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HBITMAP CreateBitmapIndirect(const BITMAP* bitmap);
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD offset);
HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage);
LONG GetBitmapBits(HBITMAP bitmap, LONG byteCount, LPVOID bits);
LONG SetBitmapBits(HBITMAP bitmap, DWORD byteCount, const void* bits);
BOOL GetBitmapDimensionEx(HBITMAP bitmap, SIZE* size);

// GetDIBits: with bits == nullptr and info->bmiHeader.biBitCount == 0 fills in the header of
// the bitmap; with bits == nullptr and a bit count, fills the header sizes and colour table.
int GetDIBits(HDC dc, HBITMAP bitmap, UINT startScan, UINT scanLines, LPVOID bits, BITMAPINFO* info,
              UINT usage);
int SetDIBits(HDC dc, HBITMAP bitmap, UINT startScan, UINT scanLines, const void* bits,
              const BITMAPINFO* info, UINT usage);
int SetDIBitsToDevice(HDC dc, int xDest, int yDest, DWORD width, DWORD height, int xSrc, int ySrc,
                      UINT startScan, UINT scanLines, const void* bits, const BITMAPINFO* info,
                      UINT usage);
int StretchDIBits(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                  int srcWidth, int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage,
                  DWORD rop);
UINT GetDIBColorTable(HDC dc, UINT start, UINT count, RGBQUAD* colors);
UINT SetDIBColorTable(HDC dc, UINT start, UINT count, const RGBQUAD* colors);

// ---------------------------------------------------------------------------------------------
// Device contexts

HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
HDC GetDC(HWND window);  // windows through SetWindowDcHooks; nullptr is the screen
int ReleaseDC(HWND window, HDC dc);
int GetDeviceCaps(HDC dc, int index);
int SaveDC(HDC dc);
BOOL RestoreDC(HDC dc, int savedDc);

COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
UINT SetTextAlign(HDC dc, UINT align);
UINT GetTextAlign(HDC dc);
int SetROP2(HDC dc, int rop2);
int GetROP2(HDC dc);
int SetStretchBltMode(HDC dc, int mode);
int GetStretchBltMode(HDC dc);
int SetPolyFillMode(HDC dc, int mode);
int GetPolyFillMode(HDC dc);
BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* previous);
BOOL GetBrushOrgEx(HDC dc, POINT* origin);
COLORREF SetDCBrushColor(HDC dc, COLORREF color);
COLORREF SetDCPenColor(HDC dc, COLORREF color);
BOOL MoveToEx(HDC dc, int x, int y, POINT* previous);
BOOL GetCurrentPositionEx(HDC dc, POINT* position);
int SetGraphicsMode(HDC dc, int mode);
int GetGraphicsMode(HDC dc);

// Coordinate mapping.
int SetMapMode(HDC dc, int mode);
int GetMapMode(HDC dc);
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* previous);
BOOL GetViewportOrgEx(HDC dc, POINT* origin);
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* previous);
BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* previous);
BOOL GetWindowOrgEx(HDC dc, POINT* origin);
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, POINT* previous);
BOOL SetViewportExtEx(HDC dc, int x, int y, SIZE* previous);
BOOL GetViewportExtEx(HDC dc, SIZE* extent);
BOOL SetWindowExtEx(HDC dc, int x, int y, SIZE* previous);
BOOL GetWindowExtEx(HDC dc, SIZE* extent);
BOOL ScaleViewportExtEx(HDC dc, int xNum, int xDenom, int yNum, int yDenom, SIZE* previous);
BOOL ScaleWindowExtEx(HDC dc, int xNum, int xDenom, int yNum, int yDenom, SIZE* previous);
BOOL LPtoDP(HDC dc, POINT* points, int count);
BOOL DPtoLP(HDC dc, POINT* points, int count);

// Clipping (rectangles in logical coordinates, regions in device coordinates).
int GetClipBox(HDC dc, RECT* rect);
int SelectClipRgn(HDC dc, HRGN region);
int ExtSelectClipRgn(HDC dc, HRGN region, int mode);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int OffsetClipRgn(HDC dc, int dx, int dy);
int GetClipRgn(HDC dc, HRGN region);  // 1 with a clip region, 0 without, -1 on error
BOOL PtVisible(HDC dc, int x, int y);
BOOL RectVisible(HDC dc, const RECT* rect);

// ---------------------------------------------------------------------------------------------
// Blits

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, DWORD rop);
BOOL StretchBlt(HDC dest, int xDest, int yDest, int destWidth, int destHeight, HDC src, int xSrc,
                int ySrc, int srcWidth, int srcHeight, DWORD rop);
BOOL MaskBlt(HDC dest, int xDest, int yDest, int width, int height, HDC src, int xSrc, int ySrc,
             HBITMAP mask, int xMask, int yMask, DWORD rop);
COLORREF GetPixel(HDC dc, int x, int y);
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
BOOL SetPixelV(HDC dc, int x, int y, COLORREF color);

// ---------------------------------------------------------------------------------------------
// Brushes and pens

HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateHatchBrush(int hatch, COLORREF color);
HBRUSH CreatePatternBrush(HBITMAP bitmap);
HBRUSH CreateBrushIndirect(const LOGBRUSH* brush);
HBRUSH GetSysColorBrush(int index);  // a stock object: DeleteObject on it does nothing
HPEN CreatePen(int style, int width, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* pen);

// ---------------------------------------------------------------------------------------------
// Drawing primitives

int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
int FrameRect(HDC dc, const RECT* rect, HBRUSH brush);
BOOL InvertRect(HDC dc, const RECT* rect);
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int width, int height);
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);
BOOL Polygon(HDC dc, const POINT* points, int count);
BOOL Polyline(HDC dc, const POINT* points, int count);
BOOL PolyPolygon(HDC dc, const POINT* points, const INT* counts, int polygons);
BOOL PolyPolyline(HDC dc, const POINT* points, const DWORD* counts, DWORD polylines);
BOOL LineTo(HDC dc, int x, int y);
BOOL Arc(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
         int yEnd);
BOOL Pie(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
         int yEnd);
BOOL FillRgn(HDC dc, HRGN region, HBRUSH brush);
BOOL FrameRgn(HDC dc, HRGN region, HBRUSH brush, int width, int height);
BOOL PaintRgn(HDC dc, HRGN region);
BOOL InvertRgn(HDC dc, HRGN region);
BOOL DrawFocusRect(HDC dc, const RECT* rect);

// ---------------------------------------------------------------------------------------------
// Palettes

HPALETTE CreatePalette(const LOGPALETTE* palette);
HPALETTE CreateHalftonePalette(HDC dc);
HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground);
UINT RealizePalette(HDC dc);
UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries);
UINT SetPaletteEntries(HPALETTE palette, UINT start, UINT count, const PALETTEENTRY* entries);
UINT GetSystemPaletteEntries(HDC dc, UINT start, UINT count, PALETTEENTRY* entries);
UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF color);
COLORREF GetNearestColor(HDC dc, COLORREF color);

// ---------------------------------------------------------------------------------------------
// Regions

HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
HRGN CreateEllipticRgn(int left, int top, int right, int bottom);
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height);
HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode);
HRGN ExtCreateRegion(const void* transform, DWORD byteCount, const RGNDATA* data);
int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode);
BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom);
BOOL PtInRegion(HRGN region, int x, int y);
BOOL RectInRegion(HRGN region, const RECT* rect);
int GetRgnBox(HRGN region, RECT* rect);
int OffsetRgn(HRGN region, int dx, int dy);
BOOL EqualRgn(HRGN a, HRGN b);
DWORD GetRegionData(HRGN region, DWORD byteCount, RGNDATA* data);

// ---------------------------------------------------------------------------------------------
// Icons

HICON CreateIconIndirect(const ICONINFO* info);
HICON CreateIcon(HINSTANCE instance, int width, int height, BYTE planes, BYTE bitsPerPixel,
                 const BYTE* andBits, const BYTE* xorBits);
BOOL GetIconInfo(HICON icon, ICONINFO* info);
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT step,
                HBRUSH flickerFreeBrush, UINT flags);
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);
HICON CopyIcon(HICON icon);
BOOL DestroyIcon(HICON icon);
HICON LoadIcon(HINSTANCE instance, const char* name);

// ---------------------------------------------------------------------------------------------
// System metrics, colours and errors

int GetSystemMetrics(int index);
DWORD GetSysColor(int index);
DWORD GetLastError();
void SetLastError(DWORD error);
// Writes the text for an error code (FORMAT_MESSAGE_FROM_SYSTEM) into buffer, NUL-terminated;
// returns the number of characters written without the terminator, 0 if it does not fit.
DWORD FormatMessage(DWORD flags, const void* source, DWORD messageId, DWORD languageId,
                    char* buffer, DWORD size, void* arguments);

// Rectangle helpers callers use alongside the drawing services.
BOOL SetRect(RECT* rect, int left, int top, int right, int bottom);
BOOL SetRectEmpty(RECT* rect);
BOOL IsRectEmpty(const RECT* rect);
BOOL PtInRect(const RECT* rect, POINT point);
BOOL OffsetRect(RECT* rect, int dx, int dy);
BOOL InflateRect(RECT* rect, int dx, int dy);
BOOL IntersectRect(RECT* dest, const RECT* a, const RECT* b);
BOOL UnionRect(RECT* dest, const RECT* a, const RECT* b);
BOOL EqualRect(const RECT* a, const RECT* b);
BOOL CopyRect(RECT* dest, const RECT* src);

// ---------------------------------------------------------------------------------------------
// Fonts and text (implemented in the text files)

HFONT CreateFontIndirect(const LOGFONT* font);
HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                 DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, const char* faceName);
// Text is UTF-8; `length` counts bytes (-1 = NUL-terminated where Windows allows it).
BOOL TextOut(HDC dc, int x, int y, const char* text, int length);
BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* rect, const char* text, UINT length,
                const INT* dx);
BOOL GetTextExtentPoint32(HDC dc, const char* text, int length, SIZE* size);
BOOL GetTextExtentExPoint(HDC dc, const char* text, int length, int maxExtent, INT* fit, INT* dx,
                          SIZE* size);
BOOL GetTextMetrics(HDC dc, TEXTMETRIC* metrics);
int GetTextFace(HDC dc, int count, char* faceName);
int DrawText(HDC dc, const char* text, int length, RECT* rect, UINT format);
int SetTextCharacterExtra(HDC dc, int extra);
int GetTextCharacterExtra(HDC dc);
BOOL GetCharWidth32(HDC dc, UINT first, UINT last, INT* widths);

// ---------------------------------------------------------------------------------------------
// Metafiles (implemented in the metafile files)

HENHMETAFILE SetEnhMetaFileBits(UINT byteCount, const BYTE* data);
HENHMETAFILE SetWinMetaFileBits(UINT byteCount, const BYTE* data, HDC referenceDc,
                                const METAFILEPICT* picture);
UINT GetEnhMetaFileHeader(HENHMETAFILE metafile, UINT size, ENHMETAHEADER* header);
UINT GetEnhMetaFileBits(HENHMETAFILE metafile, UINT size, BYTE* data);
BOOL PlayEnhMetaFile(HDC dc, HENHMETAFILE metafile, const RECT* rect);
BOOL DeleteEnhMetaFile(HENHMETAFILE metafile);
HENHMETAFILE CopyEnhMetaFile(HENHMETAFILE metafile, const char* fileName);

// ---------------------------------------------------------------------------------------------
// Platform-private services for the window layer (not Windows names)

// A device context that draws into `surface` (a bitmap the caller owns, typically a window's
// backing bitmap). Device coordinate (0,0) of the DC is pixel `deviceOrigin` of the surface;
// drawing is limited to `visibleRegion` (given in surface pixels; nullptr = whole surface),
// which the DC copies. This base region is what SelectClipRgn(dc, nullptr) returns to, as a
// window DC's visible region does. Delete with DeleteDC.
HDC CreateSurfaceDC(HBITMAP surface, POINT deviceOrigin, HRGN visibleRegion);
// Replaces the base visible region (surface pixels, copied; nullptr = whole surface) and the
// device origin of a surface DC; any application clip region is kept and re-intersected.
BOOL SetSurfaceDCVisibleRegion(HDC dc, HRGN visibleRegion, POINT deviceOrigin);
// GetDC(window) and ReleaseDC(window, dc) for windows are served by the window layer through
// these hooks (typically with CreateSurfaceDC); without them GetDC(window) returns nullptr.
// GetDC(nullptr), the screen DC, is always served here; ReleaseDC passes surface DCs to the
// hook and frees screen DCs itself.
void SetWindowDcHooks(HDC (*getWindowDc)(HWND), int (*releaseWindowDc)(HWND, HDC));
// Screen size and work area reported by GetSystemMetrics and GetDeviceCaps (default
// 1024 x 768, work area = whole screen).
void SetScreenSize(int width, int height);
void SetWorkArea(const RECT& workArea);
RECT GetWorkArea();

}  // namespace platform
