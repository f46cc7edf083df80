// Pictures played into bitmaps: where shapes land, in which colours, and that damaged
// records never stop the rest of the picture or reach outside their bytes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>

#include "metafile_builders.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/metafile/emf_format.h"
#include "support/white_canvas.h"

namespace {

using namespace platform;
using namespace platform::metafile;
using namespace metafile_test;

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kBlue = 0xFF0000;

using testing_support::WhiteCanvas;

// Plays into (left, top)-(right, bottom), already moved in by one pixel.
bool Play(const WhiteCanvas& canvas, HENHMETAFILE mf, RECT r) {
    return PlayEnhMetaFile(canvas.Dc(), mf, &r) != FALSE;
}

HENHMETAFILE Load(const std::vector<uint8_t>& bytes) {
    return SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data());
}

// The Windows metafile behind a placeable header, sized from it the way the picture reader
// does: (right - left) * 2540 / units per inch.
HENHMETAFILE LoadPlaceable(const std::vector<uint8_t>& file) {
    if (file.size() < 22) return nullptr;
    auto i16 = [&](size_t at) { return static_cast<int16_t>(file[at] | (file[at + 1] << 8)); };
    int inch = static_cast<uint16_t>(i16(14));
    METAFILEPICT pict{MM_ANISOTROPIC, (i16(10) - i16(6)) * 2540 / inch,
                      (i16(12) - i16(8)) * 2540 / inch, nullptr};
    return SetWinMetaFileBits(static_cast<UINT>(file.size() - 22), file.data() + 22, nullptr,
                              &pict);
}

// A 49 x 49 picture whose logical units are tenths of a pixel.
EmfBuilder TenthsPicture() {
    EmfBuilder b(49, 49);
    b.Value(EMR_SETMAPMODE, MM_ANISOTROPIC);
    b.Pair(EMR_SETWINDOWEXTEX, 480, 480);
    b.Pair(EMR_SETVIEWPORTEXTEX, 48, 48);
    b.Value(EMR_SELECTOBJECT, kStockObjectFlag | NULL_PEN);
    return b;
}

TEST(MetafilePlayback, ShapesLandWhereTheMappingSays) {
    EmfBuilder b = TenthsPicture();
    b.Brush(1, kRed).Value(EMR_SELECTOBJECT, 1);
    b.Box(EMR_RECTANGLE, 100, 100, 300, 300);
    HENHMETAFILE mf = Load(b.Finish());
    ASSERT_NE(mf, nullptr);

    WhiteCanvas same(49, 49);
    ASSERT_TRUE(Play(same, mf, {0, 0, 48, 48}));
    EXPECT_EQ(same.At(10, 10), kRed);
    EXPECT_EQ(same.At(28, 28), kRed);
    EXPECT_EQ(same.At(9, 20), kWhite);
    EXPECT_EQ(same.At(31, 20), kWhite);
    EXPECT_EQ(same.At(20, 31), kWhite);

    // Twice the size, and moved.
    WhiteCanvas big(120, 120);
    ASSERT_TRUE(Play(big, mf, {20, 10, 20 + 96, 10 + 96}));
    EXPECT_EQ(big.At(20 + 21, 10 + 21), kRed);
    EXPECT_EQ(big.At(20 + 57, 10 + 57), kRed);
    EXPECT_EQ(big.At(20 + 17, 10 + 30), kWhite);
    EXPECT_EQ(big.At(20 + 63, 10 + 30), kWhite);
    DeleteEnhMetaFile(mf);
}

TEST(MetafilePlayback, MetricAndIsotropicModes) {
    // Low metric: 0.1 mm units, y up. 48 px = 12.7 mm = 127 units.
    EmfBuilder metric(49, 49);
    metric.Value(EMR_SETMAPMODE, MM_LOMETRIC);
    metric.Value(EMR_SELECTOBJECT, kStockObjectFlag | NULL_PEN);
    metric.Brush(1, kBlue).Value(EMR_SELECTOBJECT, 1);
    metric.Box(EMR_RECTANGLE, 0, 0, 64, -64);  // the top-left quarter, about 24 px
    HENHMETAFILE mf = Load(metric.Finish());
    WhiteCanvas c(49, 49);
    ASSERT_TRUE(Play(c, mf, {0, 0, 48, 48}));
    EXPECT_EQ(c.At(2, 2), kBlue);
    EXPECT_EQ(c.At(21, 21), kBlue);
    EXPECT_EQ(c.At(27, 27), kWhite);
    DeleteEnhMetaFile(mf);

    // Isotropic with a wide viewport: the square stays square, squeezed to the height.
    EmfBuilder iso(49, 49);
    iso.Value(EMR_SETMAPMODE, MM_ISOTROPIC);
    iso.Pair(EMR_SETWINDOWEXTEX, 100, 100);
    iso.Pair(EMR_SETVIEWPORTEXTEX, 48, 24);
    iso.Value(EMR_SELECTOBJECT, kStockObjectFlag | NULL_PEN);
    iso.Brush(1, kGreen).Value(EMR_SELECTOBJECT, 1);
    iso.Box(EMR_RECTANGLE, 0, 0, 100, 100);
    mf = Load(iso.Finish());
    WhiteCanvas d(49, 49);
    ASSERT_TRUE(Play(d, mf, {0, 0, 48, 48}));
    EXPECT_EQ(d.At(20, 20), kGreen);
    EXPECT_EQ(d.At(30, 10), kWhite);  // not stretched to 48 wide
    EXPECT_EQ(d.At(10, 30), kWhite);
    DeleteEnhMetaFile(mf);
}

