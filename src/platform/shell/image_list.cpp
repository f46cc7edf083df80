#include "platform/shell/image_list.h"

#include <array>

#include "platform/gdi/gdi.h"

namespace platform {

// One icon as 32-bit pixels (0x00RRGGBB, top row first) and an opacity flag per pixel.
struct IMAGELIST {
    int size = 0;
    std::vector<std::vector<std::uint32_t>> pixels;
    std::vector<std::vector<bool>> opaque;
};

namespace {

constexpr std::uint32_t kOutline = 0x404040;
constexpr std::uint32_t kPaper = 0xFFFFFF;
constexpr std::uint32_t kFolderBody = 0xE8C050;
constexpr std::uint32_t kFolderFront = 0xF8DC80;
constexpr std::uint32_t kMetal = 0xB0B0B0;
constexpr std::uint32_t kScreen = 0x3070C0;
constexpr std::uint32_t kRoof = 0xB03020;
constexpr std::uint32_t kLight = 0x20C020;

// The art is drawn on a 16 × 16 grid; the large list scales it up.
using Grid = std::array<std::array<std::uint32_t, 16>, 16>;
constexpr std::uint32_t kClear = 0xFF000000;

void Box(Grid& g, int l, int t, int r, int b, std::uint32_t fill, std::uint32_t edge) {
    for (int y = t; y <= b; ++y) {
        for (int x = l; x <= r; ++x) {
            const bool border = x == l || x == r || y == t || y == b;
            g[y][x] = border ? edge : fill;
        }
    }
}

Grid Art(int index) {
    Grid g;
    for (auto& row : g) row.fill(kClear);
    switch (index) {
        case kIconFile:
        case kIconArchive:
            Box(g, 3, 1, 12, 14, kPaper, kOutline);
            for (int y = 4; y <= 11; y += 2) {
                for (int x = 5; x <= 10; ++x) g[y][x] = 0x9090A0;
            }
            if (index == kIconArchive) {
                for (int y = 2; y <= 13; ++y) g[y][7] = g[y][8] = (y % 2) ? 0x303030 : 0xE0C000;
            }
            break;
        case kIconFolder:
            Box(g, 1, 2, 6, 4, kFolderBody, kOutline);
            Box(g, 1, 4, 14, 13, kFolderBody, kOutline);
            break;
        case kIconFolderOpen:
            Box(g, 1, 2, 6, 4, kFolderBody, kOutline);
            Box(g, 1, 4, 14, 13, kFolderBody, kOutline);
            Box(g, 3, 7, 14, 13, kFolderFront, kOutline);
            break;
        case kIconVolume:
            Box(g, 1, 5, 14, 11, kMetal, kOutline);
            g[9][11] = g[9][12] = kLight;
            break;
        case kIconComputer:
            Box(g, 2, 1, 13, 10, kScreen, kOutline);
            Box(g, 5, 12, 10, 14, kMetal, kOutline);
            break;
        case kIconHome:
            for (int y = 1; y <= 7; ++y) {
                for (int x = 8 - y; x <= 7 + y; ++x) g[y][x] = kRoof;
            }
            Box(g, 3, 8, 12, 14, kPaper, kOutline);
            Box(g, 6, 10, 9, 14, kFolderBody, kOutline);
            break;
        case kIconDesktop:
            Box(g, 1, 2, 14, 12, 0x50A0E0, kOutline);
            Box(g, 3, 4, 5, 6, kPaper, kOutline);
            break;
        default:
            break;
    }
    return g;
}

IMAGELIST MakeList(int size) {
    IMAGELIST list;
    list.size = size;
    for (int i = 0; i < kSystemIconCount; ++i) {
        const Grid art = Art(i);
        std::vector<std::uint32_t> pixels(std::size_t(size) * size, 0);
        std::vector<bool> opaque(std::size_t(size) * size, false);
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const std::uint32_t c = art[y * 16 / size][x * 16 / size];
                if (c == kClear) continue;
                pixels[y * size + x] = c;
                opaque[y * size + x] = true;
            }
        }
        list.pixels.push_back(std::move(pixels));
        list.opaque.push_back(std::move(opaque));
    }
    return list;
}

bool ValidIndex(HIMAGELIST list, int index) {
    return list != nullptr && index >= 0 && index < static_cast<int>(list->pixels.size());
}

}  // namespace

HIMAGELIST SystemImageList(bool small) {
    static IMAGELIST smallList = MakeList(16);
    static IMAGELIST largeList = MakeList(32);
    return small ? &smallList : &largeList;
}

int ImageList_GetImageCount(HIMAGELIST list) {
    return list == nullptr ? 0 : static_cast<int>(list->pixels.size());
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* width, int* height) {
    if (list == nullptr || width == nullptr || height == nullptr) return FALSE;
    *width = *height = list->size;
    return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT) {
    if (!ValidIndex(list, index) || dc == nullptr) return FALSE;
    const int size = list->size;
    // An icon is made for the one draw: the lists hold no handles that could outlive the
    // drawing services.
    const int maskStride = (size + 15) / 16 * 2;
    std::vector<BYTE> andBits(std::size_t(maskStride) * size, 0);
    std::vector<std::uint32_t> xorBits(std::size_t(size) * size, 0);
    for (int row = 0; row < size; ++row) {
        for (int col = 0; col < size; ++col) {
            const int at = row * size + col;
            if (list->opaque[index][at]) {
                xorBits[at] = list->pixels[index][at];
            } else {
                andBits[row * maskStride + col / 8] |= static_cast<BYTE>(0x80 >> (col % 8));
            }
        }
    }
    HICON icon = CreateIcon(nullptr, size, size, 1, 32, andBits.data(),
                            reinterpret_cast<const BYTE*>(xorBits.data()));
    if (icon == nullptr) return FALSE;
    const BOOL drawn = DrawIconEx(dc, x, y, icon, size, size, 0, nullptr, DI_NORMAL);
    DestroyIcon(icon);
    return drawn;
}

}  // namespace platform
