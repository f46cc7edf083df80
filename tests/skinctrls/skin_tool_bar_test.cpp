#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "skin_fixture.h"
#include "skinctrls/skin_bevel.h"
#include "skinctrls/skin_combo_box.h"
#include "skinctrls/skin_menu_speed_button.h"
#include "skinctrls/skin_speed_button.h"
#include "skinctrls/skin_tool_bar.h"
#include "ui/menus.h"

namespace skinctrls {
namespace {

using graphics::TBitmap;
using testing::Pixel;

// 0xRRGGBB of a COLORREF-layout pixel.
uint32_t Rgb(uint32_t c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// The program's skin: "toolbutton" is 25 × 26 at (55,31) with hot and pressed images at (80,31)
// and (105,31); "toolmenubutton" is 37 × 26 at (55,152); "toolpanel" is 42 × 32 at (3,26) with
// client rect (3,3,39,29).
class SkinToolBarTest : public testing::SkinCtrlTest {
  protected:
    void SetUp() override {
        SkinCtrlTest::SetUp();
        skin_.LoadEmbedded(form_);
        picture_.CopyFrom(&skin_.data->ActivePicture(4)->Bitmap());
        bar_ = Add<TbsSkinToolBar>(0, 0, 400, 25);
        bar_->SetSkinData(skin_.data);
    }
    template <typename T>
    T* Tool(int left, int top) {
        T* b = ui::Make<T>(form_);
        b->SetParent(bar_);
        b->SetBounds(left, top, 27, 25);
        b->SetSkinData(skin_.data);
        b->OnClick = [this](ui::TComponent*) { ++clicks_; };
        return b;
    }
    // Mouse messages to a graphic child, at its own point (the parent routes them).
    void PressAt(ui::TControl& c, int x, int y) {
        bar_->Perform(platform::WM_LBUTTONDOWN, platform::MK_LBUTTON,
                      platform::MAKELPARAM(c.Left() + x, c.Top() + y));
    }
    void ReleaseAt(ui::TControl& c, int x, int y) {
        bar_->Perform(platform::WM_LBUTTONUP, 0, platform::MAKELPARAM(c.Left() + x, c.Top() + y));
    }
    uint32_t SkinPixel(int x, int y) { return Pixel(picture_, x, y); }
    // The button painted over a background of one colour.
    std::unique_ptr<TBitmap> Image(TbsSkinSpeedButton& b, graphics::TColor background = 0x123456) {
        auto image = std::make_unique<TBitmap>();
        image->SetWidth(b.Width());
        image->SetHeight(b.Height());
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x) image->Canvas().WritePixel(x, y, background);
        b.PaintOnto(image->Canvas());
        return image;
    }
    testing::LoadedSkin skin_;
    TBitmap picture_;
    TbsSkinToolBar* bar_ = nullptr;
    int clicks_ = 0;
};

TEST_F(SkinToolBarTest, ToolBarTakesTheSkinHeightAndCentresItsChildren) {
    EXPECT_EQ(bar_->Height(), 32);
    EXPECT_EQ(bar_->SkinDataName(), "toolpanel");
    auto* button = Tool<TbsSkinSpeedButton>(5, 0);
    EXPECT_EQ(button->Height(), 26);
    auto* combo = ui::Make<TbsSkinComboBox>(form_);
    combo->SetParent(bar_);
    combo->SetBounds(40, 20, 150, 20);
    combo->SetSkinData(skin_.data);
    auto* plain = ui::Make<TbsSkinBevel>(form_);
    plain->SetParent(bar_);
    plain->SetBounds(200, 1, 10, 4);
    Pump();
    // Client area 3..29: the middle is at 16.
    EXPECT_EQ(button->Top(), 3);
    EXPECT_EQ(combo->Top(), 16 - 21 / 2);
    EXPECT_EQ(plain->Top(), 1);  // not a skinned control: left alone
    button->SetBounds(5, 17, 27, 25);
    bar_->SetBounds(0, 0, 500, 25);
    EXPECT_EQ(bar_->Height(), 32);
    EXPECT_EQ(button->Top(), 3);
}

TEST_F(SkinToolBarTest, ToolBarPaintsItsSkinImage) {
    TBitmap image;
    bar_->PaintTo(image);
    ASSERT_EQ(image.Height(), 32);
    EXPECT_EQ(Pixel(image, 0, 0), SkinPixel(3, 26));
    EXPECT_EQ(Pixel(image, 399, 31), SkinPixel(44, 57));
}

TEST_F(SkinToolBarTest, SpeedButtonShowsNormalHotAndPressedImages) {
    auto* b = Tool<TbsSkinSpeedButton>(5, 3);
    ASSERT_NE(SkinPixel(55, 31), SkinPixel(80, 31));  // the states can be told apart
    // A pixel of the 25-wide fixed left end where the hot and pressed images differ.
    int px = -1, py = -1;
    for (int y = 0; y < 26 && px < 0; ++y)
        for (int x = 0; x < 4 && px < 0; ++x)
            if (SkinPixel(80 + x, 31 + y) != SkinPixel(105 + x, 31 + y)) px = x, py = y;
    ASSERT_GE(px, 0);
    EXPECT_EQ(b->Width(), 27);
    EXPECT_EQ(b->Height(), 26);
    auto image = Image(*b);
    EXPECT_EQ(Pixel(*image, 0, 0), SkinPixel(55, 31));
    EXPECT_EQ(Pixel(*image, 26, 25), SkinPixel(79, 56));
    b->Perform(ui::CM_MOUSEENTER, 0, 0);
    EXPECT_TRUE(b->MouseIn());
    image = Image(*b);
    EXPECT_EQ(Pixel(*image, 0, 0), SkinPixel(80, 31));
    PressAt(*b, 5, 5);
    EXPECT_TRUE(b->Down());
    image = Image(*b);
    EXPECT_EQ(Pixel(*image, px, py), SkinPixel(105 + px, 31 + py));
    EXPECT_EQ(clicks_, 0);
    ReleaseAt(*b, 5, 5);
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(clicks_, 1);
    // Released outside: up without a click.
    PressAt(*b, 5, 5);
    bar_->Perform(platform::WM_MOUSEMOVE, platform::MK_LBUTTON, platform::MAKELPARAM(300, 5));
    ReleaseAt(*b, 300 - b->Left(), 5);
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(clicks_, 1);
    // A disabled button does not get hot.
    b->SetEnabled(false);
    b->Perform(ui::CM_MOUSEENTER, 0, 0);
    image = Image(*b);
    EXPECT_EQ(Pixel(*image, 0, 0), SkinPixel(55, 31));
}

TEST_F(SkinToolBarTest, HeldRepeatButtonClicksOnEveryTickAfterTheFirstWait) {
    auto* b = Tool<TbsSkinSpeedButton>(5, 3);
    b->SetRepeatMode(true);
    b->SetRepeatInterval(100);
    auto tick = [&] {
        platform::MSG msg{
            bar_->Handle(),
            platform::WM_TIMER,
            b->RepeatTimerId(),
            platform::LPARAM(reinterpret_cast<std::uintptr_t>(&TbsSkinSpeedButton::TimerProc)),
            0,
            {0, 0}};
        platform::DispatchMessage(&msg);
    };
    b->Perform(ui::CM_MOUSEENTER, 0, 0);
    PressAt(*b, 5, 5);
    ASSERT_NE(b->RepeatTimerId(), 0u);
    EXPECT_EQ(b->RepeatTimerInterval(), TbsSkinSpeedButton::kRepeatDelay);
    tick();  // 500 ms: the wait ends
    EXPECT_EQ(clicks_, 0);
    EXPECT_EQ(b->RepeatTimerInterval(), 100);
    tick();  // 600 ms
    tick();  // 700 ms
    EXPECT_EQ(clicks_, 2);
    // Leaving stops the repeat, coming back while held starts it again from the wait.
    b->Perform(ui::CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(b->RepeatTimerId(), 0u);
    b->Perform(ui::CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(b->RepeatTimerInterval(), TbsSkinSpeedButton::kRepeatDelay);
    ReleaseAt(*b, 5, 5);  // and once more on the release
    EXPECT_EQ(clicks_, 3);
    EXPECT_EQ(b->RepeatTimerId(), 0u);
}

TEST_F(SkinToolBarTest, GroupedSpeedButtonsKeepOneDown) {
    auto* a = Tool<TbsSkinSpeedButton>(5, 3);
    auto* b = Tool<TbsSkinSpeedButton>(40, 3);
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    PressAt(*a, 5, 5);  // clicks on the press
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(clicks_, 1);
    ReleaseAt(*a, 5, 5);
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(clicks_, 1);
    // Grouped and down: the pressed image even without the pointer.
    a->Perform(ui::CM_MOUSELEAVE, 0, 0);
    auto image = Image(*a);
    auto pressed = Image(*a);
    a->SetDown(false);
    auto normal = Image(*a);
    a->SetDown(true);
    int differing = 0;
    for (int y = 0; y < 26; ++y)
        for (int x = 0; x < 27; ++x) differing += Pixel(*pressed, x, y) != Pixel(*normal, x, y);
    EXPECT_GT(differing, 20);
    EXPECT_EQ(Pixel(*image, 0, 0), Pixel(*pressed, 0, 0));
    PressAt(*a, 5, 5);  // pressed again while down: stays down
    ReleaseAt(*a, 5, 5);
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(clicks_, 1);
    PressAt(*b, 5, 5);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    ReleaseAt(*b, 5, 5);
    // With AllowAllUp a second press raises it on release, with a click.
    b->SetAllowAllUp(true);
    PressAt(*b, 5, 5);
    EXPECT_TRUE(b->Down());
    ReleaseAt(*b, 5, 5);
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(clicks_, 3);
}

TEST_F(SkinToolBarTest, FlatSpeedButtonShowsOnlyItsGlyphUntilHot) {
    auto* b = Tool<TbsSkinSpeedButton>(5, 3);
    b->SetFlat(true);
    EXPECT_TRUE(b->Transparent());
    // A 9 × 9 glyph: red, with a white bottom-left pixel as its transparent colour.
    b->Glyph().SetWidth(9);
    b->Glyph().SetHeight(9);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            b->Glyph().Canvas().WritePixel(x, y, x == 0 && y == 8 ? 0xFFFFFF : 0x0000FF);
    auto image = Image(*b, 0x123456);
    EXPECT_EQ(Pixel(*image, 0, 0), 0x123456u);
    EXPECT_EQ(Pixel(*image, 26, 25), 0x123456u);
    // The glyph is centred in the client rect (3,3)-(24,23).
    EXPECT_EQ(Pixel(*image, 13, 13), 0x0000FFu);
    EXPECT_EQ(Pixel(*image, 8, 17), 0x123456u);  // the transparent corner
    EXPECT_EQ(Pixel(*image, 9, 17), 0x0000FFu);
    b->Perform(ui::CM_MOUSEENTER, 0, 0);
    image = Image(*b, 0x123456);
    EXPECT_EQ(Pixel(*image, 0, 0), SkinPixel(80, 31));
    EXPECT_EQ(Pixel(*image, 13, 13), 0x0000FFu);
}

TEST_F(SkinToolBarTest, UnboundSpeedButtonUsesThePlainLook) {
    auto* b = Tool<TbsSkinSpeedButton>(5, 3);
    b->SetSkinDataName("missing");
    b->SetDefaultWidth(27);
    b->SetDefaultHeight(25);
    b->ApplySkinChange();
    EXPECT_EQ(b->Height(), 25);
    auto image = Image(*b);
    EXPECT_EQ(Pixel(*image, 5, 5), graphics::ColorToRGB(graphics::clBtnFace));
    b->Perform(ui::CM_MOUSEENTER, 0, 0);
    image = Image(*b);
    EXPECT_EQ(Pixel(*image, 0, 0), 0x800000u);
    EXPECT_EQ(Pixel(*image, 5, 5), 0xD2BDB6u);
    b->SetFlat(true);
    b->Perform(ui::CM_MOUSELEAVE, 0, 0);
    image = Image(*b, 0x123456);
    EXPECT_EQ(Pixel(*image, 5, 5), 0x123456u);
}

// A popup menu that stays open after Popup returns, as the skinned menus do.
class StayingMenu : public ui::TPopupMenu {
  public:
    using ui::TPopupMenu::TPopupMenu;
    const char* ClassName() const override { return "StayingMenu"; }
    void Popup(int x, int y) override { points.push_back({x, y}); }
    std::vector<TPoint> points;
};

TEST_F(SkinToolBarTest, MenuSpeedButtonOpensItsMenuOnThePress) {
    auto* b = Tool<TbsSkinMenuSpeedButton>(5, 3);
    EXPECT_EQ(b->SkinDataName(), "toolmenubutton");
    b->SetBounds(5, 3, 37, 25);
    auto* menu = ui::Make<StayingMenu>(form_);
    b->SetSkinPopupMenu(menu);
    int hides = 0;
    b->OnHideTrackMenu = [&](ui::TComponent*) { ++hides; };
    // With nothing to show the press is an ordinary one: no menu, and the button comes up.
    PressAt(*b, 5, 5);
    ReleaseAt(*b, 5, 5);
    EXPECT_TRUE(menu->points.empty());
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(clicks_, 1);
    clicks_ = 0;
    menu->Items().Add(ui::Make<ui::TMenuItem>(menu));
    PressAt(*b, 5, 5);
    ASSERT_EQ(menu->points.size(), 1u);
    const TPoint below = bar_->ClientToScreen({b->Left(), b->Top() + b->Height()});
    EXPECT_EQ(menu->points[0].x, below.x);
    EXPECT_EQ(menu->points[0].y, below.y);
    EXPECT_EQ(menu->PopupComponent(), b);
    EXPECT_TRUE(b->Down());
    EXPECT_TRUE(b->MenuShown());
    ReleaseAt(*b, 5, 5);  // the release of the opening press is ignored
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(clicks_, 0);
    auto image = Image(*b);
    ASSERT_NE(SkinPixel(55, 152), SkinPixel(129, 152));  // pressed differs from normal
    EXPECT_EQ(Pixel(*image, 0, 0), SkinPixel(129, 152));
    b->Perform(WM_CLOSESKINMENU, 0, 0);
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(b->MouseIn());
    EXPECT_EQ(hides, 1);
    EXPECT_EQ(clicks_, 0);
}

TEST_F(SkinToolBarTest, MenuSpeedButtonWithAPlainMenuRisesWhenItCloses) {
    auto* b = Tool<TbsSkinMenuSpeedButton>(5, 3);
    auto* menu = ui::Make<ui::TPopupMenu>(form_);
    menu->Items().Add(ui::Make<ui::TMenuItem>(menu));
    b->SetSkinPopupMenu(menu);
    bool downWhileShown = false;
    ui::TPopupMenu::SetTracker([&](ui::TMenuItem&, int, int) {
        downWhileShown = b->Down();
        return static_cast<ui::TMenuItem*>(nullptr);
    });
    int hides = 0;
    b->OnHideTrackMenu = [&](ui::TComponent*) { ++hides; };
    PressAt(*b, 5, 5);
    ui::TPopupMenu::SetTracker(nullptr);
    EXPECT_TRUE(downWhileShown);
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(hides, 1);
    ReleaseAt(*b, 5, 5);
    EXPECT_EQ(clicks_, 0);
}

TEST_F(SkinToolBarTest, TrackModeOpensTheMenuOnlyFromTheArrow) {
    auto* b = Tool<TbsSkinMenuSpeedButton>(5, 3);
    b->SetSkinDataName("toolbutton");
    b->SetBounds(5, 3, 40, 25);
    auto* menu = ui::Make<StayingMenu>(form_);
    menu->Items().Add(ui::Make<ui::TMenuItem>(menu));
    b->SetSkinPopupMenu(menu);
    b->SetTrackButtonMode(true);
    EXPECT_EQ(b->TrackArea(), graphics::Rect(25, 0, 40, 26));
    PressAt(*b, 5, 5);
    ReleaseAt(*b, 5, 5);
    EXPECT_TRUE(menu->points.empty());
    EXPECT_EQ(clicks_, 1);
    PressAt(*b, 30, 5);
    EXPECT_EQ(menu->points.size(), 1u);
    b->Perform(WM_CLOSESKINMENU, 0, 0);
    b->SetNewStyle(true);
    b->SetTrackPosition(TbsTrackPosition::bstpBottom);
    EXPECT_EQ(b->TrackArea(), graphics::Rect(0, 11, 40, 26));
}

TEST_F(SkinToolBarTest, SpacerBevelIsAnEmptyTenPixelGap) {
    auto* spacer = ui::Make<TbsSkinBevel>(form_);
    spacer->SetParent(bar_);
    spacer->SetBounds(100, 0, 50, 32);
    spacer->SetShape(TbsBevelShape::bsSpacer);
    EXPECT_EQ(spacer->Width(), TbsSkinBevel::kSpacerWidth);
    Pump();
    TBitmap image;
    bar_->PaintTo(image);
    for (int y = 0; y < 32; y += 7)
        EXPECT_EQ(PixelOf(*bar_, 104, y), Rgb(Pixel(image, 104, y))) << y;
}

}  // namespace
}  // namespace skinctrls