TEST(MetafilePlayback, SaveAndRestoreBringBackMappingAndObjects) {
    EmfBuilder b = TenthsPicture();
    b.Brush(1, kRed).Brush(2, kBlue).Value(EMR_SELECTOBJECT, 1);
    b.Add(EmfRecordBuilder(EMR_SAVEDC).Finish());
    b.Pair(EMR_SETWINDOWEXTEX, 48, 48);  // units become whole pixels
    b.Value(EMR_SELECTOBJECT, 2);
    b.Box(EMR_RECTANGLE, 30, 0, 40, 10);  // blue at pixels 30..40
    b.Value(EMR_RESTOREDC, static_cast<uint32_t>(-1));
    b.Box(EMR_RECTANGLE, 0, 0, 100, 100);               // red at pixels 0..10 again
    b.Value(EMR_RESTOREDC, static_cast<uint32_t>(-5));  // beyond what was saved: ignored
    b.Box(EMR_RECTANGLE, 0, 200, 100, 300);
    HENHMETAFILE mf = Load(b.Finish());
    WhiteCanvas c(49, 49);
    ASSERT_TRUE(Play(c, mf, {0, 0, 48, 48}));
    EXPECT_EQ(c.At(35, 5), kBlue);
    EXPECT_EQ(c.At(5, 5), kRed);
    EXPECT_EQ(c.At(5, 25), kRed);
    EXPECT_EQ(c.At(25, 25), kWhite);
    DeleteEnhMetaFile(mf);
}

TEST(MetafilePlayback, ObjectsStockAndDeleted) {
    EmfBuilder b(49, 49);
    b.Value(EMR_SELECTOBJECT, kStockObjectFlag | NULL_PEN);
    b.Value(EMR_SELECTOBJECT, kStockObjectFlag | BLACK_BRUSH);
    b.Box(EMR_RECTANGLE, 0, 0, 10, 10);
    b.Brush(1, kRed).Value(EMR_DELETEOBJECT, 1).Value(EMR_SELECTOBJECT, 1);  // gone: ignored
    b.Box(EMR_RECTANGLE, 20, 0, 30, 10);
    b.Value(EMR_SELECTOBJECT, 77);  // beyond the handle table
    b.Pen(3, PS_SOLID, 3, kBlue).Value(EMR_SELECTOBJECT, 3);
    b.Value(EMR_SELECTOBJECT, kStockObjectFlag | NULL_BRUSH);
    b.Box(EMR_RECTANGLE, 10, 20, 40, 40);
    HENHMETAFILE mf = Load(b.Finish(8));
    WhiteCanvas c(49, 49);
    ASSERT_TRUE(Play(c, mf, {0, 0, 48, 48}));
    EXPECT_EQ(c.At(5, 5), 0x000000u);
    EXPECT_EQ(c.At(25, 5), 0x000000u);  // still the black brush
    EXPECT_EQ(c.At(11, 30), kBlue);     // a 3-pixel outline
    EXPECT_EQ(c.At(25, 30), kWhite);    // and a hollow inside
    DeleteEnhMetaFile(mf);
}

std::vector<uint8_t> Points16(uint32_t type, std::initializer_list<int16_t> coords) {
    EmfRecordBuilder r(type);
    r.Rect({0, 0, -1, -1}).U32(static_cast<uint32_t>(coords.size() / 2));
    for (int16_t v : coords) r.U16(static_cast<uint16_t>(v));
    return r.Finish();
}

