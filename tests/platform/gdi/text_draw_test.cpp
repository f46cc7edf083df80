// Text drawn into a device context: fonts as handles, pixels in the text and background
// colours, alignment, clipping, DrawText placement, accelerator underlines and ellipses.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/gdi/font_face.h"
#include "platform/gdi/gdi.h"
#include "support/gdi_leak_check.h"
#include "support/white_canvas.h"

namespace platform {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr const char kButtonText[] = "导出64X64 打开图片";

using testing_support::WhiteCanvas;

// A font selected for the lifetime of the object.
class Selected {
  public:
    Selected(HDC dc, const char* face, int height, int weight = FW_NORMAL, bool underline = false)
        : dc_(dc) {
        font_ =
            CreateFont(height, 0, 0, 0, weight, 0, underline, 0, GB2312_CHARSET, 0, 0, 0, 0, face);
        old_ = SelectObject(dc, font_);
    }
    ~Selected() {
        SelectObject(dc_, old_);
        DeleteObject(font_);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;
    HFONT Font() const { return font_; }

  private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ old_;
};

// Every drawing test also checks that it leaves no object behind.
class TextMeasuring : public testing_support::NoGdiLeaks {};
class TextDrawing : public testing_support::NoGdiLeaks {};
class DrawTextCalls : public testing_support::NoGdiLeaks {};

SIZE Extent(HDC dc, const char* text) {
    SIZE size{};
    EXPECT_TRUE(GetTextExtentPoint32(dc, text, static_cast<int>(std::strlen(text)), &size));
    return size;
}

TEST(FontHandle, DescribesItselfAndIsFreedByDeleteObject) {
    const int live = LiveGdiObjectCount();
    LOGFONT lf{};
    lf.lfHeight = -12;
    lf.lfCharSet = GB2312_CHARSET;
    std::strcpy(lf.lfFaceName, "新宋体");
    HFONT font = CreateFontIndirect(&lf);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(GetObjectType(font), OBJ_FONT);
    EXPECT_EQ(GetObject(font, 0, nullptr), static_cast<int>(sizeof(LOGFONT)));
    LOGFONT back{};
    EXPECT_EQ(GetObject(font, sizeof back, &back), static_cast<int>(sizeof(LOGFONT)));
    EXPECT_EQ(back.lfHeight, -12);
    EXPECT_STREQ(back.lfFaceName, "新宋体");
    EXPECT_EQ(LiveGdiObjectCount(), live + 1);
    EXPECT_TRUE(DeleteObject(font));
    EXPECT_EQ(GetObjectType(font), 0u);
    EXPECT_EQ(LiveGdiObjectCount(), live);
    EXPECT_EQ(CreateFontIndirect(nullptr), nullptr);
}

TEST(FontHandle, DrawingLeaksNoHandles) {
    const int live = LiveGdiObjectCount();
    {
        WhiteCanvas canvas(120, 40);
        for (const char* face : {"宋体", "Arial", "MS Sans Serif"}) {
            Selected font(canvas.Dc(), face, -12);
            TextOut(canvas.Dc(), 0, 0, "abc图", 6);
            RECT r{0, 0, 120, 40};
            DrawText(canvas.Dc(), "&Open 打开", -1, &r, DT_CENTER | DT_WORDBREAK);
        }
    }
    EXPECT_EQ(LiveGdiObjectCount(), live);
}

TEST(FontHandle, TextFaceIsTheNameAskedFor) {
    WhiteCanvas canvas(10, 10);
    Selected font(canvas.Dc(), "宋体", -12);
    char name[LF_FACESIZE] = {};
    EXPECT_EQ(GetTextFace(canvas.Dc(), sizeof name, name),
              static_cast<int>(std::strlen("宋体")) + 1);
    EXPECT_STREQ(name, "宋体");
    char tiny[4] = {};
    GetTextFace(canvas.Dc(), sizeof tiny, tiny);  // "宋" is 3 bytes: no half character
    EXPECT_STREQ(tiny, "宋");
}

TEST_F(TextMeasuring, SongTwelvePixelButtonCaption) {
    WhiteCanvas canvas(10, 10);
    Selected font(canvas.Dc(), "宋体", -12);
    const SIZE size = Extent(canvas.Dc(), kButtonText);
    EXPECT_EQ(size.cx, 108);
    TEXTMETRIC tm{};
    ASSERT_TRUE(GetTextMetrics(canvas.Dc(), &tm));
    EXPECT_EQ(size.cy, tm.tmHeight);
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 12);
    EXPECT_EQ(tm.tmAveCharWidth, 6);

