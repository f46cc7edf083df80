// Size constraints and auto size on real windows: what a bounds change ends at, and what the
// screen shows of it.
#include "ui/form.h"
#include "ui/panels.h"
#include "ui/ui_fixture.h"

namespace ui {
namespace {

constexpr uint32_t kPanelRgb = 0x2040C0;  // 0xRRGGBB, as the screen reports it
constexpr TColor kPanelColor = 0xC04020;  // the same colour as a TColor (BGR)

class SizeRulesTest : public testing::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        form_ = Application().CreateForm<TForm>();
        form_->SetBounds(10, 10, 400, 300);
        form_->SetColor(graphics::clWhite);
        form_->Show();
    }
    // A borderless panel of one colour, so the screen shows exactly where it ends.
    TPanel* Panel(TWinControl* parent, int l, int t, int w, int h) {
        auto* panel = Make<TPanel>(form_);
        panel->SetParent(parent);
        panel->SetBorderStyle(TBevelStyle::bvNone);
        panel->SetShowCaption(false);
        panel->SetColor(kPanelColor);
        panel->SetBounds(l, t, w, h);
        return panel;
    }
    // How far right and down from the top-left corner of `control` the screen shows the
    // panel colour.
    int ScreenWidth(TControl& control) {
        Pump();
        int x = 0;
        while (x < 1000 && PixelOf(control, x, 0) == kPanelRgb) ++x;
        return x;
    }
    int ScreenHeight(TControl& control) {
        Pump();
        int y = 0;
        while (y < 1000 && PixelOf(control, 0, y) == kPanelRgb) ++y;
        return y;
    }
    TForm* form_ = nullptr;
};

TEST_F(SizeRulesTest, BoundsChangesStayWithinTheConstraints) {
    TPanel* panel = Panel(form_, 10, 10, 100, 100);
    panel->Constraints().SetMinWidth(60);
    panel->Constraints().SetMaxHeight(40);
    // The limits apply at once to the present size...
    EXPECT_EQ(panel->BoundsRect(), graphics::Bounds(10, 10, 100, 40));
    EXPECT_EQ(ScreenHeight(*panel), 40);
    // ... and to every later change, from code or from alignment.
    panel->SetBounds(10, 10, 20, 200);
    EXPECT_EQ(panel->BoundsRect(), graphics::Bounds(10, 10, 60, 40));
    EXPECT_EQ(ScreenWidth(*panel), 60);
    panel->SetAlign(TAlign::alClient);
    EXPECT_EQ(panel->Height(), 40);
    EXPECT_EQ(panel->Width(), form_->ClientWidth());
    EXPECT_EQ(ScreenHeight(*panel), 40);
    // Without limits the panel fills the form again.
    panel->Constraints().Clear();
    EXPECT_EQ(panel->Height(), form_->ClientHeight());
    EXPECT_EQ(ScreenHeight(*panel), form_->ClientHeight());
}

TEST_F(SizeRulesTest, LimitsNeverContradictEachOther) {
    TPanel* panel = Panel(form_, 0, 0, 100, 100);
    TSizeConstraints& limits = panel->Constraints();
    limits.SetMaxWidth(80);
    limits.SetMinWidth(120);  // raises the maximum with it
    EXPECT_EQ(limits.MaxWidth(), 120);
    EXPECT_EQ(panel->Width(), 120);
    limits.SetMaxWidth(50);  // lowers the minimum with it
    EXPECT_EQ(limits.MinWidth(), 50);
    EXPECT_EQ(panel->Width(), 50);
    limits.SetMinHeight(-5);  // no limit
    EXPECT_EQ(limits.MinHeight(), 0);
    panel->SetBounds(0, 0, 50, 0);
    EXPECT_EQ(panel->Height(), 0);
}

TEST_F(SizeRulesTest, AnAutoSizedContainerHoldsItsChildrenAndFollowsThem) {
    TPanel* outer = Panel(form_, 10, 10, 300, 200);
    outer->SetBorderStyle(TBevelStyle::bvFrame);  // a 1-pixel frame round the children
    outer->SetColor(graphics::clWhite);
    TPanel* first = Panel(outer, 5, 5, 50, 30);
    TPanel* second = Panel(outer, 20, 40, 30, 20);
    outer->SetAutoSize(true);
    // The frame follows the lowest and rightmost child edges (55 and 60) directly.
    EXPECT_EQ(outer->BoundsRect(), graphics::Bounds(10, 10, 56, 61));
    EXPECT_EQ(ScreenWidth(*first), 50);
    EXPECT_NE(PixelOf(*outer, 55, 10), 0xFFFFFFu);  // the frame's right column
    EXPECT_EQ(PixelOf(*outer, 56, 10), 0xFFFFFFu);  // the form beside it
    // It grows and shrinks with its children, and refuses other sizes.
    second->SetBounds(20, 40, 100, 50);
    EXPECT_EQ(outer->BoundsRect(), graphics::Bounds(10, 10, 121, 91));
    second->Hide();
    EXPECT_EQ(outer->BoundsRect(), graphics::Bounds(10, 10, 56, 36));
    outer->SetBounds(10, 10, 300, 300);
    EXPECT_EQ(outer->BoundsRect(), graphics::Bounds(10, 10, 56, 36));
    Pump();
    EXPECT_EQ(PixelOf(*outer, 56, 10), 0xFFFFFFu);
    // Without visible children it keeps the size it is given.
    first->Hide();
    outer->SetBounds(10, 10, 200, 100);
    EXPECT_EQ(outer->BoundsRect(), graphics::Bounds(10, 10, 200, 100));
}

TEST_F(SizeRulesTest, AutoSizeCountsEdgeChildrenSideBySideAndObeysTheConstraints) {
    TPanel* outer = Panel(form_, 0, 0, 300, 200);
    TPanel* left = Panel(outer, 0, 0, 40, 10);
    left->SetAlign(TAlign::alLeft);
    TPanel* right = Panel(outer, 0, 0, 25, 10);
    right->SetAlign(TAlign::alRight);
    TPanel* top = Panel(outer, 0, 0, 10, 30);
    top->SetAlign(TAlign::alTop);
    outer->SetAutoSize(true);
    EXPECT_EQ(outer->Width(), 65);
    EXPECT_EQ(outer->Height(), 30);
    EXPECT_EQ(right->BoundsRect(), graphics::Bounds(40, 30, 25, 0));
    outer->Constraints().SetMinHeight(50);
    EXPECT_EQ(outer->Height(), 50);
    EXPECT_EQ(ScreenHeight(*outer), 50);
    EXPECT_EQ(right->BoundsRect(), graphics::Bounds(40, 30, 25, 20));
}

}  // namespace
}  // namespace ui