TEST(MetafilePlayback, PolygonsLinesCurvesAndPaths) {
    EmfBuilder b(49, 49);
    b.Value(EMR_SELECTOBJECT, kStockObjectFlag | NULL_PEN);
    b.Brush(1, kRed).Value(EMR_SELECTOBJECT, 1);
    b.Add(Points16(EMR_POLYGON16, {0, 0, 20, 0, 20, 20, 0, 20}));
    // Two squares in one record.
    EmfRecordBuilder pp(EMR_POLYPOLYGON16);
    pp.Rect({0, 0, -1, -1}).U32(2).U32(8).U32(4).U32(4);
    for (int v : {30, 0, 45, 0, 45, 15, 30, 15, 30, 30, 45, 30, 45, 45, 30, 45})
        pp.U16(static_cast<uint16_t>(v));
    b.Add(pp.Finish());
    // A path: a triangle with a curved side, filled in blue.
    b.Brush(2, kBlue).Value(EMR_SELECTOBJECT, 2);
    b.Add(EmfRecordBuilder(EMR_BEGINPATH).Finish());
    b.Pair(EMR_MOVETOEX, 0, 48);
    b.Pair(EMR_LINETO, 0, 28);
    b.Add(Points16(EMR_POLYBEZIERTO16, {10, 28, 20, 38, 20, 48}));
    b.Add(EmfRecordBuilder(EMR_CLOSEFIGURE).Finish());
    b.Add(EmfRecordBuilder(EMR_ENDPATH).Finish());
    b.Add(EmfRecordBuilder(EMR_FILLPATH).Rect({0, 0, -1, -1}).Finish());
    // A green line along row 25, and a closed green square outline drawn point by point.
    b.Pen(3, PS_SOLID, 1, kGreen).Value(EMR_SELECTOBJECT, 3);
    b.Add(Points16(EMR_POLYLINE16, {22, 25, 28, 25}));
    EmfRecordBuilder draw(EMR_POLYDRAW16);
    draw.Rect({0, 0, -1, -1}).U32(4);
    for (int v : {40, 40, 46, 40, 46, 46, 40, 46}) draw.U16(static_cast<uint16_t>(v));
    draw.Bytes(std::vector<uint8_t>{6, 2, 2, 2 | 1});
    b.Add(draw.Finish());
    HENHMETAFILE mf = Load(b.Finish());
    WhiteCanvas c(49, 49);
    ASSERT_TRUE(Play(c, mf, {0, 0, 48, 48}));
    EXPECT_EQ(c.At(10, 10), kRed);
    EXPECT_EQ(c.At(37, 7), kRed);
    EXPECT_EQ(c.At(37, 37), kRed);
    EXPECT_EQ(c.At(37, 22), kWhite);  // between the two squares
    EXPECT_EQ(c.At(4, 44), kBlue);
    EXPECT_EQ(c.At(18, 30), kWhite);  // outside the curve
    EXPECT_EQ(c.At(25, 25), kGreen);
    EXPECT_EQ(c.At(25, 27), kWhite);
    EXPECT_EQ(c.At(43, 40), kGreen);
    EXPECT_EQ(c.At(40, 43), kGreen);  // the closing side
    EXPECT_EQ(c.At(43, 43), kRed);    // inside: the square under it, not filled
    DeleteEnhMetaFile(mf);
}

TEST(MetafilePlayback, EllipsesPiesAndChords) {
    EmfBuilder b(49, 49);
    b.Value(EMR_SELECTOBJECT, kStockObjectFlag | NULL_PEN);
    b.Brush(1, kRed).Value(EMR_SELECTOBJECT, 1);
    b.Box(EMR_ELLIPSE, 0, 0, 24, 24);
    // A pie from the right-hand point counter-clockwise to the top: the top-right quarter.
    b.Brush(2, kBlue).Value(EMR_SELECTOBJECT, 2);
    b.Add(EmfRecordBuilder(EMR_PIE)
              .I32(24)
              .I32(0)
              .I32(48)
              .I32(24)
              .I32(48)
              .I32(12)
              .I32(36)
              .I32(0)
              .Finish());
    // The same quarter as a chord under a world transform that moves it down by 24.
    b.Add(EmfRecordBuilder(EMR_SETWORLDTRANSFORM)
              .U32(0x3F800000)
              .U32(0)
              .U32(0)
              .U32(0x3F800000)
              .U32(0)
              .U32(0x41C00000)
              .Finish());  // 1, 0, 0, 1, 0, 24
    b.Brush(3, kGreen).Value(EMR_SELECTOBJECT, 3);
    b.Add(EmfRecordBuilder(EMR_CHORD)
              .I32(24)
              .I32(0)
              .I32(48)
              .I32(24)
              .I32(48)
              .I32(12)
              .I32(36)
              .I32(0)
              .Finish());
    HENHMETAFILE mf = Load(b.Finish());
    WhiteCanvas c(49, 49);
    ASSERT_TRUE(Play(c, mf, {0, 0, 48, 48}));
    EXPECT_EQ(c.At(12, 12), kRed);
    EXPECT_EQ(c.At(2, 2), kWhite);  // outside the ellipse's curve
    EXPECT_EQ(c.At(40, 6), kBlue);
    EXPECT_EQ(c.At(30, 18), kWhite);  // other quarters of the pie's ellipse
    EXPECT_EQ(c.At(40, 18), kWhite);
    EXPECT_EQ(c.At(42, 28), kGreen);  // the chord keeps the outer segment only
    EXPECT_EQ(c.At(38, 34), kWhite);
    DeleteEnhMetaFile(mf);
}

