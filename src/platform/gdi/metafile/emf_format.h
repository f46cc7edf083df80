#pragma once
// The enhanced-metafile record layout: record type numbers and the byte offsets of the
// header fields, as the format is publicly documented. Records start with a 32-bit type and a
// 32-bit size in bytes (a multiple of four, header included).
#include <cstdint>

namespace platform::metafile {

// Record types.
inline constexpr uint32_t EMR_HEADER = 1;
inline constexpr uint32_t EMR_POLYBEZIER = 2;
inline constexpr uint32_t EMR_POLYGON = 3;
inline constexpr uint32_t EMR_POLYLINE = 4;
inline constexpr uint32_t EMR_POLYBEZIERTO = 5;
inline constexpr uint32_t EMR_POLYLINETO = 6;
inline constexpr uint32_t EMR_POLYPOLYLINE = 7;
inline constexpr uint32_t EMR_POLYPOLYGON = 8;
inline constexpr uint32_t EMR_SETWINDOWEXTEX = 9;
inline constexpr uint32_t EMR_SETWINDOWORGEX = 10;
inline constexpr uint32_t EMR_SETVIEWPORTEXTEX = 11;
inline constexpr uint32_t EMR_SETVIEWPORTORGEX = 12;
inline constexpr uint32_t EMR_SETBRUSHORGEX = 13;
inline constexpr uint32_t EMR_EOF = 14;
inline constexpr uint32_t EMR_SETPIXELV = 15;
inline constexpr uint32_t EMR_SETMAPPERFLAGS = 16;
inline constexpr uint32_t EMR_SETMAPMODE = 17;
inline constexpr uint32_t EMR_SETBKMODE = 18;
inline constexpr uint32_t EMR_SETPOLYFILLMODE = 19;
inline constexpr uint32_t EMR_SETROP2 = 20;
inline constexpr uint32_t EMR_SETSTRETCHBLTMODE = 21;
inline constexpr uint32_t EMR_SETTEXTALIGN = 22;
inline constexpr uint32_t EMR_SETTEXTCOLOR = 24;
inline constexpr uint32_t EMR_SETBKCOLOR = 25;
inline constexpr uint32_t EMR_OFFSETCLIPRGN = 26;
inline constexpr uint32_t EMR_MOVETOEX = 27;
inline constexpr uint32_t EMR_EXCLUDECLIPRECT = 29;
inline constexpr uint32_t EMR_INTERSECTCLIPRECT = 30;
inline constexpr uint32_t EMR_SCALEVIEWPORTEXTEX = 31;
inline constexpr uint32_t EMR_SCALEWINDOWEXTEX = 32;
inline constexpr uint32_t EMR_SAVEDC = 33;
inline constexpr uint32_t EMR_RESTOREDC = 34;
inline constexpr uint32_t EMR_SETWORLDTRANSFORM = 35;
inline constexpr uint32_t EMR_MODIFYWORLDTRANSFORM = 36;
inline constexpr uint32_t EMR_SELECTOBJECT = 37;
inline constexpr uint32_t EMR_CREATEPEN = 38;
inline constexpr uint32_t EMR_CREATEBRUSHINDIRECT = 39;
inline constexpr uint32_t EMR_DELETEOBJECT = 40;
inline constexpr uint32_t EMR_ELLIPSE = 42;
inline constexpr uint32_t EMR_RECTANGLE = 43;
inline constexpr uint32_t EMR_ROUNDRECT = 44;
inline constexpr uint32_t EMR_ARC = 45;
inline constexpr uint32_t EMR_CHORD = 46;
inline constexpr uint32_t EMR_PIE = 47;
inline constexpr uint32_t EMR_SELECTPALETTE = 48;
inline constexpr uint32_t EMR_CREATEPALETTE = 49;
inline constexpr uint32_t EMR_REALIZEPALETTE = 52;
inline constexpr uint32_t EMR_LINETO = 54;
inline constexpr uint32_t EMR_SETMITERLIMIT = 58;
inline constexpr uint32_t EMR_BEGINPATH = 59;
inline constexpr uint32_t EMR_ENDPATH = 60;
inline constexpr uint32_t EMR_CLOSEFIGURE = 61;
inline constexpr uint32_t EMR_FILLPATH = 62;
inline constexpr uint32_t EMR_STROKEANDFILLPATH = 63;
inline constexpr uint32_t EMR_STROKEPATH = 64;
inline constexpr uint32_t EMR_FLATTENPATH = 65;
inline constexpr uint32_t EMR_WIDENPATH = 66;
inline constexpr uint32_t EMR_SELECTCLIPPATH = 67;
inline constexpr uint32_t EMR_ABORTPATH = 68;
inline constexpr uint32_t EMR_GDICOMMENT = 70;
inline constexpr uint32_t EMR_EXTSELECTCLIPRGN = 75;
inline constexpr uint32_t EMR_BITBLT = 76;
inline constexpr uint32_t EMR_STRETCHBLT = 77;
inline constexpr uint32_t EMR_SETDIBITSTODEVICE = 80;
inline constexpr uint32_t EMR_STRETCHDIBITS = 81;
inline constexpr uint32_t EMR_EXTCREATEFONTINDIRECTW = 82;
inline constexpr uint32_t EMR_EXTTEXTOUTA = 83;
inline constexpr uint32_t EMR_EXTTEXTOUTW = 84;
inline constexpr uint32_t EMR_POLYBEZIER16 = 85;
inline constexpr uint32_t EMR_POLYGON16 = 86;
inline constexpr uint32_t EMR_POLYLINE16 = 87;
inline constexpr uint32_t EMR_POLYBEZIERTO16 = 88;
inline constexpr uint32_t EMR_POLYLINETO16 = 89;
inline constexpr uint32_t EMR_POLYPOLYLINE16 = 90;
inline constexpr uint32_t EMR_POLYPOLYGON16 = 91;
inline constexpr uint32_t EMR_CREATEMONOBRUSH = 93;
inline constexpr uint32_t EMR_CREATEDIBPATTERNBRUSHPT = 94;
inline constexpr uint32_t EMR_EXTCREATEPEN = 95;

// The " EMF" signature at byte 40 of the header.
inline constexpr uint32_t kEnhMetaSignature = 0x464D4520;

// Header field offsets (from the start of the header record).
namespace header {
inline constexpr uint32_t kBounds = 8;
inline constexpr uint32_t kFrame = 24;
inline constexpr uint32_t kSignature = 40;
inline constexpr uint32_t kVersion = 44;
inline constexpr uint32_t kBytes = 48;
inline constexpr uint32_t kRecords = 52;
inline constexpr uint32_t kHandles = 56;
inline constexpr uint32_t kDescriptionLength = 60;
inline constexpr uint32_t kDescriptionOffset = 64;
inline constexpr uint32_t kPaletteEntries = 68;
inline constexpr uint32_t kDevice = 72;
inline constexpr uint32_t kMillimeters = 80;
inline constexpr uint32_t kMinimumSize = 88;
}  // namespace header

// Stock objects are named in records by their number with the top bit set.
inline constexpr uint32_t kStockObjectFlag = 0x80000000u;

}  // namespace platform::metafile