    INT fit = 0;
    INT dx[32] = {};
    SIZE partial{};
    ASSERT_TRUE(GetTextExtentExPoint(canvas.Dc(), kButtonText,
                                     static_cast<int>(std::strlen(kButtonText)), 30, &fit, dx,
                                     &partial));
    EXPECT_EQ(fit, 3);  // 12 + 12 + 6
    EXPECT_EQ(dx[2], 30);
    EXPECT_EQ(partial.cx, 108);
}

TEST_F(TextMeasuring, MetricsFollowTheSignOfTheHeight) {
    WhiteCanvas canvas(10, 10);
    TEXTMETRIC cell{};
    TEXTMETRIC em{};
    {
        Selected font(canvas.Dc(), "Arial", 14);
        GetTextMetrics(canvas.Dc(), &cell);
    }
    {
        Selected font(canvas.Dc(), "Arial", -14);
        GetTextMetrics(canvas.Dc(), &em);
    }
    EXPECT_EQ(cell.tmHeight, 14);
    EXPECT_EQ(em.tmHeight - em.tmInternalLeading, 14);
    EXPECT_GT(em.tmHeight, 14);
    EXPECT_GT(cell.tmInternalLeading, 0);
}

TEST_F(TextMeasuring, CharacterExtraWidensTheText) {
    WhiteCanvas canvas(10, 10);
    Selected font(canvas.Dc(), "宋体", -12);
    EXPECT_EQ(SetTextCharacterExtra(canvas.Dc(), 2), 0);
    EXPECT_EQ(Extent(canvas.Dc(), "abcd").cx, 4 * 6 + 4 * 2);
    SetTextCharacterExtra(canvas.Dc(), 0);
    INT widths[3] = {};
    ASSERT_TRUE(GetCharWidth32(canvas.Dc(), 'a', 'c', widths));
    EXPECT_EQ(widths[1], 6);
}

TEST_F(TextMeasuring, ScaledMappingRealizesTheFontInDevicePixels) {
    WhiteCanvas canvas(100, 60);
    Selected font(canvas.Dc(), "宋体", -12);
    SetMapMode(canvas.Dc(), MM_ANISOTROPIC);
    SetWindowExtEx(canvas.Dc(), 1, 1, nullptr);
    SetViewportExtEx(canvas.Dc(), 2, 2, nullptr);
    // Logical sizes stay those of the 12-pixel font ...
    EXPECT_EQ(Extent(canvas.Dc(), "图片").cx, 24);
    EXPECT_EQ(Extent(canvas.Dc(), "图片").cy, 13);
    TEXTMETRIC tm{};
    GetTextMetrics(canvas.Dc(), &tm);
    EXPECT_EQ(tm.tmHeight, 13);
    EXPECT_EQ(tm.tmAveCharWidth, 6);
    // ... while the pixels come from a 24-pixel one.
    SetBkMode(canvas.Dc(), TRANSPARENT);
    TextOut(canvas.Dc(), 0, 0, "图片", 6);
    SetMapMode(canvas.Dc(), MM_TEXT);  // read back device pixels
    const RECT ink = canvas.Ink();
    EXPECT_GT(ink.right - ink.left, 40);
    EXPECT_LE(ink.right, 48);
    EXPECT_GT(ink.bottom - ink.top, 18);
}

TEST_F(TextDrawing, TransparentModeDrawsOnlyGlyphs) {
    WhiteCanvas canvas(160, 40);
    Selected font(canvas.Dc(), "宋体", -12);
    SetBkMode(canvas.Dc(), TRANSPARENT);
    SetTextColor(canvas.Dc(), kRed);
    ASSERT_TRUE(
        TextOut(canvas.Dc(), 10, 5, kButtonText, static_cast<int>(std::strlen(kButtonText))));
    // 1-bit glyphs: every pixel is either untouched or exactly the text colour.
    const int red = canvas.Count(kRed);
    EXPECT_GT(red, 100);
    EXPECT_EQ(canvas.Count(kWhite) + red, 160 * 40);
    const RECT ink = canvas.Ink();
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.right, 10 + 108);
    EXPECT_GE(ink.top, 5);
    EXPECT_LE(ink.bottom, 5 + 13);
}