TEST(MetafilePlayback, WorldTransformsScaleAndTurnShapes) {
    EmfBuilder b(49, 49);
    b.Value(EMR_SELECTOBJECT, kStockObjectFlag | NULL_PEN);
    b.Brush(1, kRed).Value(EMR_SELECTOBJECT, 1);
    // Scale by 2: (2,2)-(10,10) covers pixels 4..20.
    b.Add(EmfRecordBuilder(EMR_MODIFYWORLDTRANSFORM)
              .U32(0x40000000)
              .U32(0)
              .U32(0)
              .U32(0x40000000)
              .U32(0)
              .U32(0)
              .U32(4)
              .Finish());
    b.Box(EMR_RECTANGLE, 2, 2, 10, 10);
    // Then a quarter turn (x' = -y, y' = x) moved right by 48: a bar along x becomes a bar
    // along y at the right-hand side.
    b.Add(EmfRecordBuilder(EMR_SETWORLDTRANSFORM)
              .U32(0)
              .U32(0x3F800000)
              .U32(0xBF800000)
              .U32(0)
              .U32(0x42400000)
              .U32(0)
              .Finish());  // 0, 1, -1, 0, 48, 0
    b.Brush(2, kBlue).Value(EMR_SELECTOBJECT, 2);
    b.Box(EMR_RECTANGLE, 24, 2, 46, 8);
    HENHMETAFILE mf = Load(b.Finish());
    WhiteCanvas c(49, 49);
    ASSERT_TRUE(Play(c, mf, {0, 0, 48, 48}));
    EXPECT_EQ(c.At(5, 5), kRed);
    EXPECT_EQ(c.At(18, 18), kRed);
    EXPECT_EQ(c.At(22, 12), kWhite);
    EXPECT_EQ(c.At(44, 35), kBlue);  // x 40..46, y 24..46
    EXPECT_EQ(c.At(35, 44), kWhite);
    EXPECT_EQ(c.At(44, 10), kWhite);
    DeleteEnhMetaFile(mf);
}

TEST(MetafilePlayback, BlitRecordsWithAndWithoutSource) {
    // A 1 x 1 bottom-up 32-bit bitmap of green, copied into a 10 x 10 area.
    std::vector<uint8_t> info(40, 0);
    info[0] = 40;
    info[4] = 1;
    info[8] = 1;
    info[12] = 1;
    info[14] = 32;
    std::vector<uint8_t> bits = {0x00, 0xFF, 0x00, 0x00};
    auto blt = [&](uint32_t type, int x, int y, int cx, int cy, uint32_t rop, bool source) {
        EmfRecordBuilder r(type);
        r.Rect({0, 0, -1, -1}).I32(x).I32(y).I32(cx).I32(cy).U32(rop).I32(0).I32(0);
        for (uint32_t f : {0x3F800000u, 0u, 0u, 0x3F800000u, 0u, 0u}) r.U32(f);
        uint32_t fixed = type == EMR_STRETCHBLT ? 108 : 100;
        r.U32(0).U32(0);
        if (source)
            r.U32(fixed).U32(40).U32(fixed + 40).U32(4);
        else
            r.U32(0).U32(0).U32(0).U32(0);
        if (type == EMR_STRETCHBLT) r.I32(1).I32(1);
        if (source) r.Bytes(info).Bytes(bits);
        return r.Finish();
    };
    EmfBuilder b(49, 49);
    b.Brush(1, kBlue).Value(EMR_SELECTOBJECT, 1);
    b.Add(blt(EMR_BITBLT, 0, 0, 10, 10, 0x00F00021, false));  // PATCOPY with the brush
    b.Add(blt(EMR_STRETCHBLT, 20, 20, 10, 10, 0x00CC0020, true));
    b.Add(EmfRecordBuilder(EMR_SETPIXELV).I32(40).I32(40).U32(kRed).Finish());
    HENHMETAFILE mf = Load(b.Finish());
    WhiteCanvas c(49, 49);
    ASSERT_TRUE(Play(c, mf, {0, 0, 48, 48}));
    EXPECT_EQ(c.Count(kBlue, {0, 0, 49, 49}), 100);
    EXPECT_EQ(c.Count(kGreen, {20, 20, 30, 30}), 100);
    EXPECT_EQ(c.At(40, 40), kRed);
    EXPECT_EQ(c.At(15, 15), kWhite);
    DeleteEnhMetaFile(mf);
}

TEST(MetafilePlayback, AlphaBlendMixesWithWhatLiesBeneath) {
    // A 2 x 1 top-down 32-bit bitmap: half-transparent red (premultiplied), opaque blue.
    std::vector<uint8_t> info(40, 0);
    info[0] = 40;
    info[4] = 2;
    info[8] = 0xFF;  // height -1
    info[9] = info[10] = info[11] = 0xFF;
    info[12] = 1;
    info[14] = 32;
    std::vector<uint8_t> bits = {0, 0, 128, 128, 255, 0, 0, 255};
    auto blend = [&](int x, int y, uint8_t constant, uint8_t format) {
        EmfRecordBuilder r(EMR_ALPHABLEND);
        r.Rect({0, 0, -1, -1}).I32(x).I32(y).I32(20).I32(10);
        r.U32(static_cast<uint32_t>(constant) << 16 | static_cast<uint32_t>(format) << 24);
        r.I32(0).I32(0);
        for (uint32_t f : {0x3F800000u, 0u, 0u, 0x3F800000u, 0u, 0u}) r.U32(f);
        r.U32(0).U32(0).U32(108).U32(40).U32(148).U32(8).I32(2).I32(1);
        r.Bytes(info).Bytes(bits);
        return r.Finish();
    };
    EmfBuilder b(49, 49);
    b.Add(blend(0, 0, 255, 1));   // per-pixel alpha
    b.Add(blend(0, 20, 128, 0));  // a constant half
    HENHMETAFILE mf = Load(b.Finish());
    WhiteCanvas c(49, 49);
    ASSERT_TRUE(Play(c, mf, {0, 0, 48, 48}));
    EXPECT_EQ(c.At(5, 5), 0x7F7FFFu);  // red at half over white
    EXPECT_EQ(c.At(15, 5), kBlue);
    EXPECT_EQ(c.At(5, 25), 0x7F7FBFu);   // the red pixel as it is stored, at half
    EXPECT_EQ(c.At(15, 25), 0xFF7F7Fu);  // blue at half over white
    EXPECT_EQ(c.At(25, 5), kWhite);
    DeleteEnhMetaFile(mf);
}

