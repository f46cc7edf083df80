#include <gtest/gtest.h>

#include <vector>

#include "skin_fixture.h"
#include "skinctrls/skin_edit.h"

namespace skinctrls {
namespace {

using graphics::TBitmap;
using testing::Code;
using testing::Pixel;

// The program's skin: object "edit" is 50 × 21 at (210,72) of picture 4, hot image at
// (262,72), client rect (3,3,47,18), points (4,10) and (46,10).
class SkinEditTest : public testing::SkinCtrlTest {
  protected:
    void SetUp() override {
        SkinCtrlTest::SetUp();
        skin_.LoadEmbedded(form_);
        picture_.CopyFrom(&skin_.data->ActivePicture(4)->Bitmap());
    }
    TbsSkinEdit* Edit(int width = 120) {
        auto* e = Add<TbsSkinEdit>(10, 10, width, 30);
        e->SetSkinData(skin_.data);
        return e;
    }
    uint32_t SkinPixel(int x, int y) { return Pixel(picture_, x, y); }
    testing::LoadedSkin skin_;
    TBitmap picture_;
};

TEST_F(SkinEditTest, TakesTheSkinHeightAndInsetsTheTextArea) {
    TbsSkinEdit* e = Edit(120);
    EXPECT_NE(e->SkinIndex(), -1);
    EXPECT_EQ(e->Height(), 21);
    EXPECT_EQ(e->FrameWidths(), graphics::Rect(3, 3, 3, 3));
    e->SetBounds(10, 10, 150, 40);
    EXPECT_EQ(e->Height(), 21);
    // The platform window's client area is the text area.
    platform::RECT client;
    platform::GetClientRect(e->Handle(), &client);
    EXPECT_EQ(client.right, 144);
    EXPECT_EQ(client.bottom, 15);
    // Without the skin font the height is free again.
    e->SetUseSkinFont(false);
    e->SetBounds(10, 10, 150, 40);
    EXPECT_EQ(e->Height(), 40);
}

TEST_F(SkinEditTest, FrameAndTextAreaComeFromTheStateImage) {
    TbsSkinEdit* e = Edit(120);
    ASSERT_NE(SkinPixel(210, 72), SkinPixel(262, 72));  // the states can be told apart
    TBitmap image;
    e->PaintTo(image);
    ASSERT_EQ(image.Width(), 120);
    ASSERT_EQ(image.Height(), 21);
    // Corners are copied, the right edge moves with the width.
    EXPECT_EQ(Pixel(image, 0, 0), SkinPixel(210, 72));
    EXPECT_EQ(Pixel(image, 119, 20), SkinPixel(259, 92));
    EXPECT_EQ(Pixel(image, 118, 10), SkinPixel(258, 82));
    // The text area's left piece (1 column: LT.X - CR.Left) is the skin's client piece.
    EXPECT_EQ(Pixel(image, 3, 5), SkinPixel(213, 77));
    // The pointer over the edit switches to the hot image at once.
    e->Perform(platform::WM_MOUSEMOVE, 0, platform::MAKELPARAM(5, 5));
    EXPECT_TRUE(e->MouseIn());
    e->PaintTo(image);
    EXPECT_EQ(Pixel(image, 0, 0), SkinPixel(262, 72));
    EXPECT_EQ(Pixel(image, 119, 20), SkinPixel(311, 92));
    e->Perform(platform::WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(e->MouseIn());
    e->PaintTo(image);
    EXPECT_EQ(Pixel(image, 0, 0), SkinPixel(210, 72));
}

TEST_F(SkinEditTest, TypedTextIsDrawnAndDisabledTextIsGrey) {
    TbsSkinEdit* e = Edit(120);
    TBitmap empty;
    e->PaintTo(empty);
    e->SetText("Hello");
    EXPECT_EQ(e->Text(), "Hello");
    TBitmap typed;
    e->PaintTo(typed);
    int dark = 0;
    for (int y = 3; y < 18; ++y)
        for (int x = 3; x < 60; ++x)
            if (Pixel(typed, x, y) != Pixel(empty, x, y)) ++dark;
    EXPECT_GT(dark, 10);
    e->SetEnabled(false);
    EXPECT_EQ(e->TextColor(), graphics::TColor(0x808080));
    TBitmap disabled;
    e->PaintTo(disabled);
    bool grey = false;
    for (int y = 3; y < 18; ++y)
        for (int x = 3; x < 60; ++x) grey = grey || Pixel(disabled, x, y) == 0x808080;
    EXPECT_TRUE(grey);
}

TEST_F(SkinEditTest, LongTextScrollsToKeepTheCaretInView) {
    TbsSkinEdit* e = Edit(60);  // text area 54 wide at x = 3
    e->SetText("0123456789012345678901234567890123456789");
    e->SetFocus();
    // The caret column: black from top to bottom of the text line.
    auto caretAt = [&](TBitmap& image, int x) {
        for (int y = 7; y < 14; ++y)
            if (Pixel(image, x, y) != 0) return false;
        return true;
    };
    TBitmap atStart;
    e->Perform(platform::EM_SETSEL, 0, 0);
    e->PaintTo(atStart);
    EXPECT_TRUE(caretAt(atStart, 3 + 2));
    // At the end the text scrolls just so far that the caret sits at the right margin.
    TBitmap atEnd;
    e->Perform(platform::EM_SETSEL, 40, 40);
    e->PaintTo(atEnd);
    EXPECT_TRUE(caretAt(atEnd, 3 + 54 - 2));
    // Moving back a little keeps the offset: the caret moves left within the view.
    TBitmap stepBack;
    e->Perform(platform::EM_SETSEL, 39, 39);
    e->PaintTo(stepBack);
    int same = 0;
    for (int y = 3; y < 18; ++y)
        for (int x = 3; x < 40; ++x) same += Pixel(stepBack, x, y) == Pixel(atEnd, x, y);
    EXPECT_EQ(same, 15 * 37);
    EXPECT_FALSE(caretAt(stepBack, 3 + 54 - 2));
}

TEST_F(SkinEditTest, ClickingAndTypingThroughTheScreenEditsAndShowsTheText) {
    TbsSkinEdit* e = Edit(150);
    int changes = 0;
    e->OnChange = [&](ui::TComponent*) { ++changes; };
    Pump();
    std::vector<uint32_t> row;
    row.reserve(40);
    for (int x = 0; x < 40; ++x) row.push_back(PixelOf(*e, x, 7));
    Click(*e);
    Pump();
    EXPECT_TRUE(e->Focused());
    host_->Type("Wow");
    Pump();
    EXPECT_EQ(e->Text(), "Wow");
    EXPECT_GE(changes, 1);
    int differing = 0;
    for (int x = 0; x < 40; ++x) differing += PixelOf(*e, x, 7) != row[size_t(x)];
    EXPECT_GT(differing, 3);
    // Focused, the frame shows the hot image.
    platform::RECT window;
    platform::GetWindowRect(e->Handle(), &window);
    const uint32_t skin = SkinPixel(262, 72);
    EXPECT_EQ(host_->PixelAt(window.left, window.top),
              ((skin & 0xFF) << 16) | (skin & 0xFF00) | ((skin >> 16) & 0xFF));
}

TEST_F(SkinEditTest, ReadOnlyAndMaxLengthReachTheEditingWindow) {
    auto* e = ui::Make<TbsSkinEdit>(form_);
    e->SetMaxLength(3);  // before the window exists
    e->SetParent(form_);
    e->SetSkinData(skin_.data);
    e->SetFocus();
    host_->Type("abcdef");
    Pump();
    EXPECT_EQ(e->Text(), "abc");
    e->SetReadOnly(true);
    host_->Type("x");
    Pump();
    EXPECT_EQ(e->Text(), "abc");
    e->SetReadOnly(false);
    e->SetMaxLength(0);
    host_->Type("x");
    Pump();
    EXPECT_EQ(e->Text(), "abcx");
}

TEST_F(SkinEditTest, ScreenShowsTheSkinnedFrameAndText) {
    TbsSkinEdit* e = Edit(120);
    e->SetText("abc");
    Pump();
    // PixelOf reads client coordinates: the frame lies before them.
    platform::RECT window;
    platform::GetWindowRect(e->Handle(), &window);
    const uint32_t corner = host_->PixelAt(window.left, window.top);
    const uint32_t skin = SkinPixel(210, 72);
    EXPECT_EQ(corner, ((skin & 0xFF) << 16) | (skin & 0xFF00) | ((skin >> 16) & 0xFF));
}

constexpr const char* kEditSkinText =
    "[VERSION]\r\nskinname=Test\r\n"
    "[PICTURES]\r\npicture=main.bmp\r\nactivepicturescount=1\r\n0=a.bmp\r\n"
    "[FORMINFO]\r\nclientrect=1,1,3,3\r\n"
    "[SKINCONTROLS]\r\ncount=1\r\n0=edit:edit\r\n"
    "[edit]\r\npictureindex=0\r\nskinrect=0,0,20,10\r\nlefttoppoint=4,4\r\nrighttoppoint=16,4\r\n"
    "clientrect=2,2,18,8\r\nfontcolor=255\r\nactivefontcolor=65280\r\ndisabledfontcolor="
    "16711680\r\n";

using SkinEditOwnSkinTest = testing::SkinCtrlTest;

TEST_F(SkinEditOwnSkinTest, EditWithoutHotImageKeepsTheNormalFrameButSwitchesTextColour) {
    testing::LoadedSkin skin;
    skin.LoadPackage(form_,
                     testing::SkinPackage({testing::PatternBmp(32, 32, Code)}, kEditSkinText));
    auto* e = Add<TbsSkinEdit>(5, 5, 60, 30);
    e->SetSkinData(skin.data);
    ASSERT_NE(e->SkinIndex(), -1);
    EXPECT_EQ(e->Height(), 10);
    TBitmap normal;
    e->PaintTo(normal);
    EXPECT_EQ(e->TextColor(), graphics::TColor(255));
    e->Perform(platform::WM_MOUSEMOVE, 0, platform::MAKELPARAM(3, 3));
    TBitmap hot;
    e->PaintTo(hot);
    EXPECT_EQ(Pixel(hot, 0, 0), Code(0, 0));
    EXPECT_EQ(Pixel(hot, 0, 0), Pixel(normal, 0, 0));
    EXPECT_EQ(e->TextColor(), graphics::TColor(65280));
    // An unbound edit: plain two-pixel frame, DefaultHeight applies.
    e->SetSkinDataName("nothing");
    e->SetDefaultHeight(21);
    e->ApplySkinChange();
    EXPECT_EQ(e->SkinIndex(), -1);
    EXPECT_EQ(e->Height(), 21);
    EXPECT_EQ(e->FrameWidths(), graphics::Rect(2, 2, 2, 2));
    e->SetButtonMode(true);
    EXPECT_EQ(e->FrameWidths(), graphics::Rect(2, 2, 23, 2));
}

}  // namespace
}  // namespace skinctrls
