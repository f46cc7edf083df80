// DIB transfers: GetDIBits to 1 and 4 bits, SetDIBits and CreateDIBitmap with RLE, the DIB
// section's bits pointer, StretchDIBits and SetDIBitsToDevice orientation.
#include "gdi_fixture.h"

namespace platform {
namespace {

using testing::GdiTest;
using testing::MemDc;
using testing::ScreenBitmap;

struct InfoBuffer {
    std::vector<std::uint8_t> bytes =
        std::vector<std::uint8_t>(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    BITMAPINFO* info() { return reinterpret_cast<BITMAPINFO*>(bytes.data()); }
    BITMAPINFO* Header(int w, int h, int bpp, DWORD compression = BI_RGB, DWORD sizeImage = 0) {
        BITMAPINFOHEADER& b = info()->bmiHeader;
        b = {};
        b.biSize = sizeof b;
        b.biWidth = w;
        b.biHeight = h;
        b.biPlanes = 1;
        b.biBitCount = WORD(bpp);
        b.biCompression = compression;
        b.biSizeImage = sizeImage;
        return info();
    }
};

const COLORREF kBasic[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                             0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF,
                             0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};

TEST_F(GdiTest, GetDIBits4BitWritesTheBasicTableAndRoundTripsItsColours) {
    MemDc m(ScreenBitmap(16, 1));
    for (int i = 0; i < 16; ++i) SetPixel(m.dc(), i, 0, kBasic[i]);
    InfoBuffer ib;
    BITMAPINFO* info = ib.Header(16, 1, 4);
    BYTE bits[8] = {};
    ASSERT_EQ(GetDIBits(m.dc(), m.bitmap(), 0, 1, bits, info, DIB_RGB_COLORS), 1);
    for (int i = 0; i < 16; ++i) {
        const RGBQUAD& q = info->bmiColors[i];
        EXPECT_EQ(RGB(q.rgbRed, q.rgbGreen, q.rgbBlue), kBasic[i]) << "entry " << i;
    }
    // Gray (808080) comes before silver (C0C0C0) in the table.
    EXPECT_EQ(info->bmiColors[7].rgbRed, 0x80);
    EXPECT_EQ(info->bmiColors[8].rgbRed, 0xC0);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ((bits[i / 2] >> ((i & 1) ? 0 : 4)) & 0x0F, i) << "pixel " << i;
    EXPECT_EQ(info->bmiHeader.biSizeImage, 8u);
    // Back through SetDIBits into a fresh bitmap: the same colours.
    MemDc back(ScreenBitmap(16, 1));
    ASSERT_EQ(SetDIBits(back.dc(), back.bitmap(), 0, 1, bits, info, DIB_RGB_COLORS), 1);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(GetPixel(back.dc(), i, 0), kBasic[i]);
}

TEST_F(GdiTest, GetDIBits4BitMapsToTheNearestEntryTiesToTheLowerIndex) {
    struct Case {
        COLORREF colour;
        int index;
    } cases[] = {
        {RGB(0xA0, 0xA0, 0xA0), 7},   // equally far from gray and silver: gray
        {RGB(0x40, 0x00, 0x00), 0},   // equally far from black and maroon: black
        {RGB(0x60, 0x00, 0x00), 1},   // nearer maroon
        {RGB(0xE0, 0xE0, 0xE0), 15},  // 3*31^2 from white, 3*32^2 from silver
        {RGB(0xF0, 0x10, 0x10), 9},   // red
        {RGB(0x10, 0x10, 0xF0), 12},  // blue
        {RGB(0x90, 0x90, 0x00), 3},   // olive (808000)
    };
    MemDc m(ScreenBitmap(8, 1));
    for (int i = 0; i < 7; ++i) SetPixel(m.dc(), i, 0, cases[i].colour);
    InfoBuffer ib;
    BYTE bits[4] = {};
    ASSERT_EQ(GetDIBits(m.dc(), m.bitmap(), 0, 1, bits, ib.Header(8, 1, 4), DIB_RGB_COLORS), 1);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ((bits[i / 2] >> ((i & 1) ? 0 : 4)) & 0x0F, cases[i].index) << "case " << i;
}

TEST_F(GdiTest, GetDIBits1BitKeepsMaskBitsAndOrdersRowsBottomUp) {
    const BYTE rows[3][2] = {{0xA5, 0x80}, {0x0F, 0x00}, {0xFF, 0x80}};  // 9 pixels wide, WORD rows
    HBITMAP mask = CreateBitmap(9, 3, 1, 1, rows);
    HDC screen = GetDC(nullptr);
    InfoBuffer ib;
    BITMAPINFO* info = ib.Header(9, 3, 1);
    BYTE bits[12] = {};
    ASSERT_EQ(GetDIBits(screen, mask, 0, 3, bits, info, DIB_RGB_COLORS), 3);
    // Bottom-up: the first DIB row is the last bitmap row; rows padded to 4 bytes.
    EXPECT_EQ(bits[0], 0xFF);
    EXPECT_EQ(bits[1], 0x80);
    EXPECT_EQ(bits[4], 0x0F);
    EXPECT_EQ(bits[8], 0xA5);
    EXPECT_EQ(bits[9], 0x80);
    EXPECT_EQ(info->bmiColors[0].rgbRed, 0);
    EXPECT_EQ(info->bmiColors[1].rgbRed, 0xFF);
    // Only part of the scans.
    BYTE one[4] = {};
    EXPECT_EQ(GetDIBits(screen, mask, 2, 5, one, info, DIB_RGB_COLORS), 1);
    EXPECT_EQ(one[0], 0xA5);
    ReleaseDC(nullptr, screen);
    DeleteObject(mask);
}

TEST_F(GdiTest, GetDIBitsDescribesTheBitmapWhenAskedWithZeroBitCount) {
    HBITMAP b = ScreenBitmap(7, 5);
    HDC screen = GetDC(nullptr);
    InfoBuffer ib;
    BITMAPINFO* info = ib.Header(0, 0, 0);
    EXPECT_NE(GetDIBits(screen, b, 0, 0, nullptr, info, DIB_RGB_COLORS), 0);
    EXPECT_EQ(info->bmiHeader.biWidth, 7);
    EXPECT_EQ(info->bmiHeader.biHeight, 5);
    EXPECT_EQ(info->bmiHeader.biBitCount, 32);
    EXPECT_EQ(info->bmiHeader.biSizeImage, 7u * 5 * 4);
    EXPECT_EQ(
        GetDIBits(screen, reinterpret_cast<HBITMAP>(screen), 0, 0, nullptr, info, DIB_RGB_COLORS),
        0);
    ReleaseDC(nullptr, screen);
    DeleteObject(b);
}

TEST_F(GdiTest, DibSectionBitsPointerAddressesBottomUpAndTopDownRows) {
    void* bits = nullptr;
    MemDc up(testing::MakeDib(3, 2, 24, &bits));
    auto* p = static_cast<BYTE*>(bits);
    p[0] = 0x11;               // blue of the bottom-left pixel
    p[12 + 3 * 2 + 2] = 0x77;  // red of the top-right pixel (row stride 12)
    EXPECT_EQ(GetPixel(up.dc(), 0, 1), RGB(0, 0, 0x11));
    EXPECT_EQ(GetPixel(up.dc(), 2, 0), RGB(0x77, 0, 0));
    MemDc down(testing::MakeDib(3, -2, 32, &bits));
    static_cast<DWORD*>(bits)[0] = 0x00ABCDEF;
    EXPECT_EQ(GetPixel(down.dc(), 0, 0), RGB(0xAB, 0xCD, 0xEF));
}

TEST_F(GdiTest, CreateDIBSectionRejectsBadHeaders) {
    InfoBuffer ib;
    void* bits = reinterpret_cast<void*>(1);
    EXPECT_EQ(CreateDIBSection(nullptr, ib.Header(4, 4, 3), DIB_RGB_COLORS, &bits, nullptr, 0),
              nullptr);
    EXPECT_EQ(bits, nullptr);
    EXPECT_EQ(CreateDIBSection(nullptr, ib.Header(0, 4, 8), DIB_RGB_COLORS, &bits, nullptr, 0),
              nullptr);
    EXPECT_EQ(CreateDIBSection(nullptr, ib.Header(4, 0, 8), DIB_RGB_COLORS, &bits, nullptr, 0),
              nullptr);
    EXPECT_EQ(
        CreateDIBSection(nullptr, ib.Header(4, 4, 8, BI_RLE8), DIB_RGB_COLORS, &bits, nullptr, 0),
        nullptr);
    EXPECT_EQ(CreateDIBSection(nullptr, ib.Header(1 << 20, 1 << 20, 32), DIB_RGB_COLORS, &bits,
                               nullptr, 0),
              nullptr);
    EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
}

TEST_F(GdiTest, CreateDIBitmapDecodesRle8) {
    InfoBuffer ib;
    const BYTE rle[] = {0x02, 0x01, 0x02, 0x02, 0x00, 0x00,              // bottom row: 1 1 2 2
                        0x00, 0x03, 0x05, 0x06, 0x07, 0x00, 0x01, 0x04,  // top row: 5 6 7 4
                        0x00, 0x01};
    BITMAPINFO* info = ib.Header(4, 2, 8, BI_RLE8, sizeof rle);
    for (int i = 0; i < 256; ++i) info->bmiColors[i] = {BYTE(i * 10), 0, 0, 0};
    HDC screen = GetDC(nullptr);
    HBITMAP b = CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, rle, info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    ASSERT_NE(b, nullptr);
    MemDc m(b);
    const int top[4] = {5, 6, 7, 4}, bottom[4] = {1, 1, 2, 2};
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(GetPixel(m.dc(), x, 0), RGB(0, 0, top[x] * 10)) << x;
        EXPECT_EQ(GetPixel(m.dc(), x, 1), RGB(0, 0, bottom[x] * 10)) << x;
    }
}

TEST_F(GdiTest, CreateDIBitmapFailsWhenItsBitsCannotBeTransferred) {
    const BYTE data[] = {0x02, 0x01, 0x00, 0x00, 0x00, 0x01};
    struct Case {
        const char* what;
        int height;
        int bpp;
        DWORD compression;
    };
    const Case cases[] = {{"JPEG", 1, 24, BI_JPEG},
                          {"PNG", 1, 24, BI_PNG},
                          {"RLE8 at 4 bits", 1, 4, BI_RLE8},
                          {"RLE4 at 8 bits", 1, 8, BI_RLE4},
                          {"RLE8 top-down", -1, 8, BI_RLE8}};
    HDC screen = GetDC(nullptr);
    for (const Case& c : cases) {
        InfoBuffer ib;
        BITMAPINFO* info = ib.Header(2, c.height, c.bpp, c.compression, sizeof data);
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, data, info, DIB_RGB_COLORS),
                  nullptr)
            << c.what;
        EXPECT_EQ(GetLastError(), DWORD(ERROR_SUCCESS))
            << c.what << ": the data is at fault, not the system";
    }
    // No bits to transfer fails as well; without CBM_INIT there is nothing to transfer.
    InfoBuffer ib;
    BITMAPINFO* info = ib.Header(2, 1, 8, BI_RLE8, sizeof data);
    EXPECT_EQ(CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, nullptr, info, DIB_RGB_COLORS),
              nullptr);
    HBITMAP blank = CreateDIBitmap(screen, &info->bmiHeader, 0, nullptr, info, DIB_RGB_COLORS);
    EXPECT_NE(blank, nullptr);
    DeleteObject(blank);
    ReleaseDC(nullptr, screen);
}