TEST(MetafilePlayback, GradientFills) {
    // Black to red across x 0..40 in the top band; a green triangle below.
    EmfRecordBuilder g(EMR_GRADIENTFILL);
    g.Rect({0, 0, -1, -1}).U32(2).U32(1).U32(0);  // horizontal rectangles
    g.I32(0).I32(0).U16(0).U16(0).U16(0).U16(0);
    g.I32(40).I32(10).U16(0xFF00).U16(0).U16(0).U16(0);
    g.U32(0).U32(1);
    EmfRecordBuilder t(EMR_GRADIENTFILL);
    t.Rect({0, 0, -1, -1}).U32(3).U32(1).U32(2);  // triangles
    for (int v = 0; v < 3; ++v)
        t.I32(v == 1 ? 40 : 0).I32(v == 2 ? 48 : 20).U16(0).U16(0xFF00).U16(0).U16(0);
    t.U32(0).U32(1).U32(2);
    EmfRecordBuilder bad(EMR_GRADIENTFILL);
    bad.Rect({0, 0, -1, -1}).U32(0x10000000).U32(1).U32(0);  // vertices beyond the record
    EmfBuilder b(49, 49);
    b.Add(g.Finish()).Add(t.Finish()).Add(bad.Finish());
    HENHMETAFILE mf = Load(b.Finish());
    WhiteCanvas c(49, 49);
    ASSERT_TRUE(Play(c, mf, {0, 0, 48, 48}));
    COLORREF left = c.At(2, 5), middle = c.At(20, 5), right = c.At(38, 5);
    EXPECT_LT(left & 0xFF, 0x20u);
    EXPECT_NEAR(static_cast<int>(middle & 0xFF), 0x80, 8);
    EXPECT_GT(right & 0xFF, 0xE0u);
    EXPECT_EQ(middle & 0xFFFF00, 0u);
    EXPECT_EQ(c.At(45, 5), kWhite);
    EXPECT_EQ(c.At(5, 30), kGreen);
    EXPECT_EQ(c.At(35, 40), kWhite);
    DeleteEnhMetaFile(mf);
}

TEST(MetafilePlayback, ClipRectanglesLimitDrawing) {
    EmfBuilder b(49, 49);
    b.Value(EMR_SELECTOBJECT, kStockObjectFlag | NULL_PEN);
    b.Brush(1, kRed).Value(EMR_SELECTOBJECT, 1);
    b.Box(EMR_INTERSECTCLIPRECT, 10, 10, 30, 30);
    b.Box(EMR_EXCLUDECLIPRECT, 15, 15, 20, 20);
    b.Box(EMR_RECTANGLE, 0, 0, 49, 49);
    HENHMETAFILE mf = Load(b.Finish());
    WhiteCanvas c(49, 49);
    ASSERT_TRUE(Play(c, mf, {0, 0, 48, 48}));
    EXPECT_EQ(c.Count(kRed, {0, 0, 49, 49}), 20 * 20 - 5 * 5);
    EXPECT_EQ(c.At(17, 17), kWhite);

    // A path as the clip: a triangle, then the clip moved right by 20.
    EmfBuilder p(49, 49);
    p.Value(EMR_SELECTOBJECT, kStockObjectFlag | NULL_PEN);
    p.Brush(1, kBlue).Value(EMR_SELECTOBJECT, 1);
    p.Add(EmfRecordBuilder(EMR_BEGINPATH).Finish());
    p.Add(Points16(EMR_POLYGON16, {0, 0, 20, 0, 0, 20}));
    p.Add(EmfRecordBuilder(EMR_ENDPATH).Finish());
    p.Value(EMR_SELECTCLIPPATH, RGN_COPY);
    p.Pair(EMR_OFFSETCLIPRGN, 20, 0);
    p.Box(EMR_RECTANGLE, 0, 0, 49, 49);
    HENHMETAFILE clipped = Load(p.Finish());
    WhiteCanvas d(49, 49);
    ASSERT_TRUE(Play(d, clipped, {0, 0, 48, 48}));
    EXPECT_EQ(d.At(23, 3), kBlue);
    EXPECT_EQ(d.At(3, 3), kWhite);
    EXPECT_EQ(d.At(37, 17), kWhite);  // beyond the triangle's long side
    EXPECT_NEAR(d.Count(kBlue, {0, 0, 49, 49}), 200, 25);
    DeleteEnhMetaFile(clipped);
    // The clip ends with the picture: drawing afterwards reaches everywhere.
    RECT all{0, 0, 49, 49};
    HBRUSH green = CreateSolidBrush(kGreen);
    FillRect(c.Dc(), &all, green);
    DeleteObject(green);
    EXPECT_EQ(c.Count(kGreen, all), 49 * 49);
    DeleteEnhMetaFile(mf);
}

