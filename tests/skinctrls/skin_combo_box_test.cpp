#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin_fixture.h"
#include "skinctrls/skin_combo_box.h"

namespace skinctrls {
namespace {

using graphics::TBitmap;
using testing::Pixel;

// 0xRRGGBB of a COLORREF-layout pixel.
uint32_t Rgb(uint32_t c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

std::vector<std::string> Numbered(int count) {
    std::vector<std::string> items;
    items.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) items.push_back("Item " + std::to_string(i));
    return items;
}

// The program's skin: "combobox" is 65 × 21 at (210,206) with its hot image at (277,206), button
// at (48,2,63,19), text-area images 45 × 17 at (210,229), (257,229) and (304,229); the list's
// rows are 20 high inside a 2-pixel frame.
class SkinComboBoxTest : public testing::SkinCtrlTest {
  protected:
    void SetUp() override {
        SkinCtrlTest::SetUp();
        skin_.LoadEmbedded(form_);
        picture_.CopyFrom(&skin_.data->ActivePicture(4)->Bitmap());
    }
    TbsSkinComboBox* Combo(int items, int top = 10) {
        auto* c = Add<TbsSkinComboBox>(10, top, 120, 20);
        c->SetSkinData(skin_.data);
        c->SetItems(Numbered(items));
        c->OnClick = [this](ui::TComponent*) { ++clicks_; };
        c->OnCloseUp = [this](ui::TComponent*) { ++closeUps_; };
        return c;
    }
    void Key(TbsSkinComboBox& c, uint16_t key, bool alt = false) {
        uint16_t k = key;
        c.DoKeyDown(k, alt ? ui::ssAlt : 0);
    }
    uint32_t SkinPixel(int x, int y) { return Pixel(picture_, x, y); }
    testing::LoadedSkin skin_;
    TBitmap picture_;
    int clicks_ = 0;
    int closeUps_ = 0;
};

TEST_F(SkinComboBoxTest, GeometryFollowsTheWidth) {
    TbsSkinComboBox* c = Combo(3);
    EXPECT_EQ(c->Height(), 21);
    EXPECT_EQ(c->ButtonRect(), graphics::Rect(103, 2, 118, 19));
    EXPECT_EQ(c->TextAreaRect(), graphics::Rect(2, 2, 102, 19));
    EXPECT_EQ(c->ItemIndex(), -1);
    EXPECT_EQ(c->DropDownCount(), 8);
}

TEST_F(SkinComboBoxTest, PaintsNormalHotAndFocusedImages) {
    TbsSkinComboBox* c = Combo(3);
    // The states can be told apart.
    ASSERT_NE(SkinPixel(210, 206), SkinPixel(277, 206));
    ASSERT_NE(SkinPixel(210, 229), SkinPixel(257, 229));
    ASSERT_NE(SkinPixel(257, 229), SkinPixel(304, 229));
    ASSERT_NE(SkinPixel(261, 3), SkinPixel(261, 47));
    TBitmap image;
    c->PaintTo(image);
    EXPECT_EQ(Pixel(image, 0, 0), SkinPixel(210, 206));
    EXPECT_EQ(Pixel(image, 119, 20), SkinPixel(274, 226));
    EXPECT_EQ(Pixel(image, 2, 2), SkinPixel(210, 229));     // text area, normal
    EXPECT_EQ(Pixel(image, 110, 10), SkinPixel(265, 214));  // the base image's button
    c->Perform(ui::CM_MOUSEENTER, 0, 0);
    c->PaintTo(image);
    EXPECT_EQ(Pixel(image, 0, 0), SkinPixel(277, 206));
    EXPECT_EQ(Pixel(image, 2, 2), SkinPixel(257, 229));  // text area, hot
    // The pointer over the button shows the hot button image.
    c->Perform(platform::WM_MOUSEMOVE, 0, platform::MAKELPARAM(105, 5));
    EXPECT_TRUE(c->MouseInButton());
    c->PaintTo(image);
    EXPECT_EQ(Pixel(image, 103, 2), SkinPixel(344, 208));
    c->SetFocus();
    c->PaintTo(image);
    EXPECT_EQ(Pixel(image, 2, 2), SkinPixel(304, 229));  // text area, focused
}

TEST_F(SkinComboBoxTest, SelectedTextIsDrawnInTheTextArea) {
    TbsSkinComboBox* c = Combo(3);
    TBitmap empty;
    c->PaintTo(empty);
    c->SetItemIndex(1);
    EXPECT_EQ(c->Caption(), "Item 1");
    EXPECT_EQ(clicks_, 1);
    TBitmap shown;
    c->PaintTo(shown);
    int changed = 0;
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 120; ++x) changed += Pixel(shown, x, y) != Pixel(empty, x, y);
    EXPECT_GT(changed, 10);
    // An index beyond the list changes nothing.
    c->SetItemIndex(7);
    EXPECT_EQ(c->ItemIndex(), 1);
    EXPECT_EQ(c->Caption(), "Item 1");
    EXPECT_EQ(clicks_, 1);
}

TEST_F(SkinComboBoxTest, ListShowsAsManyRowsAsItemsBelowTheBox) {
    TbsSkinComboBox* c = Combo(3);
    int dropDowns = 0;
    c->OnDropDown = [&](ui::TComponent*) { ++dropDowns; };
    c->SetItemIndex(1);
    c->DropDown();
    ASSERT_TRUE(c->ListOpen());
    EXPECT_EQ(dropDowns, 1);
    TbsSkinPopupListBox& list = c->ListBox();
    EXPECT_EQ(list.Height(), 3 * 20 + 4);
    EXPECT_EQ(list.Width(), 120);
    const TPoint below = c->ClientToScreen({0, c->Height()});
    EXPECT_EQ(list.Left(), below.x);
    EXPECT_EQ(list.Top(), below.y);
    EXPECT_EQ(list.ItemIndex(), 1);
    Pump();
    // On the screen: row 0 in the normal row image, the selected row 1 in the focused one.
    EXPECT_EQ(host_->PixelAt(below.x + 2, below.y + 2), Rgb(SkinPixel(261, 3)));
    EXPECT_EQ(host_->PixelAt(below.x + 2, below.y + 22), Rgb(SkinPixel(261, 47)));
    c->CloseUp(false);
    EXPECT_FALSE(list.ListVisible());
    EXPECT_EQ(closeUps_, 0);
}

TEST_F(SkinComboBoxTest, ListOpensAboveNearTheBottomOfTheWorkArea) {
    form_->SetBounds(20, 600, 300, 160);
    TbsSkinComboBox* c = Combo(10, 100);
    c->SetDropDownCount(5);
    c->DropDown();
    TbsSkinPopupListBox& list = c->ListBox();
    EXPECT_EQ(list.Height(), 5 * 20 + 4);
    EXPECT_EQ(list.Top() + list.Height(), c->ClientToScreen({0, 0}).y);
    c->SetListBoxWidth(200);
    c->CloseUp(false);
    c->DropDown();
    EXPECT_EQ(c->ListBox().Width(), 200);
}

TEST_F(SkinComboBoxTest, EmptyComboDoesNotOpen) {
    TbsSkinComboBox* c = Combo(0);
    int dropDowns = 0;
    c->OnDropDown = [&](ui::TComponent*) { ++dropDowns; };
    c->DropDown();
    Key(*c, platform::VK_DOWN, true);
    EXPECT_FALSE(c->ListOpen());
    EXPECT_EQ(dropDowns, 0);
}

TEST_F(SkinComboBoxTest, PageKeysMoveByTheDropDownCount) {
    TbsSkinComboBox* c = Combo(20);
    int changes = 0;
    c->OnChange = [&](ui::TComponent*) { ++changes; };
    c->SetItemIndex(0);
    clicks_ = 0;
    changes = 0;
    Key(*c, platform::VK_NEXT);
    EXPECT_EQ(c->ItemIndex(), 7);
    EXPECT_EQ(clicks_, 1);
    EXPECT_EQ(changes, 1);
    c->SetItemIndex(15);
    Key(*c, platform::VK_PRIOR);
    EXPECT_EQ(c->ItemIndex(), 6);
    Key(*c, platform::VK_PRIOR);
    EXPECT_EQ(c->ItemIndex(), 0);
    clicks_ = 0;
    Key(*c, platform::VK_UP);  // none before the first
    EXPECT_EQ(c->ItemIndex(), 0);
    EXPECT_EQ(clicks_, 0);
    Key(*c, platform::VK_RIGHT);
    EXPECT_EQ(c->ItemIndex(), 1);
    c->SetItemIndex(19);
    clicks_ = 0;
    Key(*c, platform::VK_DOWN);  // none after the last
    Key(*c, platform::VK_NEXT);
    EXPECT_EQ(c->ItemIndex(), 19);
    EXPECT_EQ(clicks_, 0);
}

TEST_F(SkinComboBoxTest, KeysOpenAcceptAndCancel) {
    TbsSkinComboBox* c = Combo(5);
    c->SetItemIndex(2);
    clicks_ = 0;
    Key(*c, platform::VK_DOWN, true);  // Alt+Down
    ASSERT_TRUE(c->ListOpen());
    Key(*c, platform::VK_UP, true);  // Alt+Up closes without accepting
    EXPECT_FALSE(c->ListOpen());
    // An error shown by the message loop cancels the open list the same way.
    c->DropDown();
    c->Perform(platform::WM_CANCELMODE, 0, 0);
    EXPECT_FALSE(c->ListOpen());
    EXPECT_FALSE(c->ListBox().ListVisible());
    EXPECT_EQ(closeUps_, 0);
    EXPECT_EQ(clicks_, 0);
    // Enter takes the list's selection.
    c->DropDown();
    c->ListBox().SetItemIndex(4);
    Key(*c, platform::VK_RETURN);
    EXPECT_FALSE(c->ListOpen());
    EXPECT_EQ(c->ItemIndex(), 4);
    EXPECT_EQ(c->Caption(), "Item 4");
    EXPECT_EQ(clicks_, 1);
    EXPECT_EQ(closeUps_, 1);
}

TEST_F(SkinComboBoxTest, EscapeRestoresTheItemSelectedBeforeOpening) {
    TbsSkinComboBox* c = Combo(5);
    c->SetItemIndex(1);
    clicks_ = 0;
    c->DropDown();
    // Moving over a row selects it in the list only.
    const TPoint row3 =
        c->ScreenToClient({c->ListBox().Left() + 10, c->ListBox().Top() + 2 + 3 * 20 + 5});
    c->Perform(platform::WM_MOUSEMOVE, 0, platform::MAKELPARAM(row3.x, row3.y));
    EXPECT_EQ(c->ListBox().ItemIndex(), 3);
    EXPECT_EQ(c->ItemIndex(), 1);
    Key(*c, platform::VK_ESCAPE);
    EXPECT_FALSE(c->ListOpen());
    EXPECT_EQ(c->ItemIndex(), 1);
    EXPECT_EQ(c->ListBox().ItemIndex(), 1);
    EXPECT_EQ(clicks_, 0);
    EXPECT_EQ(closeUps_, 0);
    // Keys move the box's item at once; going back on Escape is told to the listeners too.
    c->DropDown();
    Key(*c, platform::VK_DOWN);
    EXPECT_EQ(c->ItemIndex(), 2);
    EXPECT_EQ(clicks_, 1);
    Key(*c, platform::VK_ESCAPE);
    EXPECT_EQ(c->ItemIndex(), 1);
    EXPECT_EQ(c->Caption(), "Item 1");
    EXPECT_EQ(clicks_, 2);
}

TEST_F(SkinComboBoxTest, MouseOpensChoosesAndClosesTheList) {
    TbsSkinComboBox* c = Combo(5);
    c->SetItemIndex(0);
    clicks_ = 0;
    const TPoint button = c->ClientToScreen({110, 10});
    host_->MouseDown(button.x, button.y);
    Pump();
    ASSERT_TRUE(c->ListOpen());
    EXPECT_TRUE(c->ButtonPressed());
    // The release of the opening press on the box keeps the list open.
    host_->MouseUp(button.x, button.y);
    Pump();
    ASSERT_TRUE(c->ListOpen());
    TbsSkinPopupListBox& list = c->ListBox();
    const int rowX = list.Left() + 20;
    const int row2Y = list.Top() + 2 + 2 * 20 + 10;
    host_->MouseMove(rowX, row2Y);
    Pump();
    EXPECT_EQ(list.ItemIndex(), 2);
    host_->MouseDown(rowX, row2Y);
    host_->MouseUp(rowX, row2Y);
    Pump();
    EXPECT_FALSE(c->ListOpen());
    EXPECT_EQ(c->ItemIndex(), 2);
    EXPECT_EQ(clicks_, 1);
    EXPECT_EQ(closeUps_, 1);
    // A press elsewhere closes without accepting.
    host_->MouseDown(button.x, button.y);
    host_->MouseUp(button.x, button.y);
    Pump();
    ASSERT_TRUE(c->ListOpen());
    host_->MouseMove(list.Left() + 20, list.Top() + 5);
    host_->MouseDown(400, 250);
    host_->MouseUp(400, 250);
    Pump();
    EXPECT_FALSE(c->ListOpen());
    EXPECT_EQ(c->ItemIndex(), 2);
    EXPECT_EQ(closeUps_, 1);
}

TEST_F(SkinComboBoxTest, LongListScrollsToTheSelectionAndWithTheWheel) {
    TbsSkinComboBox* c = Combo(30);
    c->SetItemIndex(20);
    c->DropDown();
    TbsSkinPopupListBox& list = c->ListBox();
    EXPECT_EQ(list.Height(), 8 * 20 + 4);
    EXPECT_EQ(list.TopIndex(), 13);  // row 20 is the last one shown
    c->Perform(platform::WM_MOUSEWHEEL, platform::WPARAM(120) << 16, 0);
    EXPECT_EQ(list.TopIndex(), 10);
    for (int i = 0; i < 10; ++i)
        c->Perform(platform::WM_MOUSEWHEEL, platform::WPARAM(uint16_t(-120)) << 16, 0);
    EXPECT_EQ(list.TopIndex(), 22);  // no further than the last page
    // A row under the pointer counts from the scrolled top.
    EXPECT_EQ(list.ItemAtPos({10, 2 + 20 + 5}), 23);
    Key(*c, platform::VK_PRIOR);
    EXPECT_EQ(list.ItemIndex(), 11);
    EXPECT_EQ(list.TopIndex(), 11);
}

TEST_F(SkinComboBoxTest, DrawItemHandlersReplaceTheText) {
    TbsSkinComboBox* c = Combo(3);
    c->SetItemIndex(2);
    std::vector<int> boxItems;
    TRect boxRect;
    c->OnComboBoxDrawItem = [&](ui::TComponent*, graphics::TCanvas&, int index, bool, TRect rect) {
        boxItems.push_back(index);
        boxRect = rect;
    };
    std::vector<int> rows;
    std::vector<bool> selected;
    c->OnListBoxDrawItem = [&](ui::TComponent*, graphics::TCanvas&, int index, TRect, bool sel) {
        rows.push_back(index);
        selected.push_back(sel);
    };
    TBitmap image;
    c->PaintTo(image);
    EXPECT_EQ(boxItems, std::vector<int>{2});
    // The text rect of the skin (3,0,42,17) grown with the text area (45 -> 100 wide).
    EXPECT_EQ(boxRect, graphics::Rect(5, 2, 99, 19));
    c->DropDown();
    c->ListBox().PaintTo(image);
    EXPECT_EQ(rows, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(selected, (std::vector<bool>{false, false, true}));
}

TEST_F(SkinComboBoxTest, UnboundComboHasThePlainLook) {
    TbsSkinComboBox* c = Combo(3);
    c->SetSkinDataName("missing");
    c->ApplySkinChange();
    ASSERT_EQ(c->SkinIndex(), -1);
    TBitmap image;
    c->PaintTo(image);
    EXPECT_EQ(Pixel(image, 0, 0), Pixel(image, 0, 5));
    EXPECT_EQ(c->ButtonRect().Width(), 15);
    c->DropDown();
    c->PaintTo(image);
    EXPECT_EQ(Pixel(image, 0, 0), 0x800000u);
    EXPECT_EQ(Pixel(image, 5, 5), 0xB59385u);
    // The list keeps its own skin object.
    EXPECT_EQ(c->ListBox().Height(), 3 * 20 + 4);
}

}  // namespace
}  // namespace skinctrls