TEST_F(GdiTest, SetDIBitsDecodesRle4AndSurvivesTruncatedData) {
    InfoBuffer ib;
    const BYTE rle[] = {0x04, 0x12, 0x00, 0x00,              // bottom row: 1 2 1 2
                        0x00, 0x03, 0x34, 0x50, 0x01, 0x60,  // top row: 3 4 5 6
                        0x00, 0x01};
    BITMAPINFO* info = ib.Header(4, 2, 4, BI_RLE4, sizeof rle);
    for (int i = 0; i < 16; ++i) info->bmiColors[i] = {0, BYTE(i * 16), 0, 0};
    MemDc m(ScreenBitmap(4, 2));
    ASSERT_EQ(SetDIBits(m.dc(), m.bitmap(), 0, 2, rle, info, DIB_RGB_COLORS), 2);
    const int top[4] = {3, 4, 5, 6}, bottom[4] = {1, 2, 1, 2};
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(GetPixel(m.dc(), x, 0), RGB(0, top[x] * 16, 0)) << x;
        EXPECT_EQ(GetPixel(m.dc(), x, 1), RGB(0, bottom[x] * 16, 0)) << x;
    }
    // Every truncation and a run claiming far more than remains stay inside the data.
    for (DWORD size = 0; size <= sizeof rle; ++size) {
        ib.info()->bmiHeader.biSizeImage = size;
        SetDIBits(m.dc(), m.bitmap(), 0, 2, rle, info, DIB_RGB_COLORS);
    }
    const BYTE hostile[] = {0x00, 0xFF, 0x12, 0x00, 0x02, 0xFF, 0xFF, 0xFF, 0xFF};
    ib.info()->bmiHeader.biSizeImage = sizeof hostile;
    SetDIBits(m.dc(), m.bitmap(), 0, 2, hostile, info, DIB_RGB_COLORS);
}

