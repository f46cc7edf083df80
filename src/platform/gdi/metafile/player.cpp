#include "platform/gdi/metafile/player.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/utf8.h"
#include "platform/gdi/metafile/byte_reader.h"
#include "platform/gdi/metafile/dib_layout.h"
#include "platform/gdi/metafile/emf_format.h"

namespace platform::metafile {

namespace {

// Objects a hostile picture could make without end are capped; beyond the cap the player
// falls back to stock objects.
constexpr size_t kMaxRealized = 1024;
// Device pen widths and font heights beyond these are clamped.
constexpr double kMaxPenWidth = 1 << 12;
constexpr double kMaxFontHeight = 1 << 12;
// Save levels a picture may open.
constexpr size_t kMaxSaveDepth = 1024;

constexpr uint32_t kPsGeometric = 0x00010000;
constexpr UINT kPsUserStyle = 7;
constexpr UINT kPsAlternate = 8;
constexpr uint32_t kPsTypeMask = 0x000F0000;
constexpr uint32_t kMwtIdentity = 1;
constexpr uint32_t kMwtLeftMultiply = 2;
constexpr uint32_t kMwtRightMultiply = 3;
constexpr uint32_t kMwtSet = 4;

bool Finite(const Affine& a) {
    return std::isfinite(a.m11) && std::isfinite(a.m12) && std::isfinite(a.m21) &&
           std::isfinite(a.m22) && std::isfinite(a.dx) && std::isfinite(a.dy);
}

}  // namespace

EmfPlayer::EmfPlayer(HDC dc, const EmfDocument& doc, const RECT& target)
    : dc_(dc),
      doc_(doc),
      state_{PageMapping(doc.Device()), Affine{}, LogicalPen{}, std::nullopt, false, Vec2{}} {
    play_ = PlayTransform(doc.Frame(), doc.Device(),
                          {target.left, target.top, target.right, target.bottom});
    state_.pen.stock = GetStockObject(BLACK_PEN);
    UpdateTransform();
}

EmfPlayer::~EmfPlayer() {
    for (auto& entry : objects_) Retire(entry);
    for (HGDIOBJ h : retired_) platform::DeleteObject(h);
    for (auto& [key, pen] : pens_) platform::DeleteObject(pen);
    for (auto& [key, font] : fonts_) platform::DeleteObject(font);
    if (initialClip_) platform::DeleteObject(initialClip_);
}

void EmfPlayer::Play() {
    // The target's own state comes back whole afterwards; while the picture plays it maps
    // nothing, so the player's device coordinates are the target's pixels.
    savedLevel_ = SaveDC(dc_);
    if (savedLevel_ == 0) return;
    SetMapMode(dc_, MM_TEXT);
    SetWindowOrgEx(dc_, 0, 0, nullptr);
    SetViewportOrgEx(dc_, 0, 0, nullptr);
    RECT visible{};
    GetClipBox(dc_, &visible);
    constexpr double kGuardMargin = kMaxPenWidth + 64;
    guard_ = {visible.left - kGuardMargin, visible.top - kGuardMargin, visible.right + kGuardMargin,
              visible.bottom + kGuardMargin};
    initialClip_ = CreateRectRgn(0, 0, 0, 0);
    if (initialClip_ && GetClipRgn(dc_, initialClip_) != 1) {
        platform::DeleteObject(initialClip_);
        initialClip_ = nullptr;
    }
    ResetAttributes();
    for (const RecordRef& ref : doc_.Records()) {
        if (ref.type == EMR_EOF) break;
        Dispatch(ref);
    }
    RestoreDC(dc_, savedLevel_);
}

// A picture is recorded against a fresh context, so it plays against one: default objects,
// colours and modes. The target gets its own back when playback ends.
void EmfPlayer::ResetAttributes() {
    SelectObject(kStockObjectFlag | BLACK_PEN);
    SelectObject(kStockObjectFlag | WHITE_BRUSH);
    if (HGDIOBJ font = GetStockObject(SYSTEM_FONT)) platform::SelectObject(dc_, font);
    SetTextColor(dc_, 0x000000);
    SetBkColor(dc_, 0xFFFFFF);
    SetBkMode(dc_, OPAQUE);
    SetTextAlign(dc_, 0);
    SetROP2(dc_, R2_COPYPEN);
    SetPolyFillMode(dc_, ALTERNATE);
    SetStretchBltMode(dc_, 1);  // BLACKONWHITE
    SetPosition({});
}

void EmfPlayer::SetPosition(Vec2 device) {
    state_.position = device;
    POINT p = DevicePoint(device);
    MoveToEx(dc_, p.x, p.y, nullptr);
}

void EmfPlayer::UpdateTransform() {
    current_ = Compose(Compose(state_.world, state_.page.Transform()), play_);
}

std::vector<POINT> EmfPlayer::DevicePoints(const std::vector<Vec2>& points) const {
    std::vector<POINT> out;
    out.reserve(points.size());
    for (Vec2 p : points) out.push_back(DevicePoint(p));
    return out;
}

// A logical box as a device rectangle; false when the transform turns it.
bool EmfPlayer::DeviceBox(int32_t l, int32_t t, int32_t r, int32_t b, RECT& out) const {
    if (!current_.IsAxisAligned()) return false;
    POINT a = DevicePoint(ToDevice(l, t));
    POINT c = DevicePoint(ToDevice(r, b));
    out = {std::min(a.x, c.x), std::min(a.y, c.y), std::max(a.x, c.x), std::max(a.y, c.y)};
    return true;
}

// ---------------------------------------------------------------------------------------------
// Mapping

void EmfPlayer::MapRecord(uint32_t type, std::span<const uint8_t> rec) {
    ByteReader r(rec);
    if (type == EMR_SETMAPMODE) {
        if (r.Has(8, 4)) state_.page.SetMapMode(r.I32Or0(8));
    } else if (type == EMR_SCALEVIEWPORTEXTEX || type == EMR_SCALEWINDOWEXTEX) {
        if (!r.Has(8, 16)) return;
        int32_t xn = r.I32Or0(8), xd = r.I32Or0(12), yn = r.I32Or0(16), yd = r.I32Or0(20);
        if (type == EMR_SCALEVIEWPORTEXTEX)
            state_.page.ScaleViewportExt(xn, xd, yn, yd);
        else
            state_.page.ScaleWindowExt(xn, xd, yn, yd);
    } else {
        if (!r.Has(8, 8)) return;
        IntPair v{r.I32Or0(8), r.I32Or0(12)};
        switch (type) {
            case EMR_SETWINDOWEXTEX:
                state_.page.SetWindowExt(v);
                break;
            case EMR_SETWINDOWORGEX:
                state_.page.SetWindowOrg(v);
                break;
            case EMR_SETVIEWPORTEXTEX:
                state_.page.SetViewportExt(v);
                break;
            case EMR_SETVIEWPORTORGEX:
                state_.page.SetViewportOrg(v);
                break;
            default:
                break;
        }
    }
    UpdateTransform();
}

void EmfPlayer::WorldTransform(uint32_t type, std::span<const uint8_t> rec) {
    ByteReader r(rec);
    if (!r.Has(8, 24)) return;
    Affine x{r.F32(8).value_or(1),  r.F32(12).value_or(0), r.F32(16).value_or(0),
             r.F32(20).value_or(1), r.F32(24).value_or(0), r.F32(28).value_or(0)};
    Affine next = state_.world;
    if (type == EMR_SETWORLDTRANSFORM) {
        next = x;
    } else {
        if (!r.Has(32, 4)) return;
        switch (r.U32Or0(32)) {
            case kMwtIdentity:
                next = Affine{};
                break;
            case kMwtLeftMultiply:
                next = Compose(x, state_.world);
                break;
            case kMwtRightMultiply:
                next = Compose(state_.world, x);
                break;
            case kMwtSet:
                next = x;
                break;
            default:
                return;
        }
    }
    // A transform that cannot be undone or is not finite is refused, as the platform does.
    if (!Finite(next) || !next.IsInvertible()) return;
    state_.world = next;
    UpdateTransform();
}

void EmfPlayer::SaveState() {
    if (saved_.size() >= kMaxSaveDepth) return;
    if (SaveDC(dc_) == 0) return;
    saved_.push_back(state_);
}

// Negative: that many levels back; positive: the level with that number.
void EmfPlayer::RestoreState(int32_t which) {
    int64_t depth = static_cast<int64_t>(saved_.size());
    int64_t target = which < 0 ? depth + which : static_cast<int64_t>(which) - 1;
    if (which == 0 || target < 0 || target >= depth) return;
    int64_t levels = depth - target;
    if (!RestoreDC(dc_, static_cast<int>(-levels))) return;
    state_ = saved_[static_cast<size_t>(target)];
    saved_.erase(saved_.begin() + target, saved_.end());
    UpdateTransform();
}

// ---------------------------------------------------------------------------------------------
// Objects

EmfPlayer::ObjectEntry* EmfPlayer::Entry(uint32_t index, bool mustBeEmpty) {
    // Index 0 names the picture itself; objects use 1 .. handles - 1. The table grows as
    // objects arrive, so a header that promises many handles costs nothing up front.
    if (index == 0 || index >= doc_.HandleCount()) return nullptr;
    if (index >= objects_.size()) {
        if (!mustBeEmpty) return nullptr;
        objects_.resize(index + 1);
    }
    ObjectEntry& entry = objects_[index];
    if (mustBeEmpty && entry.kind != ObjectEntry::Kind::Empty) Retire(entry);
    return &entry;
}

// A brush may still be selected, or kept by a saved state: it is freed after playback.
void EmfPlayer::Retire(ObjectEntry& entry) {
    if (entry.brush) retired_.push_back(entry.brush);
    entry = ObjectEntry{};
}

void EmfPlayer::CreatePen(std::span<const uint8_t> rec) {
    ByteReader r(rec);
    if (!r.Has(8, 20)) return;
    ObjectEntry* e = Entry(r.U32Or0(8), true);
    if (!e) return;
    e->kind = ObjectEntry::Kind::Pen;
    e->pen.style = r.U32Or0(12) & PS_STYLE_MASK;
    e->pen.width = std::max(0, r.I32Or0(16));
    e->pen.color = r.U32Or0(24);
}

void EmfPlayer::ExtCreatePen(std::span<const uint8_t> rec) {
    ByteReader r(rec);
    if (!r.Has(8, 40)) return;
    ObjectEntry* e = Entry(r.U32Or0(8), true);
    if (!e) return;
    uint32_t style = r.U32Or0(28);
    e->kind = ObjectEntry::Kind::Pen;
    e->pen.style = style & PS_STYLE_MASK;
    e->pen.cosmetic = (style & kPsTypeMask) != kPsGeometric;
    e->pen.width = static_cast<int32_t>(std::min<uint32_t>(r.U32Or0(32), 1u << 30));
    // A pen drawn with no brush draws nothing.
    if (r.U32Or0(36) == BS_NULL) e->pen.style = PS_NULL;
    e->pen.color = r.U32Or0(40);
}

void EmfPlayer::CreateBrush(std::span<const uint8_t> rec) {
    ByteReader r(rec);
    if (!r.Has(8, 16)) return;
    ObjectEntry* e = Entry(r.U32Or0(8), true);
    if (!e) return;
    LOGBRUSH lb{r.U32Or0(12), r.U32Or0(16), r.U32Or0(20)};
    // Only the styles this record can describe.
    if (lb.lbStyle != BS_SOLID && lb.lbStyle != BS_NULL && lb.lbStyle != BS_HATCHED)
        lb.lbStyle = BS_SOLID;
    e->kind = ObjectEntry::Kind::Brush;
    e->brush = CreateBrushIndirect(&lb);
}

// The brush's bitmap is handed over as a device-independent bitmap; it becomes a pattern.
void EmfPlayer::CreateDibBrush(std::span<const uint8_t> rec) {
    ByteReader r(rec);
    if (!r.Has(8, 24)) return;
    ObjectEntry* e = Entry(r.U32Or0(8), true);
    if (!e) return;
    e->kind = ObjectEntry::Kind::Brush;
    uint32_t usage = r.U32Or0(12);
    auto info = r.Slice(r.U32Or0(16), r.U32Or0(20));
    auto bits = r.Slice(r.U32Or0(24), r.U32Or0(28));
    auto dib = info ? DescribeDib(*info, usage) : std::nullopt;
    if (!dib || !bits || dib->compression != 0 || bits->size() < dib->bitsSize) {
        LOGBRUSH hollow{BS_NULL, 0, 0};
        e->brush = CreateBrushIndirect(&hollow);
        return;
    }
    std::vector<uint32_t> aligned((dib->infoSize + 3) / 4 + 1);
    std::memcpy(aligned.data(), info->data(), dib->infoSize);
    HBITMAP bitmap =
        CreateDIBitmap(nullptr, reinterpret_cast<const BITMAPINFOHEADER*>(aligned.data()), CBM_INIT,
                       bits->data(), reinterpret_cast<const BITMAPINFO*>(aligned.data()), usage);
    if (bitmap) {
        e->brush = CreatePatternBrush(bitmap);
        retired_.push_back(bitmap);
    }
}

void EmfPlayer::CreateFont(std::span<const uint8_t> rec) {
    ByteReader r(rec);
    constexpr size_t kLogFontW = 92;
    if (!r.Has(12, kLogFontW)) return;
    ObjectEntry* e = Entry(r.U32Or0(8), true);
    if (!e) return;
    LOGFONT lf{};
    lf.lfHeight = r.I32Or0(12);
    lf.lfWidth = r.I32Or0(16);
    lf.lfEscapement = r.I32Or0(20);
    lf.lfOrientation = r.I32Or0(24);
    lf.lfWeight = r.I32Or0(28);
    BYTE* flags = &lf.lfItalic;
    for (size_t i = 0; i < 8; ++i) flags[i] = r.U8(32 + i).value_or(0);
    std::u16string face;
    for (size_t i = 0; i < 32; ++i) {
        char16_t c = static_cast<char16_t>(r.U16Or0(40 + 2 * i));
        if (c == 0) break;
        face.push_back(c);
    }
    std::string utf8 = core::Utf16ToUtf8(face);
    // Cut at a character boundary so the name stays valid UTF-8.
    size_t keep = 0;
    for (size_t at = 0; at < utf8.size();) {
        size_t next = at;
        core::NextCodePoint(utf8, next);
        if (next >= sizeof lf.lfFaceName) break;
        keep = at = next;
    }
    std::memcpy(lf.lfFaceName, utf8.data(), keep);
    e->kind = ObjectEntry::Kind::Font;
    e->font = lf;
}

void EmfPlayer::SelectObject(uint32_t index) {
    if (index & kStockObjectFlag) {
        int stock = static_cast<int>(index & ~kStockObjectFlag);
        HGDIOBJ object = GetStockObject(stock);
        if (!object) return;
        DWORD kind = GetObjectType(object);
        if (kind == OBJ_PEN) {
            state_.pen = LogicalPen{};
            state_.pen.stock = object;
            ApplyPen();
        } else if (kind == OBJ_FONT) {
            state_.font.reset();
            platform::SelectObject(dc_, object);
        } else if (kind == OBJ_BRUSH) {
            platform::SelectObject(dc_, object);
        }
        return;
    }
    ObjectEntry* e = Entry(index, false);
    if (!e) return;
    switch (e->kind) {
        case ObjectEntry::Kind::Pen:
            state_.pen = e->pen;
            ApplyPen();
            break;
        case ObjectEntry::Kind::Brush:
            if (e->brush) platform::SelectObject(dc_, e->brush);
            break;
        case ObjectEntry::Kind::Font:
            state_.font = e->font;
            ApplyFont();
            break;
        default:
            break;
    }
}

void EmfPlayer::DeleteObject(uint32_t index) {
    if (ObjectEntry* e = Entry(index, false)) Retire(*e);
}

// The device pen for the selected logical pen at the present scale.
void EmfPlayer::ApplyPen() {
    if (state_.pen.stock) {
        platform::SelectObject(dc_, state_.pen.stock);
        return;
    }
    HPEN pen = RealizePen(state_.pen);
    platform::SelectObject(dc_, pen ? static_cast<HGDIOBJ>(pen) : GetStockObject(BLACK_PEN));
}

HPEN EmfPlayer::RealizePen(const LogicalPen& pen) {
    int width = 0;
    if (!pen.cosmetic && pen.width > 0) {
        double scaled = pen.width * (current_.ScaleX() + current_.ScaleY()) / 2;
        width = static_cast<int>(std::lround(std::clamp(scaled, 1.0, kMaxPenWidth)));
    }
    // Styles the raster has no pattern for: user-defined dashes draw as plain dashes (solid
    // when wide, as wide dashed pens do), alternate pixels as dots.
    UINT style = pen.style;
    if (style == kPsUserStyle)
        style = width > 1 ? PS_SOLID : PS_DASH;
    else if (style == kPsAlternate)
        style = PS_DOT;
    else if (style > PS_INSIDEFRAME)
        style = PS_SOLID;
    auto key = std::make_tuple(style, width, pen.color);
    if (auto found = pens_.find(key); found != pens_.end()) return found->second;
    if (pens_.size() >= kMaxRealized) return nullptr;
    HPEN made = platform::CreatePen(static_cast<int>(style), width, pen.color);
    if (made) pens_[key] = made;
    return made;
}

// The device font for the selected logical font: heights and widths follow the scale.
void EmfPlayer::ApplyFont() {
    if (!state_.font) return;
    LOGFONT lf = *state_.font;
    auto scale = [](LONG v, double s) {
        if (v == 0) return LONG{0};
        double scaled = std::clamp(v * s, -kMaxFontHeight, kMaxFontHeight);
        LONG rounded = static_cast<LONG>(std::lround(scaled));
        return rounded != 0 ? rounded : (v < 0 ? LONG{-1} : LONG{1});
    };
    lf.lfHeight = scale(lf.lfHeight, current_.ScaleY());
    lf.lfWidth = scale(lf.lfWidth, current_.ScaleX());
    std::string key(reinterpret_cast<const char*>(&lf), sizeof lf);
    HFONT font = nullptr;
    if (auto found = fonts_.find(key); found != fonts_.end()) {
        font = found->second;
    } else if (fonts_.size() < kMaxRealized) {
        font = CreateFontIndirect(&lf);
        if (font) fonts_[key] = font;
    }
    if (font) platform::SelectObject(dc_, font);
}

}  // namespace platform::metafile
