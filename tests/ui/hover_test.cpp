#include "ui/form.h"
#include "ui/ui_fixture.h"

namespace ui {
namespace {

using testing::UiTest;

// A windowless control that records the pointer coming and going.
class Spot : public TGraphicControl {
  public:
    explicit Spot(TComponent* owner) : TGraphicControl(owner) {
        SetMessageHandler(CM_MOUSEENTER, [this](TMessage&) { log += "+"; });
        SetMessageHandler(CM_MOUSELEAVE, [this](TMessage&) { log += "-"; });
    }
    std::string log;
};

class HoverTest : public UiTest {};

TEST_F(HoverTest, GraphicChildrenHearThePointerComeAndGo) {
    auto* form = Application().CreateForm<TForm>();
    form->SetBounds(50, 50, 300, 200);
    form->Show();
    auto* a = Make<Spot>(form);
    a->SetParent(form);
    a->SetBounds(10, 10, 40, 40);
    auto* b = Make<Spot>(form);
    b->SetParent(form);
    b->SetBounds(60, 10, 40, 40);
    Pump();
    auto move = [&](TControl& c, int x, int y) {
        TPoint p = c.ClientToScreen({x, y});
        host_->MouseMove(p.x, p.y);
        Pump();
    };
    move(*a, 5, 5);
    move(*a, 20, 20);  // still over a: nothing new
    EXPECT_EQ(a->log, "+");
    move(*b, 5, 5);
    EXPECT_EQ(a->log, "+-");
    EXPECT_EQ(b->log, "+");
    move(*form, 200, 150);  // the form's own area
    EXPECT_EQ(b->log, "+-");
    move(*b, 5, 5);
    host_->MouseMove(900, 700);  // off the window altogether
    Pump();
    Pump();  // the leave is posted while the move is read
    EXPECT_EQ(b->log, "+-+-");
    // A disabled child is passed over.
    a->SetEnabled(false);
    move(*a, 5, 5);
    EXPECT_EQ(a->log, "+-");
}

}  // namespace
}  // namespace ui