TEST(MetafilePlayback, StretchedBitmapRecords) {
    // A 2 x 2 bottom-up 24-bit bitmap: bottom row blue, green; top row red, white.
    std::vector<uint8_t> info(40, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) info[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    put32(0, 40);
    put32(4, 2);
    put32(8, 2);
    info[12] = 1;
    info[14] = 24;
    std::vector<uint8_t> bits = {0xFF, 0, 0,    0,    0xFF, 0,    0, 0,   // blue, green, pad
                                 0,    0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0};  // red, white, pad
    EmfRecordBuilder r(EMR_STRETCHDIBITS);
    r.Rect({0, 0, -1, -1}).I32(8).I32(8).I32(0).I32(0).I32(2).I32(2);
    r.U32(80).U32(40).U32(120).U32(static_cast<uint32_t>(bits.size()));
    r.U32(0).U32(0x00CC0020).I32(32).I32(32);
    r.Bytes(info).Bytes(bits);
    EmfBuilder b(49, 49);
    b.Add(r.Finish());
    HENHMETAFILE mf = Load(b.Finish());
    WhiteCanvas c(49, 49);
    ASSERT_TRUE(Play(c, mf, {0, 0, 48, 48}));
    EXPECT_EQ(c.At(12, 12), kRed);
    EXPECT_EQ(c.At(36, 12), kWhite);
    EXPECT_EQ(c.At(12, 36), kBlue);
    EXPECT_EQ(c.At(36, 36), kGreen);
    EXPECT_EQ(c.At(4, 4), kWhite);
    EXPECT_EQ(c.At(44, 20), kWhite);
    DeleteEnhMetaFile(mf);
}

TEST(MetafilePlayback, UnknownAndDamagedRecordsAreSkipped) {
    EmfBuilder b(49, 49);
    b.Value(EMR_SELECTOBJECT, kStockObjectFlag | NULL_PEN);
    b.Brush(1, kRed).Value(EMR_SELECTOBJECT, 1);
    b.Add(EmfRecordBuilder(9999).U32(0xDEADBEEF).U32(7).Finish());  // unknown
    b.Add(EmfRecordBuilder(EMR_RECTANGLE).I32(0).Finish());         // too short
    // Counts that run past their record.
    b.Add(
        EmfRecordBuilder(EMR_POLYGON16).Rect({0, 0, 0, 0}).U32(0x40000000).U16(1).U16(1).Finish());
    b.Add(EmfRecordBuilder(EMR_POLYPOLYGON)
              .Rect({0, 0, 0, 0})
              .U32(0xFFFFFFFF)
              .U32(3)
              .U32(3)
              .Finish());
    b.Add(EmfRecordBuilder(EMR_POLYPOLYGON16)
              .Rect({0, 0, 0, 0})
              .U32(1)
              .U32(0x7FFFFFFF)
              .U32(0x7FFFFFFF)
              .Finish());
    b.Add(EmfRecordBuilder(EMR_EXTTEXTOUTW)
              .Rect({0, 0, 0, 0})
              .U32(1)
              .U32(0)
              .U32(0)
              .I32(0)
              .I32(0)
              .U32(0x7FFFFFFF)
              .U32(0xFFFFFFF0)
              .U32(0)
              .Rect({0, 0, 0, 0})
              .U32(0)
              .Finish());
    b.Add(EmfRecordBuilder(EMR_STRETCHDIBITS)
              .Rect({0, 0, 0, 0})
              .I32(0)
              .I32(0)
              .I32(0)
              .I32(0)
              .I32(1)
              .I32(1)
              .U32(0xFFFFFFF0)
              .U32(0x100)
              .U32(80)
              .U32(0xFFFFFFFF)
              .U32(0)
              .U32(0x00CC0020)
              .I32(10)
              .I32(10)
              .Finish());
    b.Add(EmfRecordBuilder(EMR_EXTCREATEFONTINDIRECTW).U32(2).I32(12).Finish());  // cut font
    b.Add(EmfRecordBuilder(EMR_MODIFYWORLDTRANSFORM)
              .U32(0)
              .U32(0)
              .U32(0)
              .U32(0)
              .U32(0)
              .U32(0)
              .U32(4)
              .Finish());  // a transform that collapses everything: refused
    b.Add(EmfRecordBuilder(EMR_EXTSELECTCLIPRGN).U32(0xFFFFFFF0).U32(RGN_COPY).Finish());
    b.Pair(EMR_SETWINDOWEXTEX, 0, 0);
    b.Box(EMR_RECTANGLE, 10, 10, 20, 20);  // still drawn
    HENHMETAFILE mf = Load(b.Finish());
    ASSERT_NE(mf, nullptr);
    WhiteCanvas c(49, 49);
    ASSERT_TRUE(Play(c, mf, {0, 0, 48, 48}));
    EXPECT_EQ(c.At(15, 15), kRed);
    EXPECT_EQ(c.Count(kRed, {0, 0, 49, 49}), c.Count(kRed, {10, 10, 20, 20}));
    DeleteEnhMetaFile(mf);
}

TEST(MetafilePlayback, TargetStateIsRestoredAndNothingLeaks) {
    int before = LiveGdiObjectCount();
    {
        WhiteCanvas c(49, 49);
        SetMapMode(c.Dc(), MM_TEXT);
        HBRUSH mine = CreateSolidBrush(kGreen);
        HGDIOBJ previous = SelectObject(c.Dc(), mine);
        SetTextColor(c.Dc(), 0x123456);
        EmfBuilder b = TenthsPicture();
        b.Brush(1, kRed).Value(EMR_SELECTOBJECT, 1).Value(EMR_SETTEXTCOLOR, kBlue);
        b.Pen(2, PS_SOLID, 20, kBlue).Value(EMR_SELECTOBJECT, 2);
        b.Box(EMR_RECTANGLE, 0, 0, 200, 200);
        b.Add(EmfRecordBuilder(EMR_SAVEDC).Finish());  // left open
        HENHMETAFILE mf = Load(b.Finish());
        ASSERT_TRUE(Play(c, mf, {0, 0, 48, 48}));
        EXPECT_EQ(GetCurrentObject(c.Dc(), OBJ_BRUSH), static_cast<HGDIOBJ>(mine));
        EXPECT_EQ(GetTextColor(c.Dc()), 0x123456u);
        EXPECT_EQ(GetMapMode(c.Dc()), MM_TEXT);
        SelectObject(c.Dc(), previous);
        DeleteObject(mine);
        DeleteEnhMetaFile(mf);
    }
    EXPECT_EQ(LiveGdiObjectCount(), before);
}

TEST(MetafilePlayback, CoordinatesFarBeyondTheTargetStayCheap) {
    EmfBuilder b(49, 49);
    b.Value(EMR_SELECTOBJECT, kStockObjectFlag | NULL_PEN);
    b.Brush(1, kRed).Value(EMR_SELECTOBJECT, 1);
    b.Box(EMR_ELLIPSE, -100000000, -100000000, 100000000, 100000000);  // covers the target
    b.Brush(2, kBlue).Value(EMR_SELECTOBJECT, 2);
    b.Add(Points16(EMR_POLYGON16, {-32000, -32000, 24, -32000, 24, 32000, -32000, 32000}));
    b.Pen(3, PS_SOLID, 1, kGreen).Value(EMR_SELECTOBJECT, 3);
    b.Pair(EMR_MOVETOEX, -2000000000, 40);
    b.Pair(EMR_LINETO, 2000000000, 40);
    HENHMETAFILE mf = Load(b.Finish());
    WhiteCanvas c(49, 49);
    ASSERT_TRUE(Play(c, mf, {0, 0, 48, 48}));
    EXPECT_EQ(c.At(40, 10), kRed);
    EXPECT_EQ(c.At(10, 10), kBlue);
    EXPECT_EQ(c.At(23, 30), kBlue);
    EXPECT_EQ(c.At(25, 30), kRed);
    EXPECT_EQ(c.Count(kGreen, {0, 40, 49, 41}), 49);
    DeleteEnhMetaFile(mf);
}

// Inputs that once made playback slow or unsafe, played through both readers.
TEST(MetafilePlayback, MalformedFilesPlaySafely) {
    for (const char* name : {"huge-path-fill.emf", "bitmap-source-overflow.emf"}) {
        SCOPED_TRACE(name);
        std::vector<uint8_t> bytes = ReadTestFile(std::string("malformed/") + name);
        ASSERT_FALSE(bytes.empty());
        WhiteCanvas c(64, 64);
        HENHMETAFILE emf = Load(bytes);
        if (emf) {
            Play(c, emf, {0, 0, 63, 63});
            DeleteEnhMetaFile(emf);
        }
        HENHMETAFILE wmf =
            SetWinMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data(), nullptr, nullptr);
        if (wmf) {
            Play(c, wmf, {0, 0, 63, 63});
            DeleteEnhMetaFile(wmf);
        }
    }
}

