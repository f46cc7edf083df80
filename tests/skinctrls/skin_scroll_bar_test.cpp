#include <gtest/gtest.h>

#include "skin_fixture.h"
#include "skinctrls/skin_scroll_bar.h"

namespace skinctrls {
namespace {

using graphics::TBitmap;
using testing::Pixel;
using Bar = TbsSkinScrollBar;

class SkinScrollBarTest : public testing::SkinCtrlTest {
  protected:
    Bar* NewBar(int width = 200, int height = 19) { return Add<Bar>(10, 10, width, height); }
    Bar* SkinnedBar(int width = 200, int height = 19) {
        skin_.LoadEmbedded(form_);
        picture_.CopyFrom(&skin_.data->ActivePicture(4)->Bitmap());
        Bar* bar = NewBar(width, height);
        bar->SetSkinData(skin_.data);
        return bar;
    }
    static void Tick(Bar& bar) { bar.Perform(platform::WM_TIMER, Bar::kRepeatTimer, 0); }
    testing::LoadedSkin skin_;
    TBitmap picture_;
};

TEST_F(SkinScrollBarTest, PositionStaysInsideTheRangeLessThePage) {
    Bar* bar = NewBar();
    int changes = 0;
    bar->OnChange = [&](ui::TComponent*) { ++changes; };
    bar->SetRange(0, 99, 10, 0);
    bar->SetPosition(95);
    EXPECT_EQ(bar->Position(), 90);
    bar->SetPosition(-3);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(changes, 2);
    bar->SetPosition(0);
    EXPECT_EQ(changes, 2);  // no change, no event
    bar->SetPosition(80);
    bar->SetPageSize(30);  // 100 < 30 + 80: refused
    EXPECT_EQ(bar->PageSize(), 10);
    bar->SetMax(50);
    EXPECT_EQ(bar->Position(), 41);
    bar->SetPageSize(0);
    bar->SetPosition(500);
    EXPECT_EQ(bar->Position(), 50);
}

TEST_F(SkinScrollBarTest, PlainPartsSitInsideAOnePixelMargin) {
    Bar* bar = NewBar(200, 19);
    EXPECT_EQ(bar->PartRect(Bar::kDownButton), graphics::Rect(1, 1, 18, 18));
    EXPECT_EQ(bar->PartRect(Bar::kUpButton), graphics::Rect(182, 1, 199, 18));
    EXPECT_EQ(bar->TrackArea(), graphics::Rect(18, 1, 182, 18));
    // Without a page the thumb is 16 long and runs over the track by position.
    EXPECT_EQ(bar->PartRect(Bar::kThumb), graphics::Rect(18, 1, 34, 18));
    bar->SetPosition(100);
    EXPECT_EQ(bar->PartRect(Bar::kThumb), graphics::Rect(166, 1, 182, 18));
    bar->SetPosition(50);
    EXPECT_EQ(bar->PartRect(Bar::kThumb).left, 18 + 74);
    // With a page it takes the page's share of the track; 20.5 rounds to 20.
    bar->SetRange(0, 7, 1, 0);
    EXPECT_EQ(bar->PartRect(Bar::kThumb).Width(), 20);
    bar->SetRange(0, 99, 50, 0);
    EXPECT_EQ(bar->PartRect(Bar::kThumb).Width(), 82);
    // Both bars: the horizontal one leaves room for the corner marker.
    bar->SetBoth(true);
    EXPECT_EQ(bar->PartRect(Bar::kUpButton), graphics::Rect(163, 1, 180, 18));
}

TEST_F(SkinScrollBarTest, AThumbLongerThanItsTrackKeepsItsMinimumSize) {
    Bar* bar = NewBar(40, 19);
    EXPECT_EQ(bar->TrackArea().Width(), 4);
    EXPECT_EQ(bar->PartRect(Bar::kThumb).Width(), 16);
    bar->SetRange(0, 9, 5, 5);
    EXPECT_EQ(bar->PartRect(Bar::kThumb).Width(), 16);
}

TEST_F(SkinScrollBarTest, TheSkinPlacesTrackAndButtonsAndTheThumbTakesItsImage) {
    Bar* bar = SkinnedBar(200, 19);
    ASSERT_NE(bar->SkinIndex(), -1);
    EXPECT_EQ(bar->TrackArea(), graphics::Rect(19, 0, 181, 19));
    EXPECT_EQ(bar->PartRect(Bar::kUpButton), graphics::Rect(181, 0, 200, 19));
    EXPECT_EQ(bar->PartRect(Bar::kDownButton), graphics::Rect(0, 0, 19, 19));
    EXPECT_EQ(bar->PartRect(Bar::kThumb).Width(), 10);  // "thumbminpagesize" without a page
    bar->SetRange(0, 99, 10, 0);
    EXPECT_EQ(bar->PartRect(Bar::kThumb).Width(), 30);  // the thumb image's own length
    TBitmap image;
    bar->PaintTo(image);
    // The thumb's fixed left end at the track start.
    EXPECT_EQ(Pixel(image, 19, 9), Pixel(picture_, 376, 261));
    // Hot up button: its hot image over the button's place.
    testing::SkinCtrlTest::Move(*bar, 190, 9);
    EXPECT_TRUE(bar->PartHot(Bar::kUpButton));
    bar->PaintTo(image);
    EXPECT_EQ(Pixel(image, 185, 5), Pixel(picture_, 296, 257));
}

TEST_F(SkinScrollBarTest, AVerticalSkinnedBarStretchesDownwards) {
    skin_.LoadEmbedded(form_);
    Bar* bar = NewBar(19, 200);
    bar->SetKind(TScrollBarKind::sbVertical);
    bar->SetSkinDataName("vscrollbar");
    bar->SetSkinData(skin_.data);
    EXPECT_EQ(bar->Width(), 19);
    EXPECT_EQ(bar->TrackArea(), graphics::Rect(0, 19, 19, 181));
    EXPECT_EQ(bar->PartRect(Bar::kUpButton), graphics::Rect(0, 181, 19, 200));
}

TEST_F(SkinScrollBarTest, ButtonsStepAndRepeatAfterTheFirstWait) {
    Bar* bar = NewBar();
    Press(*bar, 190, 9);  // the button towards Max
    EXPECT_EQ(bar->Position(), 1);
    EXPECT_TRUE(bar->PartDown(Bar::kUpButton));
    EXPECT_EQ(bar->TimerMode(), 2);
    EXPECT_EQ(bar->TimerInterval(), 500);
    Tick(*bar);
    EXPECT_EQ(bar->TimerInterval(), 50);
    EXPECT_EQ(bar->Position(), 1);
    Tick(*bar);
    Tick(*bar);
    EXPECT_EQ(bar->Position(), 3);
    Release(*bar, 190, 9);
    EXPECT_EQ(bar->TimerMode(), 0);
    EXPECT_FALSE(bar->PartDown(Bar::kUpButton));
    // An assigned button event replaces the step.
    int clicks = 0;
    bar->OnDownButtonClick = [&](ui::TComponent*) { ++clicks; };
    Press(*bar, 5, 9);
    Release(*bar, 5, 9);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(bar->Position(), 3);
}

TEST_F(SkinScrollBarTest, TheTrackPagesTowardsThePointerWhileItIsBeyondTheThumb) {
    Bar* bar = NewBar();
    bar->SetLargeChange(10);
    int pageUps = 0;
    bar->OnPageUp = [&](ui::TComponent*) { ++pageUps; };
    Press(*bar, 60, 9);
    EXPECT_EQ(bar->Position(), 10);
    EXPECT_EQ(pageUps, 1);
    EXPECT_EQ(bar->TimerMode(), 4);
    Tick(*bar);  // the wait
    Tick(*bar);  // thumb now at 18 + 16 = 34..50: the pointer at 60 is still beyond it
    EXPECT_EQ(bar->Position(), 20);
    Tick(*bar);  // 20 → thumb at 50..66 covers the pointer: no more paging
    Tick(*bar);
    EXPECT_EQ(bar->Position(), 20);
    Release(*bar, 60, 9);
}

TEST_F(SkinScrollBarTest, DraggingTheThumbSetsThePositionAndEndsWithOnLastChange) {
    Bar* bar = NewBar();
    int lastChanges = 0;
    bar->OnLastChange = [&](ui::TComponent*) { ++lastChanges; };
    Press(*bar, 20, 9);  // on the thumb, 2 pixels into it
    Move(*bar, 20 + 74, 9);
    EXPECT_EQ(bar->Position(), 50);  // 74 of 148 pixels of room
    Move(*bar, 400, 9);
    EXPECT_EQ(bar->Position(), 100);
    EXPECT_EQ(lastChanges, 0);
    Release(*bar, 400, 9);
    EXPECT_EQ(lastChanges, 1);
}

}  // namespace
}  // namespace skinctrls
