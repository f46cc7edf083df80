#include "ui/form.h"
#include "ui/panels.h"
#include "ui/ui_fixture.h"

namespace ui {
namespace {

using testing::UiTest;

class LayoutTest : public UiTest {};

template <typename T>
T* Child(TCustomForm* form, TWinControl* parent, int l, int t, int w, int h, TAlign align) {
    T* control = Make<T>(form);
    control->SetParent(parent);
    control->SetBounds(l, t, w, h);
    control->SetAlign(align);
    return control;
}

TEST_F(LayoutTest, EdgesAreTakenTopBottomLeftRightThenClient) {
    auto* form = Application().CreateForm<TForm>();
    form->SetClientSize(300, 200);
    // Created in an order that differs from the alignment order.
    auto* client = Child<TPanel>(form, form, 0, 0, 10, 10, TAlign::alClient);
    auto* right = Child<TPanel>(form, form, 0, 0, 30, 10, TAlign::alRight);
    auto* left = Child<TPanel>(form, form, 0, 0, 20, 10, TAlign::alLeft);
    auto* bottom = Child<TPanel>(form, form, 0, 0, 10, 40, TAlign::alBottom);
    auto* top2 = Child<TPanel>(form, form, 0, 50, 10, 15, TAlign::alTop);
    auto* top1 = Child<TPanel>(form, form, 0, 0, 10, 25, TAlign::alTop);

    EXPECT_EQ(top1->BoundsRect(), graphics::Bounds(0, 0, 300, 25));
    EXPECT_EQ(top2->BoundsRect(), graphics::Bounds(0, 25, 300, 15));
    EXPECT_EQ(bottom->BoundsRect(), graphics::Bounds(0, 160, 300, 40));
    EXPECT_EQ(left->BoundsRect(), graphics::Bounds(0, 40, 20, 120));
    EXPECT_EQ(right->BoundsRect(), graphics::Bounds(270, 40, 30, 120));
    EXPECT_EQ(client->BoundsRect(), graphics::Bounds(20, 40, 250, 120));

    // A hidden control gives its room back; the window keeps the layout once it exists.
    top2->Hide();
    form->Show();
    Pump();
    EXPECT_EQ(left->Top(), 25);
    EXPECT_EQ(client->BoundsRect(), graphics::Bounds(20, 25, 250, 135));
    form->SetClientSize(400, 200);
    Pump();
    EXPECT_EQ(right->BoundsRect(), graphics::Bounds(370, 25, 30, 135));
}

TEST_F(LayoutTest, AnchorsKeepDistancesToTheRightAndBottomEdges) {
    auto* form = Application().CreateForm<TForm>();
    form->SetClientSize(300, 200);
    auto* stretched = Child<TPanel>(form, form, 10, 10, 200, 20, TAlign::alNone);
    stretched->SetAnchors(akLeft | akTop | akRight);
    auto* moving = Child<TPanel>(form, form, 220, 150, 70, 25, TAlign::alNone);
    moving->SetAnchors(akRight | akBottom);
    auto* fixed = Child<TPanel>(form, form, 5, 5, 10, 10, TAlign::alNone);

    form->SetClientSize(400, 260);
    EXPECT_EQ(stretched->BoundsRect(), graphics::Bounds(10, 10, 300, 20));
    EXPECT_EQ(moving->BoundsRect(), graphics::Bounds(320, 210, 70, 25));
    EXPECT_EQ(fixed->BoundsRect(), graphics::Bounds(5, 5, 10, 10));
}

TEST_F(LayoutTest, ChildWindowsSitWhereTheirControlsSayAndMoveWithThem) {
    auto* form = Application().CreateForm<TForm>();
    form->SetBounds(100, 80, 300, 200);
    form->SetClientSize(300, 200);
    auto* panel = Child<TPanel>(form, form, 40, 30, 100, 50, TAlign::alNone);
    form->Show();
    Pump();
    TPoint origin = panel->ClientToScreen({0, 0});
    TPoint formOrigin = form->ClientToScreen({0, 0});
    EXPECT_EQ(origin.x - formOrigin.x, 40);
    EXPECT_EQ(origin.y - formOrigin.y, 30);
    panel->SetBounds(60, 35, 100, 50);
    EXPECT_EQ(panel->ClientToScreen({0, 0}).x - formOrigin.x, 60);
    platform::RECT rect{};
    platform::GetClientRect(panel->Handle(), &rect);
    EXPECT_EQ(rect.right, 100);
    EXPECT_EQ(rect.bottom, 50);
}

}  // namespace
}  // namespace ui
