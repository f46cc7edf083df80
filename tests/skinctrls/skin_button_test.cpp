#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "feature_controls_fixture.h"
#include "skin/skin_frame.h"
#include "skin/skin_popup_menu.h"
#include "skin_fixture.h"
#include "skinctrls/graphic_skin_control.h"
#include "skinctrls/skin_button.h"
#include "support/bitmap_differences.h"
#include "ui/action.h"
#include "ui/image_list.h"
#include "ui/panels.h"

namespace skinctrls {
namespace {

using graphics::TBitmap;
using testing::Pixel;
using testing::SkinCtrlTest;
using testing_support::Differences;

// The program's own skin: object "button" is 42 × 22 at (458,272) of picture 4, ends of 3 and 7
// pixels, client rect (2,2,40,20).
class SkinButtonTest : public SkinCtrlTest {
  protected:
    void SetUp() override {
        SkinCtrlTest::SetUp();
        skin_.LoadEmbedded(form_);
        ASSERT_FALSE(skin_.data->Empty());
        picture_.CopyFrom(&skin_.data->ActivePicture(4)->Bitmap());
    }
    TbsSkinButton* Button(int width = 73, int height = 25) {
        auto* b = Add<TbsSkinButton>(10, 10, width, height);
        b->SetSkinData(skin_.data);
        return b;
    }
    uint32_t SkinPixel(int x, int y) { return Pixel(picture_, x, y); }
    // The columns of the skin rect that column x of a 73-wide button shows.
    static int SourceColumn(int x, int width) {
        if (x < 3) return x;
        if (x >= width - 7) return 42 - (width - x);
        return 3 + (x - 3) % 32;
    }
    testing::LoadedSkin skin_;
    TBitmap picture_;
};

TEST_F(SkinButtonTest, KeepsTheSkinHeightAndWidensTheClientRect) {
    TbsSkinButton* b = Button(73, 25);
    EXPECT_NE(b->SkinIndex(), -1);
    EXPECT_EQ(b->SkinLayoutMode(), TbsSkinLayoutMode::Horizontal);
    EXPECT_EQ(b->Width(), 73);
    EXPECT_EQ(b->Height(), 22);
    EXPECT_EQ(b->ActualClientRect(), graphics::Rect(2, 2, 71, 20));
    b->SetBounds(10, 10, 100, 40);
    EXPECT_EQ(b->Height(), 22);
    EXPECT_EQ(b->ActualClientRect(), graphics::Rect(2, 2, 98, 20));
    // The skinned control answers the form frame's calls.
    auto* skinnable = dynamic_cast<skin::TbsSkinnableControl*>(b);
    ASSERT_NE(skinnable, nullptr);
    EXPECT_EQ(skinnable->SkinData(), skin_.data);
    skinnable->ResetSkinBinding();
    EXPECT_EQ(b->SkinIndex(), -1);
    skinnable->ApplySkinChange();
    EXPECT_NE(b->SkinIndex(), -1);
}

TEST_F(SkinButtonTest, NormalImageTilesTheMiddleAndCutsTheLastTile) {
    TbsSkinButton* b = Button(73, 22);
    TBitmap image;
    b->PaintTo(image);
    ASSERT_EQ(image.Width(), 73);
    for (int y : {0, 1, 10, 21})
        for (int x = 0; x < 73; ++x)
            ASSERT_EQ(Pixel(image, x, y), SkinPixel(458 + SourceColumn(x, 73), 272 + y))
                << "at " << x << "," << y;
}

TEST_F(SkinButtonTest, CaptionIsCentredInTheClientRect) {
    TbsSkinButton* b = Button(73, 25);
    TBitmap plain;
    b->PaintTo(plain);
    b->SetCaption("OK");
    TBitmap captioned;
    b->PaintTo(captioned);
    TRect text = Differences(plain, captioned);
    ASSERT_FALSE(text.IsEmpty());
    EXPECT_GE(text.left, 2);
    EXPECT_LE(text.right, 71);
    EXPECT_LE(std::abs((text.left - 2) - (71 - text.right)), 2);
    EXPECT_LE(std::abs((text.top - 2) - (20 - text.bottom)), 2);
    // Skin font colour 0: the text is black somewhere.
    bool black = false;
    for (int y = text.top; y < text.bottom; ++y)
        for (int x = text.left; x < text.right; ++x) black = black || Pixel(captioned, x, y) == 0;
    EXPECT_TRUE(black);
}

TEST_F(SkinButtonTest, StatesShowTheirSkinRects) {
    TbsSkinButton* b = Button(73, 22);
    b->SetCanFocused(false);
    auto column = [&](TBitmap& image, int top) {
        for (int y = 0; y < 22; ++y)
            if (Pixel(image, 1, y) != SkinPixel(459, top + y)) return false;
        return true;
    };
    TBitmap image;
    b->PaintTo(image);
    EXPECT_TRUE(column(image, 272));
    b->Perform(ui::CM_MOUSEENTER, 0, 0);
    EXPECT_TRUE(b->MouseIn());
    b->PaintTo(image);
    EXPECT_TRUE(column(image, 294));  // active
    Press(*b, 5, 5);
    b->PaintTo(image);
    EXPECT_TRUE(column(image, 316));  // down
    Release(*b, 5, 5);
    b->SetEnabled(false);
    b->PaintTo(image);
    EXPECT_TRUE(column(image, 338));  // disabled
}

TEST_F(SkinButtonTest, ReleasingOutsideRaisesWithoutAClick) {
    TbsSkinButton* b = Button();
    b->SetCanFocused(false);
    int clicks = 0;
    b->OnClick = [&](ui::TComponent*) { ++clicks; };
    Press(*b, 5, 5);
    EXPECT_TRUE(b->Down());
    Move(*b, -5, 40);
    EXPECT_FALSE(b->MouseIn());
    Release(*b, -5, 40);
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(clicks, 0);
    Move(*b, 5, 5);
    Press(*b, 5, 5);
    Release(*b, 5, 5);
    EXPECT_EQ(clicks, 1);
}

TEST_F(SkinButtonTest, RealPointerInputClicksInsideAndNotAfterDraggingOut) {
    TbsSkinButton* b = Button();
    b->SetCanFocused(false);
    Pump();
    int clicks = 0;
    b->OnClick = [&](ui::TComponent*) { ++clicks; };
    ui::TPoint centre = CenterOf(*b);
    host_->Click(centre.x, centre.y);
    Pump();
    EXPECT_EQ(clicks, 1);
    host_->MouseDown(centre.x, centre.y);
    Pump();
    EXPECT_TRUE(b->Down());
    host_->MouseMove(centre.x, centre.y + 60);  // captured: the button still hears the moves
    Pump();
    EXPECT_FALSE(b->MouseIn());
    host_->MouseUp(centre.x, centre.y + 60);
    Pump();
    Pump();
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(clicks, 1);
}

TEST_F(SkinButtonTest, AClickThatFreesOrHidesTheButtonEndsTheRelease) {
    TbsSkinButton* b = Button();
    b->SetCanFocused(false);
    int released = 0;
    b->OnMouseUp = [&](ui::TComponent*, ui::TMouseButton, ui::TShiftState, int, int) {
        ++released;
    };
    b->OnClick = [&](ui::TComponent*) { b->Hide(); };
    Press(*b, 5, 5);
    Release(*b, 5, 5);
    EXPECT_FALSE(b->Visible());
    EXPECT_EQ(released, 1);
    b->Show();
    bool freed = false;
    b->OnClick = [&](ui::TComponent*) {
        freed = true;
        delete b;
    };
    Press(*b, 5, 5);
    Release(*b, 5, 5);  // must not touch the freed button
    EXPECT_TRUE(freed);
    EXPECT_EQ(released, 1);
}

TEST_F(SkinButtonTest, GroupedButtonsClickOnPressAndKeepOneDown) {
    TbsSkinButton* a = Button();
    TbsSkinButton* c = Button();
    a->SetGroupIndex(1);
    c->SetGroupIndex(1);
    EXPECT_FALSE(a->CanFocused());
    int aClicks = 0, cClicks = 0;
    a->OnClick = [&](ui::TComponent*) { ++aClicks; };
    c->OnClick = [&](ui::TComponent*) { ++cClicks; };
    Press(*a, 5, 5);
    EXPECT_EQ(aClicks, 1);  // on the press
    Release(*a, 5, 5);
    EXPECT_TRUE(a->Down());
    Press(*c, 5, 5);
    Release(*c, 5, 5);
    EXPECT_TRUE(c->Down());
    EXPECT_FALSE(a->Down());
    // Pressed again while down: stays down, no click.
    Press(*c, 5, 5);
    Release(*c, 5, 5);
    EXPECT_TRUE(c->Down());
    EXPECT_EQ(cClicks, 1);
    // With AllowAllUp it goes up and clicks on the release.
    c->SetAllowAllUp(true);
    Press(*c, 5, 5);
    EXPECT_EQ(cClicks, 1);
    Release(*c, 5, 5);
    EXPECT_FALSE(c->Down());
    EXPECT_EQ(cClicks, 2);
}

TEST_F(SkinButtonTest, RepeatModeClicksAfterTheFirstWaitAndOnRelease) {
    TbsSkinButton* b = Button();
    b->SetCanFocused(false);
    b->SetRepeatMode(true);
    b->SetRepeatInterval(100);
    int now = 0;
    std::vector<int> clicks;
    b->OnClick = [&](ui::TComponent*) { clicks.push_back(now); };
    Press(*b, 5, 5);
    ASSERT_EQ(b->RepeatTimerInterval(), 500);
    // Deliver the timer's ticks as the clock runs to 750 ms.
    int due = b->RepeatTimerInterval();
    for (now = 1; now <= 750; ++now) {
        if (b->RepeatTimerInterval() != 0 && now == due) {
            b->Perform(platform::WM_TIMER, TbsSkinButton::kRepeatTimer, 0);
            due = now + b->RepeatTimerInterval();
        }
    }
    now = 750;
    Release(*b, 5, 5);
    EXPECT_EQ(clicks, (std::vector<int>{600, 700, 750}));
    EXPECT_EQ(b->RepeatTimerInterval(), 0);
}

TEST_F(SkinButtonTest, GlyphFramesFollowDisabledHotAndPressed) {
    TbsSkinButton* b = Button(73, 22);
    b->SetCanFocused(false);
    // Four 8 × 8 frames: red, green, blue, yellow; each with a magenta bottom-left pixel.
    const uint32_t colours[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF};
    TBitmap glyph;
    testing::FillBitmap(glyph, 32, 8, [&](int x, int y) -> uint32_t {
        if (x % 8 == 0 && y == 7) return 0xFF00FF;
        return colours[x / 8];
    });
    b->Glyph().CopyFrom(&glyph);
    b->SetNumGlyphs(4);
    // No caption: the glyph is centred in (2,2)-(71,20) at (32,7).
    auto frameShown = [&]() {
        TBitmap image;
        b->PaintTo(image);
        uint32_t c = Pixel(image, 35, 10);
        for (int i = 0; i < 4; ++i)
            if (c == colours[i]) return i + 1;
        return 0;
    };
    EXPECT_EQ(frameShown(), 1);
    b->SetEnabled(false);
    EXPECT_EQ(frameShown(), 2);
    b->SetEnabled(true);
    b->Perform(ui::CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(frameShown(), 4);
    Press(*b, 5, 5);
    EXPECT_EQ(frameShown(), 3);
    Release(*b, 5, 5);
}

TEST_F(SkinButtonTest, MarginBelowMinusOneIsIgnored) {
    TbsSkinButton* b = Button();
    b->SetMargin(4);
    b->SetMargin(-2);
    EXPECT_EQ(b->Margin(), 4);
    b->SetMargin(-1);
    EXPECT_EQ(b->Margin(), -1);
}

TEST_F(SkinButtonTest, UnknownOrMiscasedNameGivesTheDefaultLookAndSize) {
    TbsSkinButton* b = Button(73, 25);
    b->SetDefaultWidth(90);
    b->SetDefaultHeight(30);
    b->SetSkinDataName("Button");
    b->ApplySkinChange();
    EXPECT_EQ(b->SkinIndex(), -1);
    EXPECT_EQ(b->Width(), 90);
    EXPECT_EQ(b->Height(), 30);
    TBitmap image;
    b->PaintTo(image);
    EXPECT_EQ(Pixel(image, 0, 0), graphics::ColorToRGB(graphics::clBtnShadow));
    EXPECT_EQ(Pixel(image, 5, 5), graphics::ColorToRGB(graphics::clBtnFace));
    b->Perform(ui::CM_MOUSEENTER, 0, 0);
    b->PaintTo(image);
    EXPECT_EQ(Pixel(image, 0, 0), 0x800000u);
    EXPECT_EQ(Pixel(image, 5, 5), 0xD2BDB6u);
    b->SetCanFocused(false);
    Press(*b, 5, 5);
    b->PaintTo(image);
    EXPECT_EQ(Pixel(image, 5, 5), 0xB59385u);
}

TEST_F(SkinButtonTest, ForgetsSkinDataThatGoesAway) {
    TbsSkinButton* b = Button();
    EXPECT_NE(b->SkinIndex(), -1);
    delete skin_.data;
    EXPECT_EQ(b->SkinData(), nullptr);
    TBitmap image;
    b->PaintTo(image);
    EXPECT_EQ(b->SkinIndex(), -1);
    EXPECT_EQ(Pixel(image, 5, 5), graphics::ColorToRGB(graphics::clBtnFace));
}

TEST_F(SkinButtonTest, SpaceAndEnterClickAFocusableButton) {
    TbsSkinButton* b = Button();
    int clicks = 0;
    b->OnClick = [&](ui::TComponent*) { ++clicks; };
    b->SetFocus();
    ASSERT_TRUE(b->Focused());
    uint16_t key = platform::VK_SPACE;
    b->DoKeyDown(key, 0);
    EXPECT_TRUE(b->Down());
    b->Perform(platform::WM_KEYUP, platform::VK_SPACE, 0);
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(clicks, 1);
    key = platform::VK_RETURN;
    b->DoKeyDown(key, 0);
    EXPECT_EQ(clicks, 2);
    // Without CanFocused the keys do nothing.
    b->SetCanFocused(false);
    key = platform::VK_RETURN;
    b->DoKeyDown(key, 0);
    EXPECT_EQ(clicks, 2);
}

TEST_F(SkinButtonTest, EnterOnTheKeyboardClicksTheFocusedButtonOnce) {
    TbsSkinButton* focused = Button();
    TbsSkinButton* byDefault = Button();
    byDefault->SetDefault(true);
    int clicks = 0, defaultClicks = 0, keyDowns = 0;
    focused->OnClick = [&](ui::TComponent*) { ++clicks; };
    byDefault->OnClick = [&](ui::TComponent*) { ++defaultClicks; };
    focused->OnKeyDown = [&](ui::TComponent*, uint16_t& key, ui::TShiftState) {
        keyDowns += key == platform::VK_RETURN;
    };
    Pump();
    focused->SetFocus();
    ASSERT_TRUE(focused->Focused());
    host_->PressKey(platform::VK_RETURN);
    Pump();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(defaultClicks, 0);
    EXPECT_EQ(keyDowns, 1);  // the button's key event still sees the key
    // A button whose click frees it ends the key there.
    focused->OnClick = [&](ui::TComponent*) {
        ++clicks;
        delete focused;
    };
    host_->PressKey(platform::VK_RETURN);
    Pump();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(defaultClicks, 0);
}

TEST_F(SkinButtonTest, SpaceWhileASkinnedMenuIsOpenLeavesTheFocusedButtonAlone) {
    auto* frame = ui::Make<skin::TbsSkinFrame>(form_);
    frame->SetSkinData(skin_.data);
    auto* menu = ui::Make<skin::TbsSkinPopupMenu>(form_);
    auto* item = ui::Make<ui::TMenuItem>(form_);
    item->SetCaption("导出为（64X64）ICO图标");
    menu->Items().Add(item);
    auto* panel = Add<ui::TPanel>(10, 60, 300, 150);
    panel->SetPopupMenu(menu);
    TbsSkinButton* b = Button();
    int clicks = 0;
    b->OnClick = [&](ui::TComponent*) { ++clicks; };
    Pump();
    b->SetFocus();
    ASSERT_TRUE(b->Focused());
    const graphics::TPoint p = panel->ClientToScreen({150, 75});
    host_->Click(p.x, p.y, platform::kHostRightButton);
    Pump();
    ASSERT_TRUE(frame->SkinMenuVisible());
    host_->PressKey(platform::VK_SPACE);
    Pump();
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(b->Down());
    EXPECT_TRUE(frame->SkinMenuVisible());
    host_->PressKey(platform::VK_ESCAPE);
    Pump();
    ASSERT_FALSE(frame->SkinMenuVisible());
    // The menu closed, Space clicks the button again.
    host_->PressKey(platform::VK_SPACE);
    Pump();
    EXPECT_EQ(clicks, 1);
}

TEST_F(SkinButtonTest, ClickSetsTheFormsModalResultAndDefaultAndCancelAnswerDialogKeys) {
    TbsSkinButton* ok = Button();
    TbsSkinButton* cancel = Button();
    ok->SetModalResult(ui::mrOk);
    ok->SetDefault(true);
    cancel->SetCancel(true);
    int okClicks = 0, cancelClicks = 0;
    ok->OnClick = [&](ui::TComponent*) { ++okClicks; };
    cancel->OnClick = [&](ui::TComponent*) { ++cancelClicks; };
    ok->FocusMoved(form_);  // the focus on something that is no button
    EXPECT_TRUE(ok->DefaultActive());
    EXPECT_TRUE(ok->DialogKey(platform::VK_RETURN));
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(form_->ModalResult(), ui::mrOk);
    ok->FocusMoved(cancel);  // another skinned button took the focus
    EXPECT_FALSE(ok->DialogKey(platform::VK_RETURN));
    EXPECT_TRUE(cancel->DialogKey(platform::VK_ESCAPE));
    EXPECT_EQ(cancelClicks, 1);
    EXPECT_FALSE(ok->DialogKey(platform::VK_ESCAPE));
}

TEST_F(SkinButtonTest, TheFormHandsFocusChangesAndDialogKeysToSkinnedButtons) {
    TbsSkinButton* ok = Button();
    ok->SetDefault(true);
    auto* other = Add<TbsSkinCustomControl>(200, 10, 50, 20);
    int clicks = 0;
    ok->OnClick = [&](ui::TComponent*) { ++clicks; };
    form_->FocusChanged(other);
    EXPECT_TRUE(ok->DefaultActive());
    EXPECT_TRUE(form_->DialogKey(platform::VK_RETURN));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(form_->DialogKey(platform::VK_ESCAPE));
    // A focused skinned button is the active default itself.
    TbsSkinButton* focused = Button();
    int focusedClicks = 0;
    focused->OnClick = [&](ui::TComponent*) { ++focusedClicks; };
    form_->FocusChanged(focused);
    EXPECT_FALSE(ok->DefaultActive());
    EXPECT_TRUE(form_->DialogKey(platform::VK_RETURN));
    EXPECT_EQ(focusedClicks, 1);
    EXPECT_EQ(clicks, 1);
}

TEST_F(SkinButtonTest, AltAndTheAcceleratorFocusesAndClicksTheButton) {
    TbsSkinButton* open = Button();
    open->SetCaption("&Open");
    TbsSkinButton* save = Button();
    save->SetCaption("Save && close");
    int opens = 0, saves = 0;
    open->OnClick = [&](ui::TComponent*) { ++opens; };
    save->OnClick = [&](ui::TComponent*) { ++saves; };
    EXPECT_TRUE(form_->DialogChar(U'o'));
    EXPECT_EQ(opens, 1);
    EXPECT_TRUE(open->Focused());
    EXPECT_FALSE(form_->DialogChar(U'c'));  // "&&" is no accelerator
    EXPECT_FALSE(form_->DialogChar(U's'));
    EXPECT_EQ(saves, 0);
    // Through the keyboard: Alt held, then O.
    host_->KeyDown(platform::VK_MENU);
    host_->PressKey('O');
    host_->KeyUp(platform::VK_MENU);
    Pump();
    EXPECT_EQ(opens, 2);
    // A button that cannot take the focus ignores its accelerator.
    open->SetCanFocused(false);
    EXPECT_FALSE(form_->DialogChar(U'o'));
    EXPECT_EQ(opens, 2);
}

TEST_F(SkinButtonTest, AWindowlessSkinnedControlSizesAndPaintsLikeTheWindowedOne) {
    TbsSkinButton* windowed = Button(73, 22);
    auto* graphic = ui::Make<TbsGraphicSkinCustomControl>(form_);
    graphic->SetParent(form_);
    graphic->SetSkinDataName("button");
    graphic->SetBounds(10, 50, 73, 25);
    graphic->SetSkinData(skin_.data);
    EXPECT_EQ(graphic->Height(), 22);
    EXPECT_EQ(graphic->ActualClientRect(), windowed->ActualClientRect());
    EXPECT_TRUE(graphic->ControlStyle() & ui::csOpaque);
    TBitmap a, b;
    windowed->PaintTo(a);
    graphic->PaintTo(b);
    EXPECT_TRUE(Differences(a, b).IsEmpty());
    delete skin_.data;
    EXPECT_EQ(graphic->SkinData(), nullptr);
}

// The feature skin's "button": 30 x 20 in flat colours, every edge stretched, client rect
// (2,2,28,18), "showfocus" set.
class FeatureButtonTest : public testing::FeatureControlsTest {};

TEST_F(FeatureButtonTest, ShowFocusDrawsADottedRectangleAroundTheCaption) {
    using namespace skin_test::features;
    auto* first = Add<TbsSkinButton>(10, 40, 60, 20);
    auto* button = Add<TbsSkinButton>(10, 10, 60, 20);
    first->SetFocus();
    Pump();
    EXPECT_EQ(PixelOf(*button, 2, 2), kButton);
    host_->PressKey(platform::VK_TAB);
    Pump();
    ASSERT_TRUE(button->Focused());
    // The focused button shows its hot image; the caption rect (2,2)-(58,18) is framed by
    // every other pixel inverted, the rest of the image untouched.
    const uint32_t dot = kButtonHot ^ 0xFFFFFF;
    EXPECT_EQ(PixelOf(*button, 2, 2), dot);
    EXPECT_EQ(PixelOf(*button, 3, 2), kButtonHot);
    EXPECT_EQ(PixelOf(*button, 4, 2), dot);
    EXPECT_EQ(PixelOf(*button, 2, 3), kButtonHot);
    EXPECT_EQ(PixelOf(*button, 2, 4), dot);
    EXPECT_EQ(PixelOf(*button, 57, 2), dot);
    EXPECT_EQ(PixelOf(*button, 57, 3), kButtonHot);
    EXPECT_EQ(PixelOf(*button, 56, 17), dot);
    EXPECT_EQ(PixelOf(*button, 55, 17), kButtonHot);
    EXPECT_EQ(PixelOf(*button, 10, 10), kButtonHot);
    EXPECT_EQ(PixelOf(*button, 1, 1), kButtonHot);
    // Tab on: the focus and its rectangle go.
    host_->PressKey(platform::VK_TAB);
    Pump();
    EXPECT_FALSE(button->Focused());
    EXPECT_EQ(PixelOf(*button, 2, 2), kButton);
    EXPECT_EQ(PixelOf(*button, 3, 2), kButton);
}

TEST_F(FeatureButtonTest, LinkedButtonsShowTheirActionAndAClickExecutesIt) {
    using namespace skin_test::features;
    auto* images = ui::Make<ui::TCustomImageList>(form_);
    images->SetWidth(8);
    images->SetHeight(8);
    TBitmap strip;
    strip.LoadFile(SkinFolder() + "/images.bmp");
    ASSERT_EQ(images->AddMasked(strip, Gdi(kStripMask)), 0);
    auto* action = ui::Make<ui::TAction>(form_);
    action->SetHint("Runs it");
    action->SetImageIndex(1);
    int runs = 0;
    action->OnExecute = [&](ui::TComponent* sender) {
        EXPECT_EQ(sender, action);
        ++runs;
    };
    auto* button = Add<TbsSkinButton>(10, 10, 60, 20);
    auto* twin = Add<TbsSkinButton>(10, 40, 60, 20);
    for (TbsSkinButton* b : {button, twin}) {
        b->SetImageList(images);
        b->SetCaption("own");
        b->OnClick = [](ui::TComponent*) { ADD_FAILURE() << "the action takes the click"; };
        b->SetAction(action);
    }
    Pump();
    EXPECT_EQ(button->Action(), action);
    EXPECT_EQ(button->Caption(), "");
    EXPECT_EQ(button->Hint(), "Runs it");
    // The 8 x 8 image sits in the middle of the caption rect, its mask colour transparent.
    EXPECT_EQ(ControlPixel(*button, 30, 10), kStrip[1]);
    EXPECT_EQ(ControlPixel(*button, 26, 6), kButton);
    // Every change of the action reaches both buttons.
    action->SetImageIndex(2);
    action->SetCaption("Go");
    Pump();
    for (TbsSkinButton* b : {button, twin}) {
        EXPECT_EQ(b->Caption(), "Go");
        EXPECT_EQ(b->ImageIndex(), 2);
        EXPECT_TRUE(ShowsColour(*b, graphics::Rect(2, 2, 58, 18), kStrip[2]));
        EXPECT_TRUE(ShowsText(*b, graphics::Rect(2, 2, 58, 18), 0x000000));  // the caption
    }
    Click(*button);
    Pump();
    EXPECT_EQ(runs, 1);
    action->SetEnabled(false);
    Pump();
    EXPECT_FALSE(twin->Enabled());
    Click(*twin);
    Pump();
    EXPECT_EQ(runs, 1);
    action->SetEnabled(true);
    action->SetVisible(false);
    Pump();
    EXPECT_FALSE(twin->Visible());
    EXPECT_FALSE(platform::IsWindowVisible(twin->Handle()));
    EXPECT_FALSE(ShowsColour(*twin, graphics::Rect(0, 0, 60, 20), kButton));
    action->SetVisible(true);
    // A handler set after linking is the button's own and runs in place of the action; the
    // action going leaves the button as it was.
    int own = 0;
    button->OnClick = [&](ui::TComponent*) { ++own; };
    Click(*button);
    Pump();
    EXPECT_EQ(own, 1);
    EXPECT_EQ(runs, 1);
    delete action;
    EXPECT_EQ(twin->Action(), nullptr);
    EXPECT_EQ(twin->Caption(), "Go");
    twin->OnClick = [&](ui::TComponent*) { ++own; };
    Click(*twin);
    Pump();
    EXPECT_EQ(own, 2);
}

}  // namespace
}  // namespace skinctrls