TEST(MetafileHandles, BitsHeaderCopyAndDelete) {
    std::vector<uint8_t> bytes = ReadTestFile("shapes.emf");
    HENHMETAFILE mf = Load(bytes);
    ASSERT_NE(mf, nullptr);
    EXPECT_EQ(GetObjectType(mf), OBJ_ENHMETAFILE);
    ASSERT_EQ(GetEnhMetaFileBits(mf, 0, nullptr), bytes.size());
    std::vector<uint8_t> back(bytes.size());
    EXPECT_EQ(GetEnhMetaFileBits(mf, static_cast<UINT>(back.size()), back.data()), bytes.size());
    EXPECT_EQ(back, bytes);

    ENHMETAHEADER header{};
    UINT got = GetEnhMetaFileHeader(mf, sizeof header, &header);
    EXPECT_GE(got, 88u);
    EXPECT_EQ(header.dSignature, ENHMETA_SIGNATURE);
    EXPECT_EQ(header.nBytes, bytes.size());
    EXPECT_EQ(header.rclFrame.right, 2699);

    HENHMETAFILE copy = CopyEnhMetaFile(mf, nullptr);
    ASSERT_NE(copy, nullptr);
    std::string path = std::string(TEMBRIN_BINARY_DIR) + "/metafile_copy_test.emf";
    HENHMETAFILE onDisk = CopyEnhMetaFile(mf, path.c_str());
    ASSERT_NE(onDisk, nullptr);
    std::ifstream written(path, std::ios::binary);
    EXPECT_EQ(std::vector<uint8_t>(std::istreambuf_iterator<char>(written), {}), bytes);
    DeleteEnhMetaFile(onDisk);
    std::remove(path.c_str());
    EXPECT_TRUE(DeleteEnhMetaFile(mf));
    EXPECT_FALSE(DeleteEnhMetaFile(mf));
    EXPECT_EQ(GetEnhMetaFileBits(mf, 0, nullptr), 0u);
    WhiteCanvas c(100, 50);
    EXPECT_FALSE(Play(c, mf, {0, 0, 99, 49}));
    EXPECT_TRUE(Play(c, copy, {0, 0, 99, 49}));
    DeleteEnhMetaFile(copy);

    std::vector<uint8_t> junk(200, 0x41);
    EXPECT_EQ(Load(junk), nullptr);
    EXPECT_EQ(SetWinMetaFileBits(200, junk.data(), nullptr, nullptr), nullptr);
    EXPECT_EQ(SetEnhMetaFileBits(0, nullptr), nullptr);
}

