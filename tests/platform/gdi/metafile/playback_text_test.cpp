// Text records played into bitmaps: font, colour, scale, spacing, and text from Windows
// metafiles in the font's code page.
#include <gtest/gtest.h>

#include <string>

#include "metafile_builders.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/metafile/emf_format.h"
#include "platform/gdi/metafile/wmf_format.h"

namespace {

using namespace platform;
using namespace platform::metafile;
using namespace metafile_test;

constexpr COLORREF kBlue = 0xFF0000;

struct Bitmap {
    Bitmap(int w, int h) : width(w), height(h) {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, w, h);
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, bitmap);
        PatBlt(dc, 0, 0, w, h, WHITENESS);
    }
    ~Bitmap() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    // Pixels of the colour inside [x0, x1) x [y0, y1).
    int Count(COLORREF color, int x0, int y0, int x1, int y1) const {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += GetPixel(dc, x, y) == color;
        return n;
    }
    // The right-most column with anything drawn in it, or -1.
    int RightMostInk() const {
        for (int x = width - 1; x >= 0; --x)
            if (Count(0xFFFFFF, x, 0, x + 1, height) < height) return x;
        return -1;
    }
    int width, height;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};

std::vector<uint8_t> Font(uint32_t index, int32_t height, const std::u16string& face) {
    EmfRecordBuilder r(EMR_EXTCREATEFONTINDIRECTW);
    r.U32(index).I32(height).I32(0).I32(0).I32(0).I32(400);
    r.U32(0).U32(0);  // italic .. pitch and family
    for (size_t i = 0; i < 32; ++i) r.U16(i < face.size() ? face[i] : 0);
    return r.Finish();
}

std::vector<uint8_t> TextRecord(int32_t x, int32_t y, const std::u16string& text,
                                const std::vector<int32_t>& dx = {}) {
    constexpr uint32_t kFixed = 76;
    uint32_t stringBytes = static_cast<uint32_t>((text.size() * 2 + 3) / 4 * 4);
    EmfRecordBuilder r(EMR_EXTTEXTOUTW);
    r.Rect({0, 0, -1, -1}).U32(1).U32(0).U32(0);
    r.I32(x).I32(y).U32(static_cast<uint32_t>(text.size())).U32(kFixed).U32(0);
    r.Rect({0, 0, -1, -1}).U32(dx.empty() ? 0 : kFixed + stringBytes);
    for (char16_t c : text) r.U16(c);
    if (text.size() % 2) r.U16(0);
    for (int32_t d : dx) r.I32(d);
    return r.Finish();
}

HENHMETAFILE TextPicture(const std::u16string& text, const std::vector<int32_t>& dx = {}) {
    EmfBuilder b(49, 49);
    b.Add(Font(1, -16, u"DejaVu Sans")).Value(EMR_SELECTOBJECT, 1);
    b.Value(EMR_SETTEXTCOLOR, kBlue).Value(EMR_SETBKMODE, TRANSPARENT);
    b.Add(TextRecord(4, 4, text, dx));
    std::vector<uint8_t> bytes = b.Finish();
    return SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data());
}

TEST(MetafileText, DrawsInTheTextColourWhereTheRecordSays) {
    HENHMETAFILE mf = TextPicture(u"Hi");
    ASSERT_NE(mf, nullptr);
    Bitmap c(49, 49);
    RECT r{0, 0, 48, 48};
    ASSERT_TRUE(PlayEnhMetaFile(c.dc, mf, &r));
    int inside = c.Count(kBlue, 4, 4, 30, 24);
    EXPECT_GT(inside, 20);
    EXPECT_EQ(c.Count(kBlue, 0, 0, 49, 49), inside);  // nothing outside the text's box

    // Played at twice the size, the font grows with the picture.
    Bitmap big(98, 98);
    RECT twice{0, 0, 96, 96};
    ASSERT_TRUE(PlayEnhMetaFile(big.dc, mf, &twice));
    int scaled = big.Count(kBlue, 0, 0, 98, 98);
    EXPECT_GT(scaled, inside * 5 / 2);
    EXPECT_EQ(big.Count(kBlue, 0, 0, 7, 98), 0);  // starts at 8, not 4
    DeleteEnhMetaFile(mf);
}

TEST(MetafileText, SpacingAndCharactersBeyondAscii) {
    HENHMETAFILE tight = TextPicture(u"ii");
    HENHMETAFILE spaced = TextPicture(u"ii", {30, 30});
    HENHMETAFILE chinese = TextPicture(u"中");
    RECT r{0, 0, 48, 48};
    Bitmap a(49, 49), b(49, 49), c(49, 49);
    PlayEnhMetaFile(a.dc, tight, &r);
    PlayEnhMetaFile(b.dc, spaced, &r);
    PlayEnhMetaFile(c.dc, chinese, &r);
    EXPECT_GT(a.RightMostInk(), 4);
    EXPECT_LT(a.RightMostInk(), 20);
    EXPECT_GE(b.RightMostInk(), 34);  // the second letter 30 units on
    EXPECT_GT(c.Count(kBlue, 0, 0, 49, 49), 20);
    DeleteEnhMetaFile(tight);
    DeleteEnhMetaFile(spaced);
    DeleteEnhMetaFile(chinese);
}