TEST_F(TextDrawing, OpaqueModeFillsTheCell) {
    WhiteCanvas canvas(160, 40);
    Selected font(canvas.Dc(), "宋体", -12);
    SetBkMode(canvas.Dc(), OPAQUE);
    SetBkColor(canvas.Dc(), kGreen);
    SetTextColor(canvas.Dc(), kRed);
    TextOut(canvas.Dc(), 10, 5, kButtonText, static_cast<int>(std::strlen(kButtonText)));
    TEXTMETRIC tm{};
    GetTextMetrics(canvas.Dc(), &tm);
    const RECT cell{10, 5, 10 + 108, 5 + tm.tmHeight};
    const int area = 108 * tm.tmHeight;
    EXPECT_EQ(canvas.Count(kGreen, cell) + canvas.Count(kRed, cell), area);
    EXPECT_GT(canvas.Count(kRed, cell), 100);
    EXPECT_EQ(canvas.Count(kWhite), 160 * 40 - area);
}

TEST_F(TextDrawing, AlignmentMovesTheCell) {
    WhiteCanvas canvas(300, 60);
    Selected font(canvas.Dc(), "宋体", -12);
    SetBkColor(canvas.Dc(), kGreen);
    TEXTMETRIC tm{};
    GetTextMetrics(canvas.Dc(), &tm);
    const int len = static_cast<int>(std::strlen(kButtonText));
    const struct {
        UINT align;
        RECT cell;
    } cases[] = {
        {TA_LEFT | TA_TOP, {150, 30, 258, 30 + tm.tmHeight}},
        {TA_RIGHT | TA_TOP, {42, 30, 150, 30 + tm.tmHeight}},
        {TA_CENTER | TA_TOP, {96, 30, 204, 30 + tm.tmHeight}},
        {TA_LEFT | TA_BOTTOM, {150, 30 - tm.tmHeight, 258, 30}},
        {TA_LEFT | TA_BASELINE, {150, 30 - tm.tmAscent, 258, 30 + tm.tmDescent}},
    };
    for (const auto& c : cases) {
        PatBlt(canvas.Dc(), 0, 0, 300, 60, WHITENESS);
        SetTextAlign(canvas.Dc(), c.align);
        TextOut(canvas.Dc(), 150, 30, kButtonText, len);
        const RECT ink = canvas.Ink();
        EXPECT_EQ(ink.left, c.cell.left) << c.align;
        EXPECT_EQ(ink.top, c.cell.top) << c.align;
        EXPECT_EQ(ink.right, c.cell.right) << c.align;
        EXPECT_EQ(ink.bottom, c.cell.bottom) << c.align;
    }
}

TEST_F(TextDrawing, UpdateCurrentPositionAdvancesThePen) {
    WhiteCanvas canvas(200, 30);
    Selected font(canvas.Dc(), "宋体", -12);
    SetTextAlign(canvas.Dc(), TA_UPDATECP);
    MoveToEx(canvas.Dc(), 5, 2, nullptr);
    TextOut(canvas.Dc(), 0, 0, "ab", 2);
    TextOut(canvas.Dc(), 0, 0, "图", 3);
    POINT pos{};
    MoveToEx(canvas.Dc(), 0, 0, &pos);
    EXPECT_EQ(pos.x, 5 + 12 + 12);
    EXPECT_EQ(pos.y, 2);
}