TEST_F(GdiTest, StretchDIBitsCountsSourceRowsFromTheBottomOfBottomUpBits) {
    InfoBuffer ib;
    BITMAPINFO* info = ib.Header(1, 3, 32);
    const DWORD bits[3] = {0x000001, 0x000002, 0x000003};  // bottom, middle, top
    MemDc m(ScreenBitmap(1, 3));
    ASSERT_EQ(StretchDIBits(m.dc(), 0, 0, 1, 3, 0, 0, 1, 3, bits, info, DIB_RGB_COLORS, SRCCOPY),
              3);
    EXPECT_EQ(GetPixel(m.dc(), 0, 0), RGB(0, 0, 3));
    EXPECT_EQ(GetPixel(m.dc(), 0, 2), RGB(0, 0, 1));
    // ySrc = 1 with height 1 is the middle row.
    PatBlt(m.dc(), 0, 0, 1, 3, BLACKNESS);
    StretchDIBits(m.dc(), 0, 0, 1, 1, 0, 1, 1, 1, bits, info, DIB_RGB_COLORS, SRCCOPY);
    EXPECT_EQ(GetPixel(m.dc(), 0, 0), RGB(0, 0, 2));
    // SetDIBitsToDevice with the same convention.
    PatBlt(m.dc(), 0, 0, 1, 3, BLACKNESS);
    EXPECT_EQ(SetDIBitsToDevice(m.dc(), 0, 1, 1, 2, 0, 0, 0, 3, bits, info, DIB_RGB_COLORS), 3);
    EXPECT_EQ(GetPixel(m.dc(), 0, 1), RGB(0, 0, 2));
    EXPECT_EQ(GetPixel(m.dc(), 0, 2), RGB(0, 0, 1));
    EXPECT_EQ(GetPixel(m.dc(), 0, 0), RGB(0, 0, 0));
}

