// The controls of a file dialog together on one skinned form: tool bar with tool buttons and
// the folder box, the file-name edit and the filter box with its list open. Set
// TEMBRIN_SCREENSHOT to a path to keep the screen as a BMP file.
#include <gtest/gtest.h>

#include <cstdlib>

#include "skin_fixture.h"
#include "skinctrls/filter_combo_box.h"
#include "skinctrls/skin_bevel.h"
#include "skinctrls/skin_edit.h"
#include "skinctrls/skin_menu_speed_button.h"
#include "skinctrls/skin_speed_button.h"
#include "skinctrls/skin_tool_bar.h"

namespace skinctrls {
namespace {

using DialogArrangementTest = testing::SkinCtrlTest;

// A small arrow glyph on a white (transparent) ground.
void ArrowGlyph(graphics::TBitmap& glyph) {
    glyph.SetWidth(12);
    glyph.SetHeight(12);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool ink =
                (x >= 5 && x <= 6 && y >= 3) || (y >= 1 && y <= 6 && std::abs(x - 5.5) <= 6.5 - y);
            glyph.Canvas().WritePixel(x, y, ink ? 0x804000 : 0xFFFFFF);
        }
}

TEST_F(DialogArrangementTest, ToolBarEditAndOpenFilterListShowTogether) {
    testing::LoadedSkin skin;
    skin.LoadEmbedded(form_);
    form_->SetBounds(100, 100, 460, 260);
    auto* bar = Add<TbsSkinToolBar>(0, 0, 460, 25);
    bar->SetSkinData(skin.data);
    auto* folder = ui::Make<TbsSkinComboBox>(form_);
    folder->SetParent(bar);
    folder->SetBounds(8, 0, 220, 20);
    folder->SetSkinData(skin.data);
    folder->SetItems({"桌面", "我的文档"});
    folder->SetItemIndex(1);
    int left = 236;
    for (int i = 0; i < 3; ++i) {
        auto* b = ui::Make<TbsSkinSpeedButton>(form_);
        b->SetParent(bar);
        b->SetBounds(left, 0, 27, 25);
        b->SetSkinData(skin.data);
        ArrowGlyph(b->Glyph());
        left += 27;
    }
    auto* spacer = ui::Make<TbsSkinBevel>(form_);
    spacer->SetParent(bar);
    spacer->SetBounds(left, 0, 10, 25);
    spacer->SetShape(TbsBevelShape::bsSpacer);
    auto* view = ui::Make<TbsSkinMenuSpeedButton>(form_);
    view->SetParent(bar);
    view->SetBounds(left + 10, 0, 37, 25);
    view->SetSkinData(skin.data);
    ArrowGlyph(view->Glyph());
    auto* edit = Add<TbsSkinEdit>(70, 60, 300, 21);
    edit->SetSkinData(skin.data);
    edit->SetText("picture.ico");
    auto* filter = Add<TbsSkinFilterComboBox>(70, 95, 300, 21);
    filter->SetSkinData(skin.data);
    filter->SetFilter("所有图片|*.bmp;*.jpg;*.gif;*.png;|图标文件|*.ico|All files (*.*)|*.*");
    Pump();
    filter->DropDown();
    filter->ListBox().SetItemIndex(1);
    Pump();

    EXPECT_EQ(bar->Height(), 32);
    EXPECT_EQ(view->Top(), 3);
    EXPECT_EQ(folder->Top(), 6);
    ASSERT_TRUE(filter->ListOpen());
    // The open list lies on the screen right under the box, three rows high.
    const TPoint under = filter->ClientToScreen({5, filter->Height()});
    EXPECT_EQ(filter->ListBox().Top(), under.y);
    EXPECT_EQ(filter->ListBox().Height(), 3 * 20 + 4);
    EXPECT_NE(host_->PixelAt(under.x, under.y + 30), host_->PixelAt(under.x, under.y + 70));

    if (const char* path = std::getenv("TEMBRIN_SCREENSHOT")) {
        EXPECT_TRUE(host_->SaveScreenshot(path));
    }
}

}  // namespace
}  // namespace skinctrls