// Files written by Inkscape from the SVG drawings in tests/data/metafile.
TEST(MetafilePlayback, PicturesFromAnotherProgram) {
    for (bool windows : {false, true}) {
        SCOPED_TRACE(windows ? "wmf" : "emf");
        HENHMETAFILE shapes =
            windows ? LoadPlaceable(ReadTestFile("shapes.wmf")) : Load(ReadTestFile("shapes.emf"));
        ASSERT_NE(shapes, nullptr);
        WhiteCanvas c(100, 50);
        ASSERT_TRUE(Play(c, shapes, {0, 0, 99, 49}));
        EXPECT_EQ(c.At(25, 20), kRed);
        EXPECT_EQ(c.At(70, 25), kBlue);
        EXPECT_EQ(c.At(70, 15), kGreen);  // the ellipse's top outline
        EXPECT_EQ(c.At(5, 45), kWhite);
        EXPECT_EQ(c.At(50, 20), kWhite);
        DeleteEnhMetaFile(shapes);

        HENHMETAFILE lines =
            windows ? LoadPlaceable(ReadTestFile("lines.wmf")) : Load(ReadTestFile("lines.emf"));
        ASSERT_NE(lines, nullptr);
        WhiteCanvas l(64, 64);
        ASSERT_TRUE(Play(l, lines, {0, 0, 63, 63}));
        EXPECT_EQ(l.At(30, 4), 0x000000u);
        EXPECT_EQ(l.At(60, 30), 0x000000u);
        EXPECT_EQ(l.At(30, 45), kGreen);
        EXPECT_EQ(l.At(30, 30), kGreen);
        EXPECT_EQ(l.At(15, 25), kWhite);
        DeleteEnhMetaFile(lines);

        HENHMETAFILE image =
            windows ? LoadPlaceable(ReadTestFile("image.wmf")) : Load(ReadTestFile("image.emf"));
        ASSERT_NE(image, nullptr);
        WhiteCanvas i(40, 40);
        ASSERT_TRUE(Play(i, image, {0, 0, 39, 39}));
        EXPECT_EQ(i.At(15, 14), kRed);
        EXPECT_EQ(i.At(25, 25), kBlue);
        EXPECT_EQ(i.At(5, 5), kWhite);
        EXPECT_EQ(i.At(35, 35), kWhite);
        DeleteEnhMetaFile(image);

        HENHMETAFILE extra =
            windows ? LoadPlaceable(ReadTestFile("extra.wmf")) : Load(ReadTestFile("extra.emf"));
        ASSERT_NE(extra, nullptr);
        WhiteCanvas e(64, 64);
        ASSERT_TRUE(Play(e, extra, {0, 0, 63, 63}));
        EXPECT_EQ(e.Count(0x000000, {55, 45, 64, 46}), 3);  // the 3-pixel dashed stroke
        EXPECT_EQ(e.At(15, 45), kGreen);
        COLORREF gradient = e.At(30, 14);  // written as one averaged colour
        EXPECT_NE(gradient, kWhite);
        EXPECT_EQ(gradient & 0x00FF00, 0u);
        EXPECT_GT(22 * 15 - e.Count(kWhite, {36, 38, 58, 53}), 20);  // the outlines of "Ab"
        DeleteEnhMetaFile(extra);
    }
}

}  // namespace