TEST_F(TextDrawing, ExtTextOutOpaqueRectAndClipping) {
    WhiteCanvas canvas(100, 30);
    Selected font(canvas.Dc(), "宋体", -12);
    SetBkColor(canvas.Dc(), kGreen);
    SetBkMode(canvas.Dc(), TRANSPARENT);
    const RECT box{5, 5, 25, 20};
    ASSERT_TRUE(ExtTextOut(canvas.Dc(), 0, 0, ETO_OPAQUE, &box, nullptr, 0, nullptr));
    EXPECT_EQ(canvas.Count(kGreen), 20 * 15);

    PatBlt(canvas.Dc(), 0, 0, 100, 30, WHITENESS);
    SetTextColor(canvas.Dc(), kRed);
    const RECT clip{0, 0, 30, 30};
    ExtTextOut(canvas.Dc(), 0, 0, ETO_CLIPPED, &clip, kButtonText,
               static_cast<UINT>(std::strlen(kButtonText)), nullptr);
    EXPECT_GT(canvas.Count(kRed), 20);
    EXPECT_LE(canvas.Ink().right, 30);
}

TEST_F(TextDrawing, ClippedAtTheDcClip) {
    WhiteCanvas canvas(160, 30);
    Selected font(canvas.Dc(), "宋体", -12);
    SetBkMode(canvas.Dc(), OPAQUE);
    SetBkColor(canvas.Dc(), kGreen);
    IntersectClipRect(canvas.Dc(), 20, 0, 50, 8);
    TextOut(canvas.Dc(), 10, 2, kButtonText, static_cast<int>(std::strlen(kButtonText)));
    SelectClipRgn(canvas.Dc(), nullptr);  // GetPixel answers only inside the clip
    EXPECT_EQ(canvas.Ink().left, 20);
    EXPECT_EQ(canvas.Ink().top, 2);
    EXPECT_EQ(canvas.Ink().right, 50);
    EXPECT_EQ(canvas.Ink().bottom, 8);
}

TEST_F(TextDrawing, BoldIsWiderAndDarker) {
    WhiteCanvas canvas(100, 20);
    SetBkMode(canvas.Dc(), TRANSPARENT);
    int regular = 0;
    {
        Selected font(canvas.Dc(), "宋体", -12);
        TextOut(canvas.Dc(), 0, 0, "图片", 6);
        regular = canvas.Count(RGB(0, 0, 0));
    }
    PatBlt(canvas.Dc(), 0, 0, 100, 20, WHITENESS);
    Selected bold(canvas.Dc(), "宋体", -12, FW_BOLD);
    TextOut(canvas.Dc(), 0, 0, "图片", 6);
    EXPECT_GT(canvas.Count(RGB(0, 0, 0)), regular + 10);
    EXPECT_EQ(Extent(canvas.Dc(), "图片").cx, 26);
}

// Rows inked along the whole width of "a b" (the space included), split by the baseline.
struct Bars {
    bool below = false;
    bool above = false;
};

Bars StyleBars(bool underline, bool strikeOut) {
    WhiteCanvas canvas(100, 20);
    SetBkMode(canvas.Dc(), TRANSPARENT);
    HFONT font =
        CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, underline, strikeOut, 0, 0, 0, 0, 0, "Arial");
    HGDIOBJ old = SelectObject(canvas.Dc(), font);
    TEXTMETRIC tm{};
    GetTextMetrics(canvas.Dc(), &tm);
    TextOut(canvas.Dc(), 0, 0, "a b", 3);
    const int width = Extent(canvas.Dc(), "a b").cx;
    Bars bars;
    for (int y = 0; y < tm.tmHeight; ++y) {
        if (canvas.Count(RGB(0, 0, 0), RECT{0, y, width, y + 1}) != width) continue;
        (y >= tm.tmAscent ? bars.below : bars.above) = true;
    }
    SelectObject(canvas.Dc(), old);
    DeleteObject(font);
    return bars;
}