TEST_F(GdiTest, BitmapBitsUseWordAlignedDeviceRows) {
    const BYTE rows[2][2] = {{0xC0, 0x00}, {0x3F, 0xFF}};
    HBITMAP mono = CreateBitmap(3, 2, 1, 1, rows);
    BYTE out[4] = {};
    EXPECT_EQ(GetBitmapBits(mono, 0, nullptr), 4);
    EXPECT_EQ(GetBitmapBits(mono, sizeof out, out), 4);
    EXPECT_EQ(out[0], 0xC0);
    EXPECT_EQ(out[2], 0x3F);
    BYTE small[3] = {};
    EXPECT_EQ(GetBitmapBits(mono, 3, small), 3);  // never writes past the count
    HBITMAP colour = CreateBitmap(2, 1, 1, 32, nullptr);
    const DWORD px[2] = {0x00102030, 0x00405060};
    EXPECT_EQ(SetBitmapBits(colour, sizeof px, px), 8);
    MemDc m(colour);
    EXPECT_EQ(GetPixel(m.dc(), 1, 0), RGB(0x40, 0x50, 0x60));
    DeleteObject(mono);
}

TEST_F(GdiTest, CompatibleBitmapFollowsTheDcSurface) {
    HDC screen = GetDC(nullptr);
    HBITMAP a = CreateCompatibleBitmap(screen, 2, 2);
    BITMAP bm{};
    GetObject(a, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP b = CreateCompatibleBitmap(mem, 2, 2);  // a fresh memory DC holds a 1-bit bitmap
    GetObject(b, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    HBITMAP zero = CreateCompatibleBitmap(screen, 0, 5);
    GetObject(zero, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(CreateCompatibleBitmap(screen, -1, 5), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(screen, 1 << 20, 1 << 20), nullptr);
    DeleteObject(zero);
    DeleteObject(a);
    DeleteObject(b);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
}

}  // namespace
}  // namespace platform

namespace platform {
namespace {

using testing::GdiTest;

TEST_F(GdiTest, DibColourTablesAreReadAndWrittenThroughTheDc) {
    std::vector<RGBQUAD> table = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    testing::MemDc m(testing::MakeDib(8, 1, 1, nullptr, table));
    RGBQUAD got[4] = {};
    EXPECT_EQ(GetDIBColorTable(m.dc(), 0, 4, got), 2u);
    EXPECT_EQ(got[1].rgbRed, 255);
    // Retinting a 1-bit section changes what its pixels mean as a blit source.
    const RGBQUAD tint[2] = {{0, 0, 200, 0}, {0, 150, 0, 0}};
    EXPECT_EQ(SetDIBColorTable(m.dc(), 0, 2, tint), 2u);
    EXPECT_EQ(SetDIBColorTable(m.dc(), 5, 1, tint), 0u);
    SetPixel(m.dc(), 1, 0, RGB(0, 150, 0));  // nearest entry: index 1
    testing::MemDc colour(testing::ScreenBitmap(2, 1));
    SetTextColor(colour.dc(), RGB(1, 1, 1));  // a DIB source uses its table, not these
    SetBkColor(colour.dc(), RGB(2, 2, 2));
    BitBlt(colour.dc(), 0, 0, 2, 1, m.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(colour.dc(), 0, 0), RGB(200, 0, 0));
    EXPECT_EQ(GetPixel(colour.dc(), 1, 0), RGB(0, 150, 0));
    testing::MemDc ddb(testing::ScreenBitmap(1, 1));
    EXPECT_EQ(GetDIBColorTable(ddb.dc(), 0, 2, got), 0u);  // no table on a device bitmap
}

TEST_F(GdiTest, BitBltConvertsBetweenAllFormats) {
    // A colour written into each format and copied into a 32-bit bitmap comes back as that
    // format stores it.
    const COLORREF probe = RGB(0xC3, 0x5A, 0x21);
    struct Case {
        int bpp;
        COLORREF expected;
    } cases[] = {{1, RGB(0, 0, 0)},            // nearer black than white
                 {4, RGB(102, 102, 102)},      // grey ramp of 17s: nearest to the mean 106
                 {8, RGB(106, 106, 106)},      // grey ramp of 1s
                 {16, RGB(0xC6, 0x5A, 0x21)},  // 5 bits per channel, widened
                 {24, probe},
                 {32, probe}};
    for (const Case& c : cases) {
        testing::MemDc src(testing::MakeDib(1, 1, c.bpp));
        SetPixel(src.dc(), 0, 0, probe);
        testing::MemDc dst(testing::ScreenBitmap(1, 1));
        BitBlt(dst.dc(), 0, 0, 1, 1, src.dc(), 0, 0, SRCCOPY);
        EXPECT_EQ(GetPixel(dst.dc(), 0, 0), GetPixel(src.dc(), 0, 0)) << c.bpp;
        EXPECT_EQ(GetPixel(dst.dc(), 0, 0), c.expected) << c.bpp;
    }
}

}  // namespace
}  // namespace platform
