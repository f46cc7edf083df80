// The skinned popup menu over the feature test skin: rows that run through the skin's frame
// strip, images from an image list and items' own bitmaps in the glyph column, items that
// measure and draw themselves, and the form's default menu font.
#include <vector>

#include "feature_skin.h"
#include "platform/gdi/gdi.h"
#include "platform/user/user.h"
#include "skin/skin_menu.h"
#include "skin/skin_popup_menu.h"
#include "skin/skin_popup_window.h"
#include "ui/image_list.h"
#include "ui/panels.h"

namespace skin_test::features {
namespace {

using namespace platform;
using skin::TbsSkinPopupWindow;

class FeatureMenuTest : public FeatureSkinTest {
  protected:
    void SetUp() override {
        FeatureSkinTest::SetUp();
        LoadAndShow();
        panel_ = ui::Make<ui::TPanel>(form_);
        panel_->SetParent(form_);
        panel_->SetAlign(ui::TAlign::alClient);
        menu_ = ui::Make<skin::TbsSkinPopupMenu>(form_);
        panel_->SetPopupMenu(menu_);
        Pump();
    }
    ui::TMenuItem* AddItem(const char* caption) {
        auto* item = ui::Make<ui::TMenuItem>(form_);
        item->SetCaption(caption);
        menu_->Items().Add(item);
        return item;
    }
    TbsSkinPopupWindow* Open() {
        const graphics::TPoint p = panel_->ClientToScreen({20, 20});
        host_->Click(p.x, p.y, kHostRightButton);
        Pump();
        return frame_->SkinMenu().PopupAt(0);
    }
    // The screen pixel at (dx, dy) of a row of the open popup.
    uint32_t RowPixel(TbsSkinPopupWindow& popup, int row, int dx, int dy) {
        const graphics::TRect r = popup.ItemScreenRect(row);
        return host_->PixelAt(dx >= 0 ? r.left + dx : r.right + dx, r.top + dy);
    }
    // One tick of the popup's animation timer, by hand.
    void Tick(TbsSkinPopupWindow& popup) {
        SendMessage(popup.Handle(), WM_TIMER, TbsSkinPopupWindow::kAnimationTimer, 0);
        Pump();
    }