TEST_F(TextDrawing, UnderlineAndStrikeOutDrawBarsAlongTheText) {
    const Bars plain = StyleBars(false, false);
    EXPECT_FALSE(plain.below);
    EXPECT_FALSE(plain.above);
    const Bars underlined = StyleBars(true, false);
    EXPECT_TRUE(underlined.below);
    EXPECT_FALSE(underlined.above);
    const Bars struck = StyleBars(false, true);
    EXPECT_FALSE(struck.below);
    EXPECT_TRUE(struck.above);
}

TEST_F(DrawTextCalls, CalcRectForOneLineAndForWordBreaks) {
    WhiteCanvas canvas(10, 10);
    Selected font(canvas.Dc(), "宋体", -12);
    RECT line{10, 10, 10, 10};
    EXPECT_EQ(DrawText(canvas.Dc(), kButtonText, -1, &line, DT_CALCRECT | DT_SINGLELINE), 13);
    EXPECT_EQ(line.right, 10 + 108);
    EXPECT_EQ(line.bottom, 10 + 13);

    RECT wrapped{0, 0, 50, 0};
    EXPECT_EQ(DrawText(canvas.Dc(), "打开图片文件", -1, &wrapped, DT_CALCRECT | DT_WORDBREAK), 26);
    EXPECT_EQ(wrapped.right, 48);
    EXPECT_EQ(wrapped.bottom, 26);

    // A byte count shorter than the string measures only that part.
    RECT part{0, 0, 0, 0};
    DrawText(canvas.Dc(), "打开图片", 6, &part, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(part.right, 24);
}

TEST_F(DrawTextCalls, CentredInAButton) {
    WhiteCanvas canvas(73, 22);
    Selected font(canvas.Dc(), "宋体", -12);
    SetBkColor(canvas.Dc(), kGreen);
    SetBkMode(canvas.Dc(), OPAQUE);
    RECT button{0, 0, 73, 22};
    DrawText(canvas.Dc(), "打开", -1, &button, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const RECT ink = canvas.Ink();
    EXPECT_EQ(ink.left, (73 - 24) / 2);
    EXPECT_EQ(ink.right, (73 - 24) / 2 + 24);
    EXPECT_EQ(ink.top, (22 - 13) / 2);
    EXPECT_EQ(ink.bottom, (22 - 13) / 2 + 13);
}

TEST_F(DrawTextCalls, PrefixUnderlineSitsUnderItsCharacter) {
    WhiteCanvas plain(80, 20);
    WhiteCanvas marked(80, 20);
    for (WhiteCanvas* c : {&plain, &marked}) SetBkMode(c->Dc(), TRANSPARENT);
    Selected f1(plain.Dc(), "Arial", -12);
    Selected f2(marked.Dc(), "Arial", -12);
    RECT r{0, 0, 80, 20};
    DrawText(plain.Dc(), "Close", -1, &r, DT_SINGLELINE | DT_NOPREFIX);
    DrawText(marked.Dc(), "C&lose", -1, &r, DT_SINGLELINE);
    const int cWidth = Extent(marked.Dc(), "C").cx;
    const int lWidth = Extent(marked.Dc(), "l").cx;
    TEXTMETRIC tm{};
    GetTextMetrics(marked.Dc(), &tm);
    int extra = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 80; ++x) {
            if (plain.At(x, y) == marked.At(x, y)) continue;
            ++extra;
            EXPECT_GE(x, cWidth);
            EXPECT_LT(x, cWidth + lWidth);
            EXPECT_GE(y, tm.tmAscent);
        }
    EXPECT_GE(extra, lWidth);

    // "&&" draws one "&" and no underline.
    WhiteCanvas amp(80, 20);
    WhiteCanvas literal(80, 20);
    for (WhiteCanvas* c : {&amp, &literal}) SetBkMode(c->Dc(), TRANSPARENT);
    Selected f3(amp.Dc(), "Arial", -12);
    Selected f4(literal.Dc(), "Arial", -12);
    DrawText(amp.Dc(), "A&&B", -1, &r, DT_SINGLELINE);
    DrawText(literal.Dc(), "A&B", -1, &r, DT_SINGLELINE | DT_NOPREFIX);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 80; ++x) ASSERT_EQ(amp.At(x, y), literal.At(x, y)) << x << "," << y;
}

