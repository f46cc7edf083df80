#include <gtest/gtest.h>

#include <algorithm>

#include "skin_fixture.h"
#include "skinctrls/skin_std_label.h"

namespace skinctrls {
namespace {

using graphics::TBitmap;
using graphics::TRect;
using testing::Pixel;

class SkinStdLabelTest : public testing::SkinCtrlTest {
  protected:
    TbsSkinStdLabel* Label(const std::string& caption) {
        auto* label = ui::Make<TbsSkinStdLabel>(form_);
        label->SetParent(form_);
        label->SetBounds(10, 10, 28, 13);
        label->SetCaption(caption);
        return label;
    }
    // The box of the pixels of (nearly, for smoothed glyph edges) one colour.
    static bool Near(uint32_t a, uint32_t b) {
        for (int shift = 0; shift < 24; shift += 8)
            if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 24) return false;
        return true;
    }
    static TRect BoxOf(TBitmap& image, uint32_t colour) {
        TRect box = graphics::Rect(image.Width(), image.Height(), -1, -1);
        for (int y = 0; y < image.Height(); ++y)
            for (int x = 0; x < image.Width(); ++x)
                if (Near(Pixel(image, x, y), colour)) {
                    box.left = std::min(box.left, x);
                    box.top = std::min(box.top, y);
                    box.right = std::max(box.right, x + 1);
                    box.bottom = std::max(box.bottom, y + 1);
                }
        return box;
    }
};

TEST_F(SkinStdLabelTest, BoundItReadsInTheSkinFontAndSizesToIt) {
    testing::LoadedSkin skin;
    skin.LoadEmbedded(form_);
    TbsSkinStdLabel* label = Label("64*64");
    label->Font().SetColor(0x0000FF);
    label->SetSkinData(skin.data);
    EXPECT_NE(label->SkinIndex(), -1);
    graphics::TFont font;
    label->PrepareFont(font);
    EXPECT_EQ(font.Name(), "Arial");
    EXPECT_EQ(font.Height(), 14);
    EXPECT_EQ(font.Color(), 0);
    platform::SIZE size = label->MeasureText();
    EXPECT_EQ(label->Width(), size.cx);
    EXPECT_EQ(label->Height(), size.cy);
    EXPECT_GT(size.cx, 20);
    // Without the skin colour the label's own font colour shows.
    label->SetUseSkinColor(false);
    label->PrepareFont(font);
    EXPECT_EQ(font.Color(), 0x0000FF);
    EXPECT_EQ(font.Name(), "Arial");
}

TEST_F(SkinStdLabelTest, WithoutItsSkinObjectItUsesTheDefaultFontOrItsOwn) {
    TbsSkinStdLabel* label = Label("abc");
    label->Font().SetName("DejaVu Sans");
    graphics::TFont font;
    label->PrepareFont(font);
    EXPECT_EQ(font.Name(), "MS Sans Serif");
    EXPECT_EQ(font.Height(), -11);
    label->SetUseSkinFont(false);
    label->PrepareFont(font);
    EXPECT_EQ(font.Name(), "DejaVu Sans");
}

TEST_F(SkinStdLabelTest, EmptyTextOrALoneAmpersandMeasuresAsASpace) {
    TbsSkinStdLabel* label = Label("");
    platform::SIZE space = label->MeasureText();
    EXPECT_GT(space.cx, 0);
    EXPECT_GT(space.cy, 0);
    label->SetCaption("&");
    EXPECT_EQ(label->MeasureText().cx, space.cx);
    label->SetShowAccelChar(false);
    EXPECT_NE(label->MeasureText().cx, space.cx);
}

TEST_F(SkinStdLabelTest, ADisabledLabelIsEmbossed) {
    testing::LoadedSkin skin;
    skin.LoadEmbedded(form_);
    TbsSkinStdLabel* label = Label("HHH");
    label->SetSkinData(skin.data);
    label->SetEnabled(false);
    TBitmap image;
    label->PaintTo(image, 0x00FF00);
    // The skin's highlight (white) sits one pixel down and right of its shadow (0xDBBFAA).
    TRect light = BoxOf(image, 0xFFFFFF);
    TRect shadow = BoxOf(image, graphics::ColorToRGB(0xDBBFAA));
    ASSERT_FALSE(light.IsEmpty());
    ASSERT_FALSE(shadow.IsEmpty());
    EXPECT_EQ(light.bottom, shadow.bottom + 1);
    EXPECT_GT(light.left, shadow.left);
    label->SetEnabled(true);
    label->PaintTo(image, 0x00FF00);
    EXPECT_TRUE(BoxOf(image, 0xFFFFFF).IsEmpty());
    EXPECT_FALSE(BoxOf(image, 0).IsEmpty());  // skin colour 0
}

}  // namespace
}  // namespace skinctrls
