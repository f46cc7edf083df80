#pragma once
// The Windows-metafile (16-bit) record layout: function numbers as documented publicly.
// A record is a 32-bit size in 16-bit words, a 16-bit function number and its parameters,
// most of them stored in the reverse order of the call's arguments.
#include <cstdint>

namespace platform::metafile::wmf {

inline constexpr uint16_t META_EOF = 0x0000;
inline constexpr uint16_t META_SAVEDC = 0x001E;
inline constexpr uint16_t META_REALIZEPALETTE = 0x0035;
inline constexpr uint16_t META_SETPALENTRIES = 0x0037;
inline constexpr uint16_t META_CREATEPALETTE = 0x00F7;
inline constexpr uint16_t META_SETBKMODE = 0x0102;
inline constexpr uint16_t META_SETMAPMODE = 0x0103;
inline constexpr uint16_t META_SETROP2 = 0x0104;
inline constexpr uint16_t META_SETRELABS = 0x0105;
inline constexpr uint16_t META_SETPOLYFILLMODE = 0x0106;
inline constexpr uint16_t META_SETSTRETCHBLTMODE = 0x0107;
inline constexpr uint16_t META_SETTEXTCHAREXTRA = 0x0108;
inline constexpr uint16_t META_RESTOREDC = 0x0127;
inline constexpr uint16_t META_SELECTCLIPREGION = 0x012C;
inline constexpr uint16_t META_SELECTOBJECT = 0x012D;
inline constexpr uint16_t META_SETTEXTALIGN = 0x012E;
inline constexpr uint16_t META_DIBCREATEPATTERNBRUSH = 0x0142;
inline constexpr uint16_t META_DELETEOBJECT = 0x01F0;
inline constexpr uint16_t META_CREATEPATTERNBRUSH = 0x01F9;
inline constexpr uint16_t META_SETBKCOLOR = 0x0201;
inline constexpr uint16_t META_SETTEXTCOLOR = 0x0209;
inline constexpr uint16_t META_SETWINDOWORG = 0x020B;
inline constexpr uint16_t META_SETWINDOWEXT = 0x020C;
inline constexpr uint16_t META_SETVIEWPORTORG = 0x020D;
inline constexpr uint16_t META_SETVIEWPORTEXT = 0x020E;
inline constexpr uint16_t META_OFFSETWINDOWORG = 0x020F;
inline constexpr uint16_t META_OFFSETVIEWPORTORG = 0x0211;
inline constexpr uint16_t META_LINETO = 0x0213;
inline constexpr uint16_t META_MOVETO = 0x0214;
inline constexpr uint16_t META_SELECTPALETTE = 0x0234;
inline constexpr uint16_t META_CREATEPENINDIRECT = 0x02FA;
inline constexpr uint16_t META_CREATEFONTINDIRECT = 0x02FB;
inline constexpr uint16_t META_CREATEBRUSHINDIRECT = 0x02FC;
inline constexpr uint16_t META_POLYGON = 0x0324;
inline constexpr uint16_t META_POLYLINE = 0x0325;
inline constexpr uint16_t META_SCALEWINDOWEXT = 0x0410;
inline constexpr uint16_t META_SCALEVIEWPORTEXT = 0x0412;
inline constexpr uint16_t META_EXCLUDECLIPRECT = 0x0415;
inline constexpr uint16_t META_INTERSECTCLIPRECT = 0x0416;
inline constexpr uint16_t META_ELLIPSE = 0x0418;
inline constexpr uint16_t META_RECTANGLE = 0x041B;
inline constexpr uint16_t META_SETPIXEL = 0x041F;
inline constexpr uint16_t META_TEXTOUT = 0x0521;
inline constexpr uint16_t META_POLYPOLYGON = 0x0538;
inline constexpr uint16_t META_ESCAPE = 0x0626;
inline constexpr uint16_t META_ROUNDRECT = 0x061C;
inline constexpr uint16_t META_PATBLT = 0x061D;
inline constexpr uint16_t META_CREATEREGION = 0x06FF;
inline constexpr uint16_t META_ARC = 0x0817;
inline constexpr uint16_t META_PIE = 0x081A;
inline constexpr uint16_t META_CHORD = 0x0830;
inline constexpr uint16_t META_DIBBITBLT = 0x0940;
inline constexpr uint16_t META_EXTTEXTOUT = 0x0A32;
inline constexpr uint16_t META_DIBSTRETCHBLT = 0x0B41;
inline constexpr uint16_t META_SETDIBTODEV = 0x0D33;
inline constexpr uint16_t META_STRETCHDIB = 0x0F43;

// The 18-byte header before the records.
inline constexpr uint32_t kHeaderSize = 18;
// The optional 22-byte placeable header some files start with.
inline constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
inline constexpr uint32_t kPlaceableSize = 22;

}  // namespace platform::metafile::wmf
