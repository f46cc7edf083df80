// Which handler plays each record type, and the records simple enough to play in a line or
// two: attributes, objects by index, the current position and path brackets.
#include <iterator>
#include <unordered_map>
#include <utility>

#include "platform/gdi/metafile/byte_reader.h"
#include "platform/gdi/metafile/emf_format.h"
#include "platform/gdi/metafile/player.h"

namespace platform::metafile {

namespace {

constexpr uint32_t kEmrSetArcDirection = 57;
constexpr uint32_t kAdClockwise = 2;

}  // namespace

// Types missing here are skipped: comments, palettes, colour management and the rest.
const std::pair<uint32_t, EmfPlayer::RecordHandler> EmfPlayer::kHandlers[] = {
    {EMR_SETWINDOWEXTEX, &EmfPlayer::MapRecord},
    {EMR_SETWINDOWORGEX, &EmfPlayer::MapRecord},
    {EMR_SETVIEWPORTEXTEX, &EmfPlayer::MapRecord},
    {EMR_SETVIEWPORTORGEX, &EmfPlayer::MapRecord},
    {EMR_SETMAPMODE, &EmfPlayer::MapRecord},
    {EMR_SCALEVIEWPORTEXTEX, &EmfPlayer::MapRecord},
    {EMR_SCALEWINDOWEXTEX, &EmfPlayer::MapRecord},
    {EMR_SETWORLDTRANSFORM, &EmfPlayer::WorldTransform},
    {EMR_MODIFYWORLDTRANSFORM, &EmfPlayer::WorldTransform},
    {EMR_SAVEDC, &EmfPlayer::SaveDcRecord},
    {EMR_RESTOREDC, &EmfPlayer::RestoreDcRecord},
    {EMR_SETBKMODE, &EmfPlayer::SignedAttribute<&platform::SetBkMode>},
    {EMR_SETBKCOLOR, &EmfPlayer::UnsignedAttribute<&platform::SetBkColor>},
    {EMR_SETTEXTCOLOR, &EmfPlayer::UnsignedAttribute<&platform::SetTextColor>},
    {EMR_SETTEXTALIGN, &EmfPlayer::UnsignedAttribute<&platform::SetTextAlign>},
    {EMR_SETPOLYFILLMODE, &EmfPlayer::SignedAttribute<&platform::SetPolyFillMode>},
    {EMR_SETROP2, &EmfPlayer::SignedAttribute<&platform::SetROP2>},
    {EMR_SETSTRETCHBLTMODE, &EmfPlayer::SignedAttribute<&platform::SetStretchBltMode>},
    {kEmrSetArcDirection, &EmfPlayer::ArcDirectionRecord},
    {EMR_SETBRUSHORGEX, &EmfPlayer::BrushOriginRecord},
    {EMR_CREATEPEN, &EmfPlayer::Untyped<&EmfPlayer::CreatePen>},
    {EMR_EXTCREATEPEN, &EmfPlayer::Untyped<&EmfPlayer::ExtCreatePen>},
    {EMR_CREATEBRUSHINDIRECT, &EmfPlayer::Untyped<&EmfPlayer::CreateBrush>},
    {EMR_CREATEDIBPATTERNBRUSHPT, &EmfPlayer::Untyped<&EmfPlayer::CreateDibBrush>},
    {EMR_CREATEMONOBRUSH, &EmfPlayer::Untyped<&EmfPlayer::CreateDibBrush>},
    {EMR_EXTCREATEFONTINDIRECTW, &EmfPlayer::Untyped<&EmfPlayer::CreateFont>},
    {EMR_CREATEPALETTE, &EmfPlayer::PaletteRecord},
    {EMR_SELECTOBJECT, &EmfPlayer::SelectObjectRecord},
    {EMR_DELETEOBJECT, &EmfPlayer::DeleteObjectRecord},
    {EMR_MOVETOEX, &EmfPlayer::MoveToRecord},
    {EMR_LINETO, &EmfPlayer::LineToRecord},
    {EMR_RECTANGLE, &EmfPlayer::Shape},
    {EMR_ELLIPSE, &EmfPlayer::Shape},
    {EMR_ROUNDRECT, &EmfPlayer::Shape},
    {EMR_ARC, &EmfPlayer::ArcFamily},
    {EMR_CHORD, &EmfPlayer::ArcFamily},
    {EMR_PIE, &EmfPlayer::ArcFamily},
    {EMR_POLYGON, &EmfPlayer::Points},
    {EMR_POLYLINE, &EmfPlayer::Points},
    {EMR_POLYBEZIER, &EmfPlayer::Points},
    {EMR_POLYBEZIERTO, &EmfPlayer::Points},
    {EMR_POLYLINETO, &EmfPlayer::Points},
    {EMR_POLYGON16, &EmfPlayer::Points},
    {EMR_POLYLINE16, &EmfPlayer::Points},
    {EMR_POLYBEZIER16, &EmfPlayer::Points},
    {EMR_POLYBEZIERTO16, &EmfPlayer::Points},
    {EMR_POLYLINETO16, &EmfPlayer::Points},
    {EMR_POLYPOLYGON, &EmfPlayer::PolyPoly},
    {EMR_POLYPOLYLINE, &EmfPlayer::PolyPoly},
    {EMR_POLYPOLYGON16, &EmfPlayer::PolyPoly},
    {EMR_POLYPOLYLINE16, &EmfPlayer::PolyPoly},
    {EMR_POLYDRAW, &EmfPlayer::PolyDraw},
    {EMR_POLYDRAW16, &EmfPlayer::PolyDraw},
    {EMR_SETPIXELV, &EmfPlayer::Untyped<&EmfPlayer::SetPixel>},
    {EMR_BEGINPATH, &EmfPlayer::BeginPathRecord},
    {EMR_ENDPATH, &EmfPlayer::EndPathRecord},
    {EMR_ABORTPATH, &EmfPlayer::AbortPathRecord},
    {EMR_CLOSEFIGURE, &EmfPlayer::CloseFigureRecord},
    {EMR_FILLPATH, &EmfPlayer::PathRecord<true, false>},
    {EMR_STROKEPATH, &EmfPlayer::PathRecord<false, true>},
    {EMR_STROKEANDFILLPATH, &EmfPlayer::PathRecord<true, true>},
    {EMR_INTERSECTCLIPRECT, &EmfPlayer::ClipRect},
    {EMR_EXCLUDECLIPRECT, &EmfPlayer::ClipRect},
    {EMR_EXTSELECTCLIPRGN, &EmfPlayer::Untyped<&EmfPlayer::SelectClipRegion>},
    {EMR_SELECTCLIPPATH, &EmfPlayer::Untyped<&EmfPlayer::SelectClipPath>},
    {EMR_OFFSETCLIPRGN, &EmfPlayer::OffsetClipRecord},
    {EMR_EXTTEXTOUTW, &EmfPlayer::TextRecord<true>},
    {EMR_EXTTEXTOUTA, &EmfPlayer::TextRecord<false>},
    {EMR_STRETCHDIBITS, &EmfPlayer::Untyped<&EmfPlayer::StretchDibits>},
    {EMR_BITBLT, &EmfPlayer::Blt},
    {EMR_STRETCHBLT, &EmfPlayer::Blt},
    {EMR_SETDIBITSTODEVICE, &EmfPlayer::Untyped<&EmfPlayer::SetDibitsToDevice>},
    {EMR_ALPHABLEND, &EmfPlayer::Untyped<&EmfPlayer::AlphaBlend>},
    {EMR_GRADIENTFILL, &EmfPlayer::Untyped<&EmfPlayer::GradientFill>},
};

void EmfPlayer::Dispatch(const RecordRef& ref) {
    static const std::unordered_map<uint32_t, RecordHandler> byType(std::begin(kHandlers),
                                                                    std::end(kHandlers));
    auto found = byType.find(ref.type);
    if (found != byType.end()) (this->*found->second)(ref.type, doc_.RecordBytes(ref));
}

template <void (EmfPlayer::*Handler)(std::span<const uint8_t>)>
void EmfPlayer::Untyped(uint32_t, std::span<const uint8_t> rec) {
    (this->*Handler)(rec);
}

template <auto Setter>
void EmfPlayer::SignedAttribute(uint32_t, std::span<const uint8_t> rec) {
    ByteReader r(rec);
    if (r.Has(8, 4)) Setter(dc_, r.I32Or0(8));
}

template <auto Setter>
void EmfPlayer::UnsignedAttribute(uint32_t, std::span<const uint8_t> rec) {
    ByteReader r(rec);
    if (r.Has(8, 4)) Setter(dc_, r.U32Or0(8));
}

void EmfPlayer::SaveDcRecord(uint32_t, std::span<const uint8_t>) {
    SaveState();
}

void EmfPlayer::RestoreDcRecord(uint32_t, std::span<const uint8_t> rec) {
    ByteReader r(rec);
    if (r.Has(8, 4)) RestoreState(r.I32Or0(8));
}

void EmfPlayer::ArcDirectionRecord(uint32_t, std::span<const uint8_t> rec) {
    ByteReader r(rec);
    if (r.Has(8, 4)) state_.clockwise = r.U32Or0(8) == kAdClockwise;
}

void EmfPlayer::BrushOriginRecord(uint32_t, std::span<const uint8_t> rec) {
    ByteReader r(rec);
    if (!r.Has(8, 8)) return;
    POINT p = DevicePoint(play_.Apply({double(r.I32Or0(8)), double(r.I32Or0(12))}));
    SetBrushOrgEx(dc_, p.x, p.y, nullptr);
}

// A palette only takes its slot, so that later objects find theirs.
void EmfPlayer::PaletteRecord(uint32_t, std::span<const uint8_t> rec) {
    ByteReader r(rec);
    if (!r.Has(8, 4)) return;
    if (ObjectEntry* e = Entry(r.U32Or0(8), true)) e->kind = ObjectEntry::Kind::Other;
}

void EmfPlayer::SelectObjectRecord(uint32_t, std::span<const uint8_t> rec) {
    ByteReader r(rec);
    if (r.Has(8, 4)) SelectObject(r.U32Or0(8));
}

void EmfPlayer::DeleteObjectRecord(uint32_t, std::span<const uint8_t> rec) {
    ByteReader r(rec);
    if (r.Has(8, 4)) DeleteObject(r.U32Or0(8));
}

void EmfPlayer::MoveToRecord(uint32_t, std::span<const uint8_t> rec) {
    ByteReader r(rec);
    if (!r.Has(8, 8)) return;
    SetPosition(ToDevice(r.I32Or0(8), r.I32Or0(12)));
    if (inPath_) PathFigureStart(state_.position);
}

void EmfPlayer::LineToRecord(uint32_t, std::span<const uint8_t> rec) {
    ByteReader r(rec);
    if (r.Has(8, 8)) LineTo(r.I32Or0(8), r.I32Or0(12));
}

void EmfPlayer::BeginPathRecord(uint32_t, std::span<const uint8_t>) {
    inPath_ = true;
    path_.clear();
}

void EmfPlayer::EndPathRecord(uint32_t, std::span<const uint8_t>) {
    inPath_ = false;
}

void EmfPlayer::AbortPathRecord(uint32_t, std::span<const uint8_t>) {
    inPath_ = false;
    path_.clear();
}

void EmfPlayer::CloseFigureRecord(uint32_t, std::span<const uint8_t>) {
    if (path_.empty() || path_.back().points.empty()) return;
    path_.back().closed = true;
    SetPosition(path_.back().points.front());
    PathFigureStart(state_.position);
}

template <bool Fill, bool Stroke>
void EmfPlayer::PathRecord(uint32_t, std::span<const uint8_t>) {
    FillAndStrokePath(Fill, Stroke);
}

void EmfPlayer::OffsetClipRecord(uint32_t, std::span<const uint8_t> rec) {
    ByteReader r(rec);
    if (!r.Has(8, 8)) return;
    // The offset is logical: it moves as far as that distance maps to.
    Vec2 o = ToDevice(0, 0), d = ToDevice(r.I32Or0(8), r.I32Or0(12));
    OffsetClipRgn(dc_, RoundCoordinate(d.x - o.x), RoundCoordinate(d.y - o.y));
}

template <bool Wide>
void EmfPlayer::TextRecord(uint32_t, std::span<const uint8_t> rec) {
    Text(rec, Wide);
}

}  // namespace platform::metafile