TEST_F(DrawTextCalls, PrefixOnlyDrawsJustTheUnderline) {
    WhiteCanvas canvas(80, 20);
    Selected font(canvas.Dc(), "Arial", -12);
    SetBkMode(canvas.Dc(), OPAQUE);
    SetBkColor(canvas.Dc(), kGreen);
    RECT r{0, 0, 80, 20};
    DrawText(canvas.Dc(), "C&lose", -1, &r, DT_SINGLELINE | DT_PREFIXONLY);
    const RECT ink = canvas.Ink();
    EXPECT_EQ(canvas.Count(kGreen), 0);
    EXPECT_EQ(ink.left, Extent(canvas.Dc(), "C").cx);
    EXPECT_EQ(ink.right, Extent(canvas.Dc(), "Cl").cx);
    EXPECT_LE(ink.bottom - ink.top, 2);
}

TEST_F(DrawTextCalls, EllipsisKeepsTheTextInsideTheBox) {
    WhiteCanvas canvas(200, 20);
    Selected font(canvas.Dc(), "宋体", -12);
    SetBkMode(canvas.Dc(), TRANSPARENT);
    const char* longText = "C:\\图片\\很长的文件夹名字\\photo.bmp";
    RECT box{0, 0, 80, 20};
    DrawText(canvas.Dc(), longText, -1, &box, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(canvas.Ink().right, 80);
    for (UINT flag : {DT_END_ELLIPSIS, DT_PATH_ELLIPSIS}) {
        PatBlt(canvas.Dc(), 0, 0, 200, 20, WHITENESS);
        DrawText(canvas.Dc(), longText, -1, &box, DT_SINGLELINE | DT_NOCLIP | flag);
        EXPECT_LE(canvas.Ink().right, 80) << flag;
        EXPECT_GT(canvas.Ink().right, 40) << flag;
        RECT calc = box;
        DrawText(canvas.Dc(), longText, -1, &calc, DT_SINGLELINE | DT_CALCRECT | flag);
        EXPECT_LE(calc.right, 80) << flag;
    }
}

TEST_F(DrawTextCalls, ClipsToTheRectangleUnlessNoClip) {
    WhiteCanvas canvas(200, 40);
    Selected font(canvas.Dc(), "宋体", -12);
    SetBkMode(canvas.Dc(), TRANSPARENT);
    RECT box{0, 0, 30, 8};
    DrawText(canvas.Dc(), kButtonText, -1, &box, DT_SINGLELINE);
    EXPECT_LE(canvas.Ink().right, 30);
    EXPECT_LE(canvas.Ink().bottom, 8);
    PatBlt(canvas.Dc(), 0, 0, 200, 40, WHITENESS);
    DrawText(canvas.Dc(), kButtonText, -1, &box, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(canvas.Ink().right, 30);
}

TEST_F(DrawTextCalls, SecondDrawingRendersNoGlyph) {
    WhiteCanvas canvas(200, 40);
    Selected font(canvas.Dc(), "宋体", -14);
    RECT box{0, 0, 200, 40};
    DrawText(canvas.Dc(), "导出预览 64*64", -1, &box, DT_LEFT);
    const uint64_t before = text::RenderedGlyphCount();
    DrawText(canvas.Dc(), "导出预览 64*64", -1, &box, DT_LEFT);
    TextOut(canvas.Dc(), 0, 0, "预览", 6);
    EXPECT_EQ(text::RenderedGlyphCount(), before);
}

TEST_F(DrawTextCalls, ExtremeCoordinatesAreHarmless) {
    WhiteCanvas canvas(40, 20);
    Selected font(canvas.Dc(), "宋体", -12);
    RECT whole{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
    EXPECT_GT(DrawText(canvas.Dc(), "中心", -1, &whole, DT_CENTER | DT_VCENTER | DT_SINGLELINE), 0);
    EXPECT_GT(canvas.Ink().right, 0);  // centred on the middle of the range: around (0, 0)
    PatBlt(canvas.Dc(), 0, 0, 40, 20, WHITENESS);
    EXPECT_TRUE(TextOut(canvas.Dc(), INT32_MAX, INT32_MIN, "far", 3));
    SetTextAlign(canvas.Dc(), TA_RIGHT | TA_BOTTOM);
    EXPECT_TRUE(TextOut(canvas.Dc(), INT32_MIN, INT32_MAX, "far", 3));
    EXPECT_EQ(canvas.Ink().right, 0);  // nothing landed on the canvas
    HFONT huge = CreateFont(INT32_MIN, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    HGDIOBJ old = SelectObject(canvas.Dc(), huge);
    TEXTMETRIC tm{};
    EXPECT_TRUE(GetTextMetrics(canvas.Dc(), &tm));
    EXPECT_GT(tm.tmHeight, 0);
    SelectObject(canvas.Dc(), old);
    DeleteObject(huge);
}

TEST_F(DrawTextCalls, ThreadsDrawingTheirOwnBitmapsGetTheSamePixels) {
    // Fonts and glyph caches are shared between threads; each thread's picture must still be
    // exactly what one thread alone draws.
    auto draw = [](int size, std::vector<COLORREF>& pixels) {
        WhiteCanvas canvas(120, 40);
        Selected font(canvas.Dc(), size % 2 ? "Arial" : "宋体", -size);
        RECT box{0, 0, 120, 40};
        for (int i = 0; i < 20; ++i)
            DrawText(canvas.Dc(), "并发 threads 绘制文字 &Text", -1, &box,
                     DT_WORDBREAK | DT_CENTER);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 120; ++x) pixels.push_back(canvas.At(x, y));
    };
    std::vector<std::vector<COLORREF>> alone(4), together(4);
    for (int i = 0; i < 4; ++i) draw(17 + i, alone[static_cast<size_t>(i)]);
    std::vector<std::thread> threads;
    threads.reserve(4);
    for (int i = 0; i < 4; ++i)
        threads.emplace_back(draw, 17 + i, std::ref(together[static_cast<size_t>(i)]));
    for (std::thread& t : threads) t.join();
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(together[i], alone[i]) << i;
}

TEST_F(DrawTextCalls, BadArgumentsAreRefused) {
    WhiteCanvas canvas(10, 10);
    RECT r{0, 0, 10, 10};
    EXPECT_EQ(DrawText(nullptr, "a", -1, &r, 0), 0);
    EXPECT_EQ(DrawText(canvas.Dc(), "a", -1, nullptr, 0), 0);
    EXPECT_FALSE(TextOut(nullptr, 0, 0, "a", 1));
    EXPECT_FALSE(TextOut(canvas.Dc(), 0, 0, "a", -1));
    SIZE size{};
    EXPECT_FALSE(GetTextExtentPoint32(canvas.Dc(), "a", 1, nullptr));
    EXPECT_TRUE(GetTextExtentPoint32(canvas.Dc(), "", 0, &size));
    EXPECT_EQ(size.cx, 0);
    // Malformed UTF-8 draws replacement characters instead of reading past the end.
    const char broken[] = {'a', static_cast<char>(0xE5), static_cast<char>(0xAF)};
    EXPECT_TRUE(TextOut(canvas.Dc(), 0, 0, broken, 3));
    // A font that was deleted leaves the DC drawing with the system font.
    HFONT font = CreateFont(-12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    HGDIOBJ old = SelectObject(canvas.Dc(), font);
    SelectObject(canvas.Dc(), old);
    DeleteObject(font);
    EXPECT_TRUE(GetTextExtentPoint32(canvas.Dc(), "ab", 2, &size));
    EXPECT_GT(size.cx, 0);
}

}  // namespace
}  // namespace platform
