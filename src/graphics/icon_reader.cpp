// The icon reader: an ICO file is kept whole and decoded only when a handle is first needed;
// decoding picks the directory entry closest to the wanted size with the most colours.
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/exceptions.h"
#include "core/resource_strings.h"
#include "graphics/bitmap.h"
#include "graphics/bmp_format.h"
#include "graphics/icon.h"
#include "graphics/icon_choice.h"
#include "graphics/resource_strings.h"
#include "platform/gdi/gdi.h"

namespace graphics {

using namespace platform;

namespace {

[[noreturn]] void InvalidIcon() {
    throw core::EInvalidGraphic(strings::SInvalidIcon);
}

#pragma pack(push, 1)
struct IconHeader {
    uint16_t reserved;
    uint16_t type;
    uint16_t count;
};
#pragma pack(pop)
static_assert(sizeof(IconHeader) == 6);
static_assert(sizeof(IconEntry) == 16);

// A bitmap of the decoded size holding `source` stretched onto it.
HBITMAP StretchToSize(HBITMAP source, int width, int height, bool monochrome) {
    BITMAP info{};
    GetObject(source, sizeof info, &info);
    HDC screen = GetDC(nullptr);
    HBITMAP target = monochrome ? CreateBitmap(width, height, 1, 1, nullptr)
                                : CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    if (!target) GdiError();
    HDC from = CreateCompatibleDC(nullptr);
    HDC to = CreateCompatibleDC(nullptr);
    HGDIOBJ oldFrom = SelectObject(from, source);
    HGDIOBJ oldTo = SelectObject(to, target);
    StretchBlt(to, 0, 0, width, height, from, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    return target;
}

HBITMAP BitmapFromRows(const BITMAPINFO* info, const uint8_t* rows) {
    HDC screen = GetDC(nullptr);
    if (!screen) throw core::EOutOfResources(strings::SOutOfResources);
    HBITMAP bitmap = CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, rows, info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (!bitmap) GdiError();
    return bitmap;
}

std::vector<uint8_t> DeviceRows(HBITMAP bitmap) {
    BITMAP info{};
    GetObject(bitmap, sizeof info, &info);
    std::vector<uint8_t> rows(static_cast<size_t>(info.bmWidthBytes) * info.bmHeight *
                              info.bmPlanes);
    GetBitmapBits(bitmap, static_cast<LONG>(rows.size()), rows.data());
    return rows;
}

struct DecodedIcon {
    HICON handle;
    TPoint size;
};

// Builds an icon from one image of the file: a DIB whose height counts both halves.
DecodedIcon DecodeImage(const uint8_t* image, uint32_t byteCount, int width, int height) {
    if (byteCount < sizeof(BITMAPINFOHEADER)) InvalidIcon();
    BITMAPINFOHEADER header;
    std::memcpy(&header, image, sizeof header);
    // Images stored as PNG, and headers that are not DIB headers, are not recognised.
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > bmp::kMaxHeaderSize ||
        header.biWidth <= 0 || header.biHeight <= 0 || header.biWidth > kMaxBitmapSide ||
        header.biHeight > 2 * kMaxBitmapSide)
        InvalidIcon();
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biHeight /= 2;
    header.biCompression = BI_RGB;
    header.biClrUsed = 0;
    header.biClrImportant = 0;
    uint32_t colors = bmp::DefaultColorCount(header.biBitCount);
    int64_t tableBytes = int64_t(colors) * 4;
    int64_t colorBytes = bmp::LineLength(header.biWidth, header.biBitCount) * header.biHeight;
    int64_t maskBytes = bmp::LineLength(header.biWidth, 1) * header.biHeight;
    if (header.biBitCount == 0 || sizeof header + tableBytes + colorBytes + maskBytes > byteCount)
        InvalidIcon();
    if (width == 0) width = 256;  // a directory size byte of 0 stands for 256
    if (height == 0) height = 256;

    std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
    header.biSizeImage = static_cast<DWORD>(colorBytes);
    std::memcpy(info.data(), &header, sizeof header);
    std::memcpy(info.data() + sizeof header, image + sizeof header,
                static_cast<size_t>(tableBytes));
    const uint8_t* colorRows = image + sizeof header + tableBytes;
    const uint8_t* maskRows = colorRows + colorBytes;

    HBITMAP decoded = BitmapFromRows(reinterpret_cast<BITMAPINFO*>(info.data()), colorRows);
    HBITMAP color = StretchToSize(decoded, width, height, false);
    DeleteObject(decoded);

    auto& maskHeader = *reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    maskHeader.biBitCount = 1;
    maskHeader.biSizeImage = static_cast<DWORD>(maskBytes);
    maskHeader.biClrUsed = 2;
    maskHeader.biClrImportant = 2;
    auto* table = reinterpret_cast<RGBQUAD*>(info.data() + sizeof header);
    table[0] = {0, 0, 0, 0};
    table[1] = {255, 255, 255, 0};
    decoded = BitmapFromRows(reinterpret_cast<BITMAPINFO*>(info.data()), maskRows);
    HBITMAP mask = StretchToSize(decoded, width, height, true);
    DeleteObject(decoded);

    std::vector<uint8_t> maskBits = DeviceRows(mask);
    std::vector<uint8_t> colorBits = DeviceRows(color);
    BITMAP colorInfo{};
    GetObject(color, sizeof colorInfo, &colorInfo);
    DeleteObject(mask);
    DeleteObject(color);
    HICON icon =
        CreateIcon(nullptr, width, height, static_cast<BYTE>(colorInfo.bmPlanes),
                   static_cast<BYTE>(colorInfo.bmBitsPixel), maskBits.data(), colorBits.data());
    if (!icon) GdiError();
    return {icon, {width, height}};
}

}  // namespace

int ChooseIconEntry(const IconEntry* entries, int count, TPoint wanted, int64_t colorLimit) {
    auto colorValue = [](const IconEntry& e) -> int64_t { return e.colors ? e.colors : INT32_MAX; };
    auto axisAtLeastAsGood = [](int entry, int best, int want) {
        int dNew = entry - want;
        int dOld = best - want;
        return std::abs(dNew) <= std::abs(dOld) && (dNew <= 0 || dNew <= dOld);
    };
    int best = 0;
    for (int i = 1; i < count; ++i) {
        const IconEntry& e = entries[i];
        int64_t c = colorValue(e);
        if (c <= colorLimit && c >= colorValue(entries[best]) &&
            axisAtLeastAsGood(e.width, entries[best].width, wanted.x) &&
            axisAtLeastAsGood(e.height, entries[best].height, wanted.y))
            best = i;
    }
    return best;
}

void TIcon::LoadFromStream(core::TStream& stream) {
    auto file = std::make_unique<core::TMemoryStream>();
    int64_t left = stream.Remaining();
    if (left > 0) file->CopyFrom(stream, left);
    file->SetPosition(0);
    IconHeader header{};
    file->ReadBuffer(&header, sizeof header);
    if (header.type > 1) InvalidIcon();
    // A directory that lists no image has nothing to show.
    if (header.type == 1 && header.count == 0) InvalidIcon();
    NewImage(nullptr, std::move(file));
    NotifyChange();
}

void TIcon::EnsureHandle() {
    if (image_->handle_ || !image_->fileImage_) return;
    core::TMemoryStream& file = *image_->fileImage_;
    file.SetPosition(0);
    IconHeader header{};
    file.ReadBuffer(&header, sizeof header);
    if (header.type == 0) {
        image_->handle_ = LoadIcon(nullptr, IDI_APPLICATION);
        return;
    }
    if (header.type != 1 || header.count == 0) InvalidIcon();
    std::vector<IconEntry> entries(header.count);
    file.ReadBuffer(entries.data(), int64_t(header.count) * int64_t(sizeof(IconEntry)));

    TPoint wanted = requestedSize_;
    if (wanted.x == 0 && wanted.y == 0)
        wanted = {GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
    HDC screen = GetDC(nullptr);
    if (!screen) throw core::EOutOfResources(strings::SOutOfResources);
    int depth = GetDeviceCaps(screen, PLANES) * GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    int64_t colorLimit = depth <= 8 ? (int64_t(1) << depth) : INT32_MAX;
    const IconEntry& chosen =
        entries[ChooseIconEntry(entries.data(), header.count, wanted, colorLimit)];

    int64_t end = int64_t(chosen.imageOffset) + chosen.bytesInImage;
    if (end > file.Size()) throw core::EReadError(core::strings::SReadError);
    DecodedIcon icon = DecodeImage(file.Memory() + chosen.imageOffset, chosen.bytesInImage,
                                   chosen.width, chosen.height);
    image_->handle_ = icon.handle;
    image_->size_ = icon.size;
}

}  // namespace graphics
