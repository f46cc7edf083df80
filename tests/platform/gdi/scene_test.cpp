// One fixed scene drawn into a bitmap of every pixel format: a hash of the bits pins the
// result for each format, and the formats are checked against each other pixel by pixel.
#include <map>

#include "gdi_fixture.h"

namespace platform {
namespace {

using testing::GdiTest;
using testing::MemDc;

constexpr int kW = 32, kH = 24;

void DrawScene(HDC dc) {
    PatBlt(dc, 0, 0, kW, kH, WHITENESS);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT r{2, 2, 12, 10};
    FillRect(dc, &r, red);
    HPEN blue = CreatePen(PS_SOLID, 1, RGB(0, 0, 255));
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    HGDIOBJ oldPen = SelectObject(dc, blue);
    HGDIOBJ oldBrush = SelectObject(dc, green);
    Rectangle(dc, 14, 2, 30, 12);
    HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(128, 0, 128));
    SelectObject(dc, hatch);
    SetBkColor(dc, RGB(255, 255, 0));
    Ellipse(dc, 2, 12, 14, 22);
    SelectObject(dc, GetStockObject(NULL_PEN));
    SelectObject(dc, GetStockObject(GRAY_BRUSH));
    const POINT triangle[3] = {{16, 14}, {30, 14}, {23, 22}};
    Polygon(dc, triangle, 3);
    HPEN dotted = CreatePen(PS_DOT, 1, RGB(0, 0, 0));
    SelectObject(dc, dotted);
    SetBkMode(dc, TRANSPARENT);
    MoveToEx(dc, 0, 23, nullptr);
    LineTo(dc, 31, 12);
    SetPixel(dc, 31, 0, RGB(255, 0, 255));
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(red);
    DeleteObject(blue);
    DeleteObject(green);
    DeleteObject(hatch);
    DeleteObject(dotted);
}

struct Format {
    const char* name;
    int bpp;
    bool bitfields565;
};

const Format kFormats[] = {{"1", 1, false},    {"4", 4, false},   {"8", 8, false},
                           {"555", 16, false}, {"565", 16, true}, {"24", 24, false},
                           {"32", 32, false}};

std::vector<RGBQUAD> TableFor(int bpp) {
    std::vector<RGBQUAD> t;
    if (bpp == 1) t = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    if (bpp == 4)
        for (COLORREF c :
             {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
              0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF})
            t.push_back(
                {GetBValue(COLORREF(c)), GetGValue(COLORREF(c)), GetRValue(COLORREF(c)), 0});
    if (bpp == 8)
        for (int i = 0; i < 256; ++i)
            t.push_back({BYTE((i >> 6) * 85), BYTE(((i >> 3) & 7) * 36), BYTE((i & 7) * 36), 0});
    return t;
}

// Scene bits of one format, plus the colour of every pixel.
struct Drawn {
    std::uint64_t hash = 0;
    std::vector<COLORREF> pixels;
};

Drawn DrawIn(const Format& f) {
    void* bits = nullptr;
    HBITMAP b = testing::MakeDib(kW, kH, f.bpp, &bits, TableFor(f.bpp), f.bitfields565);
    MemDc m(b);
    DrawScene(m.dc());
    DIBSECTION ds{};
    GetObject(b, sizeof ds, &ds);
    Drawn d;
    d.hash = testing::Fnv1a(bits, std::size_t(ds.dsBm.bmWidthBytes) * kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) d.pixels.push_back(GetPixel(m.dc(), x, y));
    return d;
}

TEST_F(GdiTest, SceneHashesArePinnedPerFormat) {
    const std::map<std::string, std::uint64_t> golden = {
        // Computed once, after checking the 32-bit scene picture and the spot pixels below.
        {"1", 0xe65a81a1a916cebfull},   {"4", 0x1f32d34097cc678eull},
        {"8", 0x07d72615f9922c54ull},   {"555", 0x10df96e6c980b019ull},
        {"565", 0xc7508a407183752full}, {"24", 0x2fd2a570dc87c0bcull},
        {"32", 0xcd69aa88d53a7fe5ull},
    };
    for (const Format& f : kFormats) {
        Drawn d = DrawIn(f);
        EXPECT_EQ(d.hash, golden.at(f.name))
            << "format " << f.name << " hash 0x" << std::hex << d.hash;
    }
}

TEST_F(GdiTest, SceneSpotPixelsInEveryFormat) {
    for (const Format& f : kFormats) {
        Drawn d = DrawIn(f);
        auto at = [&](int x, int y) { return d.pixels[std::size_t(y) * kW + std::size_t(x)]; };
        bool mono = f.bpp == 1;
        // Red fill; on 1 bit red is nearer black; the 8-bit table's nearest red is 252.
        COLORREF red = mono ? 0 : f.bpp == 8 ? RGB(252, 0, 0) : RGB(255, 0, 0);
        EXPECT_EQ(at(5, 5), red) << f.name;
        COLORREF white = f.bpp == 8 ? RGB(252, 252, 255) : RGB(255, 255, 255);
        EXPECT_EQ(at(12, 5), white) << f.name;      // right edge of FillRect excluded
        COLORREF blue = mono ? 0 : RGB(0, 0, 255);  // the 8-bit table holds pure blue
        EXPECT_EQ(at(14, 2), blue) << f.name;       // rectangle outline corner
        EXPECT_EQ(at(29, 11), blue) << f.name;      // bottom-right outline pixel
        EXPECT_EQ(at(30, 3), white) << f.name;
        EXPECT_EQ(at(14, 12), white) << f.name;  // below the outline
        COLORREF green = mono ? 0 : f.bpp == 8 ? RGB(0, 252, 0) : RGB(0, 255, 0);
        EXPECT_EQ(at(20, 6), green) << f.name;
        // Triangle without pen filled gray; gray on 1 bit is nearer white (3*127^2 < 3*128^2).
        COLORREF gray = mono         ? RGB(255, 255, 255)
                        : f.bpp == 8 ? RGB(144, 144, 170)
                                     : RGB(128, 128, 128);
        if (f.bpp == 16 && !f.bitfields565) gray = RGB(132, 132, 132);
        if (f.bpp == 16 && f.bitfields565) gray = RGB(132, 130, 132);
        EXPECT_EQ(at(23, 16), gray) << f.name;
    }
}

TEST_F(GdiTest, SceneAgreesAcrossDirectFormats) {
    Drawn d24 = DrawIn(kFormats[5]), d32 = DrawIn(kFormats[6]), d555 = DrawIn(kFormats[3]);
    EXPECT_EQ(d24.pixels, d32.pixels);
    for (std::size_t i = 0; i < d24.pixels.size(); ++i) {
        COLORREF c = d24.pixels[i];
        auto q = [](BYTE v) { return BYTE(((v >> 3) << 3) | (v >> 5)); };  // 5 bits widened back
        ASSERT_EQ(d555.pixels[i], RGB(q(GetRValue(c)), q(GetGValue(c)), q(GetBValue(c)))) << i;
    }
    // The 32-bit DIB and a 32-bit device bitmap draw the same.
    HDC screen = GetDC(nullptr);
    MemDc ddb(CreateCompatibleBitmap(screen, kW, kH));
    ReleaseDC(nullptr, screen);
    DrawScene(ddb.dc());
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            ASSERT_EQ(GetPixel(ddb.dc(), x, y), d32.pixels[std::size_t(y * kW + x)]);
}

}  // namespace
}  // namespace platform
