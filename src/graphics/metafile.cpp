#include "graphics/metafile.h"

#include <cstring>
#include <vector>

#include "core/exceptions.h"
#include "core/resource_strings.h"
#include "graphics/canvas.h"
#include "graphics/picture.h"
#include "graphics/resource_strings.h"
#include "platform/gdi/gdi.h"

namespace graphics {

using namespace platform;

TEMBRIN_DEFINE_GRAPHIC_CLASS(TMetafile, TGraphic)
TEMBRIN_DEFINE_GRAPHIC_CLASS(TOleGraphic, TGraphic)

namespace {

[[noreturn]] void InvalidMetafile() {
    throw core::EInvalidGraphic(strings::SInvalidMetafile);
}

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr int kEnhancedProbe = 100;

uint32_t Dword(const uint8_t* bytes, size_t offset) {
    uint32_t value;
    std::memcpy(&value, bytes + offset, 4);
    return value;
}

uint16_t Word(const uint8_t* bytes, size_t offset) {
    uint16_t value;
    std::memcpy(&value, bytes + offset, 2);
    return value;
}

}  // namespace

void RegisterOleGraphic() {
    TPicture::RegisterFileFormat("", "", TOleGraphic::ClassType());
}

TMetafile::TMetafile() = default;

TMetafile::~TMetafile() {
    if (handle_) DeleteEnhMetaFile(handle_);
}

void TMetafile::Replace(HENHMETAFILE handle, int mmWidth, int mmHeight, int inch) {
    if (handle_) DeleteEnhMetaFile(handle_);
    handle_ = handle;
    mmWidth_ = mmWidth;
    mmHeight_ = mmHeight;
    inch_ = inch;
}

void TMetafile::CopyFrom(const core::TPersistent* source) {
    if (source == nullptr) {
        Replace(nullptr, 0, 0, 0);
        NotifyChange();
        return;
    }
    auto* other = dynamic_cast<const TMetafile*>(source);
    if (!other) {
        TGraphic::CopyFrom(source);
        return;
    }
    if (other == this) return;
    HENHMETAFILE copy = other->handle_ ? CopyEnhMetaFile(other->handle_, nullptr) : nullptr;
    Replace(copy, other->mmWidth_, other->mmHeight_, other->inch_);
    NotifyChange();
}

void TMetafile::LoadFromStream(core::TStream& stream) {
    int64_t start = stream.Position();
    bool enhanced = false;
    if (stream.Remaining() > kEnhancedProbe) {
        uint8_t probe[kEnhancedProbe];
        stream.ReadBuffer(probe, sizeof probe);
        stream.SetPosition(start);
        enhanced = Dword(probe, 0) == EMR_HEADER && Dword(probe, 40) == ENHMETA_SIGNATURE;
    }
    if (enhanced)
        ReadEnhanced(stream);
    else
        ReadPlaceable(stream);
    NotifyChange();
}

void TMetafile::ReadEnhanced(core::TStream& stream) {
    uint8_t header[kEnhancedProbe];
    stream.ReadBuffer(header, sizeof header);
    uint32_t total = Dword(header, 48);
    if (total < kEnhancedProbe) InvalidMetafile();
    // The declared size must be there to read; checking first keeps a lying header from
    // making a huge buffer.
    if (total - kEnhancedProbe > stream.Remaining())
        throw core::EReadError(core::strings::SReadError);
    std::vector<uint8_t> bytes(total);
    std::memcpy(bytes.data(), header, sizeof header);
    stream.ReadBuffer(bytes.data() + kEnhancedProbe, total - kEnhancedProbe);
    HENHMETAFILE handle = SetEnhMetaFileBits(total, bytes.data());
    if (!handle) InvalidMetafile();
    auto frame = [&](size_t offset) { return static_cast<int32_t>(Dword(header, offset)); };
    Replace(handle, frame(32) - frame(24), frame(36) - frame(28), 0);
}

void TMetafile::ReadPlaceable(core::TStream& stream) {
    uint8_t header[22];
    if (stream.Read(header, sizeof header) != sizeof header) InvalidMetafile();
    if (Dword(header, 0) != kPlaceableKey) InvalidMetafile();
    uint16_t checksum = 0;
    for (size_t i = 0; i < 10; ++i) checksum ^= Word(header, i * 2);
    if (checksum != Word(header, 20)) InvalidMetafile();
    int inch = Word(header, 14);
    if (inch == 0) inch = 96;
    auto bound = [&](size_t offset) { return static_cast<int16_t>(Word(header, offset)); };
    int mmWidth = (bound(10) - bound(6)) * 2540 / inch;
    int mmHeight = (bound(12) - bound(8)) * 2540 / inch;

    int64_t size = stream.Remaining();
    if (size <= 0 || size > UINT32_MAX) InvalidMetafile();
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    stream.ReadBuffer(bytes.data(), size);
    METAFILEPICT picture{MM_ANISOTROPIC, mmWidth, mmHeight, nullptr};
    HENHMETAFILE handle =
        SetWinMetaFileBits(static_cast<UINT>(size), bytes.data(), nullptr, &picture);
    if (!handle) InvalidMetafile();
    Replace(handle, mmWidth, mmHeight, inch);
}

int TMetafile::ToPixels(int mm100, bool horizontal) const {
    if (inch_ != 0 || !handle_) return static_cast<int>(int64_t(mm100) * 96 / 2540);
    ENHMETAHEADER header{};
    GetEnhMetaFileHeader(handle_, sizeof header, &header);
    int64_t pixels = horizontal ? header.szlDevice.cx : header.szlDevice.cy;
    int64_t millimetres = horizontal ? header.szlMillimeters.cx : header.szlMillimeters.cy;
    if (millimetres <= 0) return static_cast<int>(int64_t(mm100) * 96 / 2540);
    return static_cast<int>(int64_t(mm100) * pixels / (millimetres * 100));
}

int TMetafile::Width() const {
    return ToPixels(mmWidth_, true);
}
int TMetafile::Height() const {
    return ToPixels(mmHeight_, false);
}

void TMetafile::SetWidth(int value) {
    mmWidth_ = value * 2540 / 96;
    NotifyChange();
}

void TMetafile::SetHeight(int value) {
    mmHeight_ = value * 2540 / 96;
    NotifyChange();
}

void TMetafile::DrawInto(TCanvas& canvas, const TRect& rect) {
    if (!handle_) return;
    RECT target{rect.left, rect.top, rect.right - 1, rect.bottom - 1};
    PlayEnhMetaFile(canvas.Handle(), handle_, &target);
}

void TMetafile::SaveToStream(core::TStream& stream) {
    if (!handle_) return;
    UINT size = GetEnhMetaFileBits(handle_, 0, nullptr);
    std::vector<uint8_t> bytes(size);
    GetEnhMetaFileBits(handle_, size, bytes.data());
    stream.WriteBuffer(bytes.data(), size);
}

void TMetafile::LoadClipboard(uint16_t, uintptr_t, HPALETTE) {
    throw core::EInvalidGraphic(strings::SUnknownClipboardFormat);
}

void TMetafile::SaveClipboard(uint16_t&, uintptr_t&, HPALETTE&) {
    throw core::EInvalidGraphic(strings::SUnknownClipboardFormat);
}

}  // namespace graphics
