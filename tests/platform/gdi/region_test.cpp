// Regions: construction from rectangles and shapes, combination, queries, data round trip.
#include "gdi_fixture.h"

namespace platform {
namespace {

using testing::GdiTest;
using testing::MemDc;

std::vector<std::uint8_t> RegionBytes(const std::vector<RECT>& rects) {
    std::vector<std::uint8_t> bytes(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    RGNDATAHEADER h{};
    h.dwSize = sizeof h;
    h.iType = RDH_RECTANGLES;
    h.nCount = DWORD(rects.size());
    std::memcpy(bytes.data(), &h, sizeof h);
    std::memcpy(bytes.data() + sizeof h, rects.data(), rects.size() * sizeof(RECT));
    return bytes;
}

TEST_F(GdiTest, ExtCreateRegionUnitesOneRowRectangles) {
    // A shape given row by row, as window shapes are built.
    std::vector<RECT> rows = {{2, 0, 8, 1}, {1, 1, 9, 2}, {0, 2, 10, 3}, {0, 3, 10, 4}};
    auto bytes = RegionBytes(rows);
    HRGN r =
        ExtCreateRegion(nullptr, DWORD(bytes.size()), reinterpret_cast<RGNDATA*>(bytes.data()));
    ASSERT_NE(r, nullptr);
    EXPECT_TRUE(PtInRegion(r, 2, 0));
    EXPECT_FALSE(PtInRegion(r, 1, 0));
    EXPECT_FALSE(PtInRegion(r, 8, 0));
    EXPECT_TRUE(PtInRegion(r, 9, 3));
    EXPECT_FALSE(PtInRegion(r, 10, 3));
    RECT box{};
    EXPECT_EQ(GetRgnBox(r, &box), COMPLEXREGION);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.bottom, 4);
    // Round trip through GetRegionData.
    DWORD size = GetRegionData(r, 0, nullptr);
    ASSERT_GE(size, sizeof(RGNDATAHEADER));
    std::vector<std::uint8_t> out(size);
    EXPECT_EQ(GetRegionData(r, size - 1, reinterpret_cast<RGNDATA*>(out.data())), 0u);  // too small
    ASSERT_EQ(GetRegionData(r, size, reinterpret_cast<RGNDATA*>(out.data())), size);
    HRGN copy = ExtCreateRegion(nullptr, size, reinterpret_cast<RGNDATA*>(out.data()));
    EXPECT_TRUE(EqualRgn(r, copy));
    DeleteObject(r);
    DeleteObject(copy);
}

TEST_F(GdiTest, ExtCreateRegionRejectsInconsistentData) {
    auto bytes = RegionBytes({{0, 0, 1, 1}, {2, 2, 3, 3}});
    auto* data = reinterpret_cast<RGNDATA*>(bytes.data());
    EXPECT_EQ(ExtCreateRegion(nullptr, DWORD(bytes.size()) - 1, data),
              nullptr);  // count exceeds the buffer
    data->rdh.nCount = 0xFFFFFFFF;
    EXPECT_EQ(ExtCreateRegion(nullptr, DWORD(bytes.size()), data), nullptr);
    data->rdh.nCount = 2;
    data->rdh.iType = 0;
    EXPECT_EQ(ExtCreateRegion(nullptr, DWORD(bytes.size()), data), nullptr);
    EXPECT_EQ(ExtCreateRegion(nullptr, 4, data), nullptr);
    // Inverted rectangles are normalised; empty ones ignored.
    auto odd = RegionBytes({{5, 5, 1, 1}, {7, 7, 7, 9}});
    HRGN r = ExtCreateRegion(nullptr, DWORD(odd.size()), reinterpret_cast<RGNDATA*>(odd.data()));
    RECT box{};
    EXPECT_EQ(GetRgnBox(r, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 1);
    EXPECT_EQ(box.right, 5);
    DeleteObject(r);
}

TEST_F(GdiTest, CombineRgnModes) {
    HRGN a = CreateRectRgn(0, 0, 4, 4), b = CreateRectRgn(2, 2, 6, 6),
         d = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(d, a, b, RGN_AND), SIMPLEREGION);
    EXPECT_TRUE(PtInRegion(d, 3, 3));
    EXPECT_FALSE(PtInRegion(d, 1, 1));
    EXPECT_EQ(CombineRgn(d, a, b, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(d, 1, 1));
    EXPECT_TRUE(PtInRegion(d, 5, 5));
    EXPECT_FALSE(PtInRegion(d, 5, 0));
    EXPECT_EQ(CombineRgn(d, a, b, RGN_XOR), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(d, 3, 3));
    EXPECT_TRUE(PtInRegion(d, 1, 1));
    EXPECT_TRUE(PtInRegion(d, 5, 5));
    EXPECT_EQ(CombineRgn(d, a, b, RGN_DIFF), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(d, 3, 3));
    EXPECT_FALSE(PtInRegion(d, 5, 5));
    EXPECT_EQ(CombineRgn(d, b, nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_TRUE(EqualRgn(d, b));
    EXPECT_EQ(CombineRgn(d, a, a, RGN_DIFF), NULLREGION);
    EXPECT_EQ(CombineRgn(d, a, b, 99), ERROR);
    EXPECT_EQ(CombineRgn(d, a, nullptr, RGN_AND), ERROR);
    // Destination may be a source.
    EXPECT_EQ(CombineRgn(a, a, b, RGN_AND), SIMPLEREGION);
    RECT box{};
    GetRgnBox(a, &box);
    EXPECT_EQ(box.left, 2);
    EXPECT_EQ(box.right, 4);
    for (HRGN h : {a, b, d}) DeleteObject(h);
}

TEST_F(GdiTest, RegionQueriesAndOffsets) {
    RECT r{10, 10, 20, 30};
    HRGN h = CreateRectRgnIndirect(&r);
    RECT touching{20, 10, 25, 15}, overlapping{19, 29, 40, 40};
    EXPECT_FALSE(RectInRegion(h, &touching));
    EXPECT_TRUE(RectInRegion(h, &overlapping));
    EXPECT_EQ(OffsetRgn(h, -10, -10), SIMPLEREGION);
    EXPECT_TRUE(PtInRegion(h, 0, 0));
    EXPECT_FALSE(PtInRegion(h, 10, 0));
    EXPECT_TRUE(SetRectRgn(h, 0, 0, 0, 0));
    RECT box{1, 1, 1, 1};
    EXPECT_EQ(GetRgnBox(h, &box), NULLREGION);
    EXPECT_EQ(box.right, 0);
    DeleteObject(h);
    EXPECT_EQ(GetRgnBox(h, &box), ERROR);
    EXPECT_FALSE(PtInRegion(h, 0, 0));
}

TEST_F(GdiTest, ShapedRegionsAreSymmetricAndInsideTheirBox) {
    HRGN e = CreateEllipticRgn(0, 0, 10, 6);
    RECT box{};
    EXPECT_EQ(GetRgnBox(e, &box), COMPLEXREGION);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 10);
    EXPECT_EQ(box.bottom, 6);
    EXPECT_FALSE(PtInRegion(e, 0, 0));
    EXPECT_TRUE(PtInRegion(e, 5, 3));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(PtInRegion(e, x, y), PtInRegion(e, 9 - x, 5 - y)) << x << "," << y;
    HRGN rr = CreateRoundRectRgn(0, 0, 10, 10, 4, 4);
    EXPECT_FALSE(PtInRegion(rr, 0, 0));
    EXPECT_TRUE(PtInRegion(rr, 5, 0));
    EXPECT_TRUE(PtInRegion(rr, 0, 5));
    const POINT tri[3] = {{0, 0}, {8, 0}, {0, 8}};
    HRGN p = CreatePolygonRgn(tri, 3, ALTERNATE);
    EXPECT_TRUE(PtInRegion(p, 1, 1));
    EXPECT_FALSE(PtInRegion(p, 6, 6));
    EXPECT_EQ(CreatePolygonRgn(tri, 2, ALTERNATE), nullptr);
    for (HRGN h : {e, rr, p}) DeleteObject(h);
}

TEST_F(GdiTest, FillRgnPaintsOnlyTheRegion) {
    MemDc m(testing::ScreenBitmap(6, 6));
    PatBlt(m.dc(), 0, 0, 6, 6, BLACKNESS);
    HRGN a = CreateRectRgn(1, 1, 3, 3), b = CreateRectRgn(4, 4, 9, 9);
    CombineRgn(a, a, b, RGN_OR);
    HBRUSH brush = CreateSolidBrush(RGB(0, 200, 0));
    EXPECT_TRUE(FillRgn(m.dc(), a, brush));
    EXPECT_EQ(GetPixel(m.dc(), 1, 1), RGB(0, 200, 0));
    EXPECT_EQ(GetPixel(m.dc(), 3, 3), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(m.dc(), 5, 5), RGB(0, 200, 0));
    EXPECT_TRUE(InvertRgn(m.dc(), b));
    EXPECT_EQ(GetPixel(m.dc(), 5, 5), RGB(255, 55, 255));
    EXPECT_FALSE(FillRgn(m.dc(), a, nullptr));
    DeleteObject(brush);
    DeleteObject(a);
    DeleteObject(b);
}

}  // namespace
}  // namespace platform