    ui::TPanel* panel_ = nullptr;
    skin::TbsSkinPopupMenu* menu_ = nullptr;
};

TEST_F(FeatureMenuTest, RowsRunThroughTheFrameStripBetweenNormalAndActive) {
    AddItem("One");
    AddItem("Two");
    TbsSkinPopupWindow* popup = Open();
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(popup->Look().Framed());
    EXPECT_EQ(popup->Look().FrameCount(), 3);
    // The popup frame and its mask: 2 pixels of border, the corners cut.
    EXPECT_EQ(host_->PixelAt(popup->BoundsRect().left + 1, popup->BoundsRect().top + 5),
              kPopupBorder);
    EXPECT_EQ(host_->PixelAt(popup->BoundsRect().left, popup->BoundsRect().top),
              host_->PixelAt(popup->BoundsRect().left - 1, popup->BoundsRect().top));
    // Opened with the first row active: its active image at once.
    EXPECT_EQ(RowPixel(*popup, 0, -2, 7), kRowActive);
    EXPECT_EQ(RowPixel(*popup, 1, -2, 7), kRow);
    // The mouse on the second row: one frame a tick, forward there and back on the first.
    const graphics::TRect second = popup->ItemScreenRect(1);
    host_->MouseMove(second.left + 30, second.top + 7);
    Pump();
    ASSERT_EQ(popup->ActiveItem(), 1);
    ASSERT_TRUE(popup->AnimationRunning());
    // From here on only the ticks by hand move the rows.
    KillTimer(popup->Handle(), TbsSkinPopupWindow::kAnimationTimer);
    const int start = popup->Item(1).AnimationFrame;
    ASSERT_LT(start, 2);
    Tick(*popup);
    EXPECT_EQ(RowPixel(*popup, 1, -2, 7), kRowFrames[start]);
    EXPECT_EQ(RowPixel(*popup, 0, -2, 7), kRowFrames[3 - 1 - start]);
    Tick(*popup);
    EXPECT_EQ(RowPixel(*popup, 1, -2, 7), kRowFrames[start + 1]);
    for (int i = 0; i < 5 && popup->AnimationRunning(); ++i) Tick(*popup);
    EXPECT_FALSE(popup->AnimationRunning());
    EXPECT_EQ(RowPixel(*popup, 1, -2, 7), kRowActive);
    EXPECT_EQ(RowPixel(*popup, 0, -2, 7), kRow);
    EXPECT_EQ(popup->Item(1).AnimationFrame, 4);
    EXPECT_EQ(popup->Item(0).AnimationFrame, 0);
}

TEST_F(FeatureMenuTest, ItemImagesAndBitmapsStandInTheGlyphColumn) {
    auto* images = ui::Make<ui::TCustomImageList>(form_);
    images->SetWidth(8);
    images->SetHeight(8);
    graphics::TBitmap strip;
    strip.LoadFile(SkinFolder() + "/images.bmp");
    ASSERT_EQ(images->AddMasked(strip, Gdi(kStripMask)), 0);
    ui::TMenuItem* first = AddItem("Green");
    ui::TMenuItem* second = AddItem("Blue");
    ui::TMenuItem* third = AddItem("Off");
    ui::TMenuItem* fourth = AddItem("Own");
    first->SetImageIndex(0);
    second->SetImageIndex(1);
    third->SetImageIndex(2);
    third->SetEnabled(false);
    // An item's own 6 x 6 bitmap: a red square on magenta, the corner colour transparent.
    graphics::TBitmap& own = fourth->Bitmap();
    own.SetWidth(6);
    own.SetHeight(6);
    own.Canvas().Brush().SetColor(Gdi(kStripMask));
    own.Canvas().FillRect(graphics::Rect(0, 0, 6, 6));
    own.Canvas().Brush().SetColor(Gdi(0xFF0000));
    own.Canvas().FillRect(graphics::Rect(1, 1, 5, 5));

    TbsSkinPopupWindow* plain = Open();
    ASSERT_NE(plain, nullptr);
    const int widthWithout = plain->BoundsRect().Width();
    EXPECT_EQ(plain->Look().GlyphWidth(), 19);
    frame_->CloseSkinMenu();
    Pump();

    menu_->SetImages(images);
    TbsSkinPopupWindow* popup = Open();
    ASSERT_NE(popup, nullptr);
    // The glyph column follows the images: 8 + 5 instead of 19.
    EXPECT_EQ(popup->Look().GlyphWidth(), 13);
    EXPECT_EQ(popup->BoundsRect().Width(), widthWithout - 6);
    // The glyph place runs from the row's left to the text, 4 + 13 pixels: an 8 x 8 image
    // centred in it stands at 4, 3.
    EXPECT_EQ(RowPixel(*popup, 1, 4 + 4, 3 + 4), kStrip[1]);
    // The disabled item's image in its engraved look.
    const uint32_t shadow = graphics::ColorToRGB(graphics::clBtnShadow);
    EXPECT_EQ(RowPixel(*popup, 2, 4 + 4, 3 + 4),
              ((shadow & 0xFF) << 16) | (shadow & 0xFF00) | ((shadow >> 16) & 0xFF));
    EXPECT_NE(RowPixel(*popup, 2, 4 + 4, 3 + 4), kStrip[2]);
    // Row 0 is active: its image over the active row image, the mask colour left out.
    EXPECT_EQ(RowPixel(*popup, 0, 4 + 4, 3 + 4), kStrip[0]);
    EXPECT_EQ(RowPixel(*popup, 0, 4, 3), kRowActive);
    // The item's own bitmap, centred: 6 x 6 at 5, 4.
    EXPECT_EQ(RowPixel(*popup, 3, 5 + 3, 4 + 3), 0xFF0000u);
    EXPECT_EQ(RowPixel(*popup, 3, 5, 4), kRow);
}

TEST_F(FeatureMenuTest, AnItemThatDrawsItselfGetsItsOwnSizeAndRow) {
    AddItem("One");
    ui::TMenuItem* own = AddItem("Own");
    AddItem("Three");
    std::vector<bool> drawnSelected;
    own->OnMeasureItem = [](ui::TComponent*, graphics::TCanvas&, int& width, int& height) {
        EXPECT_GT(width, 0);
        EXPECT_EQ(height, 14);  // the skin's row height, as the menu would make it
        width = 150;
        height = 30;
    };
    own->OnDrawItem = [&](ui::TComponent*, graphics::TCanvas& canvas, const graphics::TRect& rect,
                          bool selected) {
        drawnSelected.push_back(selected);
        canvas.Brush().SetColor(Gdi(selected ? 0x00FF80 : 0x804000));
        canvas.FillRect(rect);
    };
    TbsSkinPopupWindow* popup = Open();
    ASSERT_NE(popup, nullptr);
    // Two skin rows of 14, the owner's 30, and the 4 pixels of popup frame.
    EXPECT_EQ(popup->BoundsRect().Height(), 14 + 30 + 14 + 4);
    EXPECT_GE(popup->BoundsRect().Width(), 150 + 19 + 19);
    EXPECT_EQ(popup->ItemScreenRect(1).Height(), 30);
    EXPECT_EQ(RowPixel(*popup, 1, 10, 15), 0x804000u);
    EXPECT_EQ(RowPixel(*popup, 1, -1, 29), 0x804000u);
    ASSERT_FALSE(drawnSelected.empty());
    EXPECT_FALSE(drawnSelected.back());
    const graphics::TRect r = popup->ItemScreenRect(1);
    host_->MouseMove(r.left + 20, r.top + 15);
    Pump();
    ASSERT_TRUE(WaitFor([&] { return !popup->AnimationRunning(); }));
    EXPECT_TRUE(drawnSelected.back());
    EXPECT_EQ(RowPixel(*popup, 1, 10, 15), 0x00FF80u);
}

TEST_F(FeatureMenuTest, TheDefaultMenuFontsStyleAndCharsetReachTheMenu) {
    frame_->SetUseSkinFontInMenu(false);
    AddItem("Wide wide caption");
    frame_->DefMenuItemFont().SetStyle(0);
    TbsSkinPopupWindow* regular = Open();
    ASSERT_NE(regular, nullptr);
    const int regularWidth = regular->BoundsRect().Width();
    frame_->CloseSkinMenu();
    Pump();
    frame_->DefMenuItemFont().SetStyle(graphics::fsBold);
    frame_->DefMenuItemFont().SetCharset(ANSI_CHARSET);
    TbsSkinPopupWindow* bold = Open();
    ASSERT_NE(bold, nullptr);
    EXPECT_GT(bold->BoundsRect().Width(), regularWidth);
    EXPECT_EQ(frame_->SkinMenu().DefaultItemFontStyle(), graphics::fsBold);
    EXPECT_EQ(frame_->SkinMenu().DefaultItemFontCharset(), ANSI_CHARSET);
}

}  // namespace
}  // namespace skin_test::features