TEST(MetafileText, GlyphNumbersAreNotDrawnAsCharacters) {
    // Glyph numbers belong to the font that recorded them; only the opaque box is drawn.
    std::vector<uint8_t> text = TextRecord(4, 4, u"\x0024\x0025");
    text[52] = static_cast<uint8_t>(ETO_GLYPH_INDEX | ETO_OPAQUE);
    for (int i = 0; i < 4; ++i)  // the box (2, 2, 10, 10)
        for (int k = 0; k < 4; ++k) text[56 + 4 * i + k] = k == 0 ? (i < 2 ? 2 : 10) : 0;
    EmfBuilder b(49, 49);
    b.Add(Font(1, -16, u"DejaVu Sans")).Value(EMR_SELECTOBJECT, 1);
    b.Value(EMR_SETTEXTCOLOR, kBlue).Value(EMR_SETBKCOLOR, 0x00FF00);
    b.Add(text);
    std::vector<uint8_t> bytes = b.Finish();
    HENHMETAFILE mf = SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data());
    Bitmap c(49, 49);
    RECT r{0, 0, 48, 48};
    ASSERT_TRUE(PlayEnhMetaFile(c.dc, mf, &r));
    EXPECT_EQ(c.Count(0x00FF00, 0, 0, 49, 49), 8 * 8);
    EXPECT_EQ(c.Count(0xFFFFFF, 0, 0, 49, 49), 49 * 49 - 8 * 8);
    DeleteEnhMetaFile(mf);
}

TEST(MetafileText, EightBitTextIsReadInTheFontsCodePage) {
    // A GB2312 font, then "中" as the bytes D6 D0 in the 8-bit record.
    auto picture = [](bool wide) {
        EmfBuilder b(49, 49);
        std::vector<uint8_t> font = Font(1, -16, u"DejaVu Sans");
        font[12 + 20 + 3] = 134;  // lfCharSet
        b.Add(font).Value(EMR_SELECTOBJECT, 1);
        b.Value(EMR_SETTEXTCOLOR, kBlue).Value(EMR_SETBKMODE, TRANSPARENT);
        if (wide) {
            b.Add(TextRecord(4, 4, u"中"));
        } else {
            EmfRecordBuilder r(EMR_EXTTEXTOUTA);
            r.Rect({0, 0, -1, -1}).U32(1).U32(0).U32(0);
            r.I32(4).I32(4).U32(2).U32(76).U32(0).Rect({0, 0, -1, -1}).U32(0);
            r.U16(0xD0D6);
            b.Add(r.Finish());
        }
        std::vector<uint8_t> bytes = b.Finish();
        return SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data());
    };
    HENHMETAFILE ansi = picture(false), wide = picture(true);
    RECT r{0, 0, 48, 48};
    Bitmap a(49, 49), w(49, 49);
    ASSERT_TRUE(PlayEnhMetaFile(a.dc, ansi, &r));
    ASSERT_TRUE(PlayEnhMetaFile(w.dc, wide, &r));
    int same = 0, inked = 0;
    for (int y = 0; y < 49; ++y)
        for (int x = 0; x < 49; ++x) {
            same += GetPixel(a.dc, x, y) == GetPixel(w.dc, x, y);
            inked += GetPixel(w.dc, x, y) != 0xFFFFFF;
        }
    EXPECT_GT(inked, 20);
    EXPECT_EQ(same, 49 * 49);
    DeleteEnhMetaFile(ansi);
    DeleteEnhMetaFile(wide);
}

TEST(MetafileText, WindowsMetafileTextIsDecodedAndDrawn) {
    using namespace platform::metafile::wmf;
    WmfBuilder w;
    w.Record(META_SETWINDOWORG, {0, 0});
    w.Record(META_SETWINDOWEXT, {W(48), W(48)});
    // A 16-pixel GB2312 font and "中" (D6 D0) in blue.
    w.Record(META_CREATEFONTINDIRECT,
             {W(-16), 0, 0, 0, 400, 0, 0x8600, 0, 0, 'D' | ('e' << 8), 'j' | ('a' << 8),
              'V' | ('u' << 8), ' ' | ('S' << 8), 'a' | ('n' << 8), 's' | (0 << 8)});
    w.Record(META_SELECTOBJECT, {0});
    w.Record(META_SETTEXTCOLOR, {Lo(kBlue), Hi(kBlue)});
    w.Record(META_SETBKMODE, {TRANSPARENT});
    w.Record(META_TEXTOUT, {2, 0xD0D6, W(4), W(4)});
    std::vector<uint8_t> bytes = w.Finish();
    METAFILEPICT pict{MM_ANISOTROPIC, 1270, 1270, nullptr};  // 48 px
    HENHMETAFILE mf =
        SetWinMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data(), nullptr, &pict);
    ASSERT_NE(mf, nullptr);
    Bitmap c(49, 49);
    RECT r{0, 0, 48, 48};
    ASSERT_TRUE(PlayEnhMetaFile(c.dc, mf, &r));
    int drawn = c.Count(kBlue, 4, 4, 24, 24);
    EXPECT_GT(drawn, 20);
    EXPECT_EQ(c.Count(kBlue, 0, 0, 49, 49), drawn);
    DeleteEnhMetaFile(mf);
}

}  // namespace
