// The application's hints, driven by pointer moves, clicks and keys on the virtual screen.
#include <chrono>
#include <thread>

#include "ui/form.h"
#include "ui/hint_tracker.h"
#include "ui/hint_window.h"
#include "ui/ui_fixture.h"

namespace ui {
namespace {

using testing::UiTest;
constexpr uint32_t kInfoBk = 0xFFFFE1;  // the tooltip background of the classic scheme

class HintTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        form_ = Application().CreateForm<TForm>();
        form_->SetBounds(50, 50, 300, 200);
        form_->Show();
        a_ = Spot(10, "First hint");
        b_ = Spot(60, "Second hint");
        Pump();
    }
    TGraphicControl* Spot(int left, const std::string& hint) {
        auto* spot = Make<TGraphicControl>(form_);
        spot->SetParent(form_);
        spot->SetBounds(left, 10, 40, 40);
        spot->SetHint(hint);
        spot->SetShowHint(true);
        return spot;
    }
    void MoveTo(TControl& control, int x = 20, int y = 20) {
        TPoint p = control.ClientToScreen({x, y});
        host_->MouseMove(p.x, p.y);
        Pump();
    }
    // Runs the loop for `ms` milliseconds.
    static void RunFor(int ms) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < end) {
            Pump();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    // The hint text on the screen, or empty when no hint window shows.
    std::string ShownHint() {
        THintWindow* window = Application().Hints().Window();
        if (window == nullptr || !window->HandleAllocated() ||
            !platform::IsWindowVisible(window->Handle()))
            return {};
        return window->Caption();
    }
    TForm* form_ = nullptr;
    TGraphicControl* a_ = nullptr;
    TGraphicControl* b_ = nullptr;
};

TEST_F(HintTest, AppearsAfterTheRestAsATopLevelWindowInTooltipColours) {
    const size_t windowsBefore = host_->VisibleWindows().size();
    MoveTo(*a_);
    RunFor(250);
    EXPECT_EQ(ShownHint(), "");  // not before the pause
    RunFor(400);
    ASSERT_EQ(ShownHint(), "First hint");
    const auto windows = host_->VisibleWindows();
    ASSERT_EQ(windows.size(), windowsBefore + 1);
    const platform::HostRect bounds = host_->WindowBounds(windows.back());
    const TPoint cursor = a_->ClientToScreen({20, 20});
    EXPECT_GT(bounds.top, cursor.y);  // below the pointer
    EXPECT_LE(bounds.left, cursor.x + 1);
    EXPECT_GT(bounds.Width(), 30);
    EXPECT_EQ(host_->PixelAt(bounds.left + 1, bounds.top + 1), kInfoBk);
    // Some text in the tooltip's text colour inside.
    int ink = 0;
    for (int y = bounds.top + 2; y < bounds.bottom - 2; ++y)
        for (int x = bounds.left + 2; x < bounds.right - 2; ++x) ink += host_->PixelAt(x, y) == 0;
    EXPECT_GT(ink, 10);
    // The keyboard stays where it was.
    EXPECT_EQ(platform::GetActiveWindow(), form_->Handle());

    MoveTo(*b_);  // the next control's hint comes at once
    EXPECT_EQ(ShownHint(), "Second hint");
}

TEST_F(HintTest, GoesOnAClickAKeyALeaveAndAfterTheHidePause) {
    Application().Hints().pause = 50;
    Application().Hints().hidePause = 300;
    MoveTo(*a_);
    RunFor(120);
    ASSERT_EQ(ShownHint(), "First hint");
    TPoint p = a_->ClientToScreen({20, 20});
    host_->Click(p.x, p.y);
    Pump();
    EXPECT_EQ(ShownHint(), "");
    MoveTo(*a_, 25, 25);
    RunFor(120);
    EXPECT_EQ(ShownHint(), "");  // not again over the same control

    MoveTo(*b_);
    RunFor(120);
    ASSERT_EQ(ShownHint(), "Second hint");
    host_->PressKey('A');
    Pump();
    EXPECT_EQ(ShownHint(), "");

    MoveTo(*a_);
    RunFor(120);
    ASSERT_EQ(ShownHint(), "First hint");
    host_->MouseMove(900, 700);  // off every window
    Pump();
    Pump();
    EXPECT_EQ(ShownHint(), "");

    MoveTo(*b_);
    RunFor(120);
    ASSERT_EQ(ShownHint(), "Second hint");
    RunFor(400);
    EXPECT_EQ(ShownHint(), "");  // the hide pause ran out
}

TEST_F(HintTest, ParentShowHintFollowsTheParentAndControlsWithoutTextShowNone) {
    Application().Hints().pause = 30;
    auto* child = Make<TGraphicControl>(form_);
    child->SetParent(form_);
    child->SetBounds(150, 10, 40, 40);
    child->SetHint("Inherited");
    EXPECT_TRUE(child->ParentShowHint());
    MoveTo(*child);
    RunFor(100);
    EXPECT_EQ(ShownHint(), "");  // the form does not show hints
    form_->SetShowHint(true);
    MoveTo(*a_);
    MoveTo(*child);
    RunFor(100);
    EXPECT_EQ(ShownHint(), "Inherited");
    a_->SetHint("");
    MoveTo(*a_);
    RunFor(100);
    EXPECT_EQ(ShownHint(), "");
}

TEST_F(HintTest, StaysInsideTheWorkArea) {
    Application().Hints().pause = 30;
    host_->SetWorkArea({0, 0, 1024, 740});
    form_->SetBounds(1024 - 120, 740 - 80, 120, 80);
    a_->SetBounds(60, 10, 40, 30);
    a_->SetHint("A hint far wider than the space that is left at the right of the screen");
    Pump();
    MoveTo(*a_, 30, 20);
    RunFor(100);
    ASSERT_FALSE(ShownHint().empty());
    const platform::HostRect bounds = host_->WindowBounds(host_->VisibleWindows().back());
    EXPECT_LE(bounds.right, 1024);
    EXPECT_LE(bounds.bottom, 740);
    EXPECT_GE(bounds.left, 0);
    EXPECT_LT(bounds.bottom, a_->ClientToScreen({30, 20}).y);  // above the pointer
}

TEST_F(HintTest, AFreedControlTakesItsHintAlong) {
    Application().Hints().pause = 30;
    MoveTo(*a_);
    RunFor(100);
    ASSERT_EQ(ShownHint(), "First hint");
    delete a_;
    EXPECT_EQ(ShownHint(), "");
    EXPECT_EQ(Application().Hints().HintControl(), nullptr);
    RunFor(60);
}

}  // namespace
}  // namespace ui
