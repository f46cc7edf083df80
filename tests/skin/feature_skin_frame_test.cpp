// The skinned frame over the feature test skin: its masked frame, caption buttons, the form's
// icon on the system-menu button, animated caption objects, the morph kinds, and the frame's
// events, cursor and magnetic edges, all through the virtual screen's mouse and keys.
#include <algorithm>
#include <cmath>
#include <vector>

#include "feature_skin.h"
#include "graphics/icon.h"
#include "platform/gdi/gdi.h"
#include "platform/user/user.h"

namespace skin_test::features {
namespace {

using namespace platform;
using skin::TbsActiveSkinObject;
using skin::TbsSkinAnimateObject;

constexpr UINT_PTR kMorphTimer = 0x5B02;
constexpr UINT_PTR kAnimationTimer = 0x5B03;

// The channels of `a` and `b` mixed by `t` (0 to 1), rounded to the nearest step.
uint32_t Mix(uint32_t a, uint32_t b, double t) {
    uint32_t out = 0;
    for (int shift : {0, 8, 16}) {
        const double ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        out |= uint32_t(std::lround(ca + (cb - ca) * t)) << shift;
    }
    return out;
}

// Each channel within one step of the other.
::testing::AssertionResult Near(uint32_t actual, uint32_t expected) {
    for (int shift : {0, 8, 16}) {
        const int a = int((actual >> shift) & 0xFF), e = int((expected >> shift) & 0xFF);
        if (std::abs(a - e) > 1)
            return ::testing::AssertionFailure()
                   << std::hex << "0x" << actual << " is not near 0x" << expected;
    }
    return ::testing::AssertionSuccess();
}

TEST_F(FeatureSkinTest, TheFrameIsCutFromTheSkinAndShapedByItsMask) {
    LoadAndShow();
    ASSERT_TRUE(frame_->SkinActive());
    // 4 pixels of frame left, right and bottom, 20 at the top.
    RECT client{};
    GetClientRect(form_->Handle(), &client);
    EXPECT_EQ(client.right, 300 - 8);
    EXPECT_EQ(client.bottom, 200 - 24);
    EXPECT_EQ(WindowPixel(150, 10), kFrameCaption);
    EXPECT_EQ(WindowPixel(150, 1), kFrameBorder);
    EXPECT_EQ(WindowPixel(2, 100), kFrameBorder);
    EXPECT_EQ(WindowPixel(150, 198), kFrameBorder);
    // The mask cuts the outermost corner pixels: the desktop shows there.
    EXPECT_EQ(WindowPixel(0, 0), VirtualHost::kDesktopColor);
    EXPECT_EQ(WindowPixel(299, 0), VirtualHost::kDesktopColor);
    EXPECT_EQ(WindowPixel(2, 0), kFrameBorder);
    EXPECT_EQ(WindowPixel(0, 199), kFrameBorder);
}

TEST_F(FeatureSkinTest, CaptionButtonsAreLinedUpFromTheRightAndFollowTheMouse) {
    LoadAndShow();
    TbsActiveSkinObject* close = frame_->FindObject("closebutton");
    ASSERT_NE(close, nullptr);
    // The caption area ends 4 pixels before the right edge; one pixel between buttons.
    EXPECT_EQ(close->ObjectRect, graphics::Rect(284, 4, 296, 16));
    EXPECT_EQ(frame_->FindObject("glow")->ObjectRect, graphics::Rect(271, 4, 283, 16));
    EXPECT_EQ(frame_->FindObject("spin")->ObjectRect, graphics::Rect(258, 4, 270, 16));
    EXPECT_EQ(frame_->FindObject("mkdefault")->ObjectRect, graphics::Rect(245, 4, 257, 16));
    // The system menu button sits at the caption's left edge.
    EXPECT_EQ(frame_->FindObject("sysmenubutton")->ObjectRect, graphics::Rect(4, 4, 16, 16));
    EXPECT_EQ(ObjectPixel(*close, 5, 5), kClose);
    MoveTo(*close);
    EXPECT_EQ(ObjectPixel(*close, 5, 5), kCloseHot);
    const graphics::TPoint on = Screen(close->ObjectRect.left + 5, close->ObjectRect.top + 5);
    host_->MouseDown(on.x, on.y);
    Pump();
    EXPECT_EQ(ObjectPixel(*close, 5, 5), kCloseDown);
}

// A 16 x 16 icon of one colour.
HICON SolidIcon(uint32_t rgb) {
    graphics::TBitmap color, mask;
    color.SetWidth(16);
    color.SetHeight(16);
    color.Canvas().Brush().SetColor(Gdi(rgb));
    color.Canvas().FillRect(graphics::Rect(0, 0, 16, 16));
    mask.SetPixelFormat(graphics::TPixelFormat::pf1bit);
    mask.SetWidth(16);
    mask.SetHeight(16);
    mask.Canvas().Brush().SetColor(graphics::clBlack);
    mask.Canvas().FillRect(graphics::Rect(0, 0, 16, 16));
    ICONINFO info{TRUE, 0, 0, mask.BitmapHandle(), color.BitmapHandle()};
    return CreateIconIndirect(&info);
}

TEST_F(FeatureSkinTest, TheSystemMenuButtonShowsTheFormsIcon) {
    form_->Icon().AdoptHandle(SolidIcon(0x12AB34));
    LoadAndShow();
    TbsActiveSkinObject* sysMenu = frame_->FindObject("sysmenubutton");
    ASSERT_NE(sysMenu, nullptr);
    ASSERT_TRUE(sysMenu->Visible);
    // The 12 pixel button is covered by the icon, shrunk to it.
    EXPECT_EQ(ObjectPixel(*sysMenu, 6, 6), 0x12AB34u);
    EXPECT_EQ(ObjectPixel(*sysMenu, 0, 0), 0x12AB34u);
    // Still there while the button is hot.
    MoveTo(*sysMenu);
    EXPECT_EQ(ObjectPixel(*sysMenu, 6, 6), 0x12AB34u);
    frame_->SetShowIcon(false);
    frame_->RepaintFrame();
    host_->MouseMove(Screen(150, 100).x, Screen(150, 100).y);
    ASSERT_TRUE(WaitFor([&] { return !sysMenu->Active; }));
    EXPECT_EQ(ObjectPixel(*sysMenu, 6, 6), kSysMenu);
}

TEST_F(FeatureSkinTest, AnAnimatedObjectRunsItsFramesWhileTheMouseIsOnIt) {
    LoadAndShow();
    auto* glow = dynamic_cast<TbsSkinAnimateObject*>(frame_->FindObject("glow"));
    ASSERT_NE(glow, nullptr);
    EXPECT_EQ(glow->FrameCount(), 4);
    EXPECT_EQ(glow->AnimationInterval(), 30);
    EXPECT_EQ(ObjectPixel(*glow, 5, 5), kGlow[0]);
    MoveTo(*glow);
    ASSERT_TRUE(glow->Active);
    // One tick of the timer by hand: the next frame, drawn at once.
    const int first = glow->Frame();
    ASSERT_LT(first, 3);
    SendMessage(form_->Handle(), WM_TIMER, kAnimationTimer, 0);
    Pump();
    EXPECT_EQ(glow->Frame(), first + 1);
    EXPECT_EQ(ObjectPixel(*glow, 5, 5), kGlow[first + 1]);
    // The timer runs it to the last frame, where it stays.
    ASSERT_TRUE(WaitFor([&] { return glow->Frame() == 3; }));
    EXPECT_EQ(ObjectPixel(*glow, 5, 5), kGlow[3]);
    EXPECT_FALSE(glow->AnimationPending());
    // Away from it: back frame by frame to the first.
    host_->MouseMove(Screen(150, 100).x, Screen(150, 100).y);
    ASSERT_TRUE(WaitFor([&] { return !glow->Active; }));
    ASSERT_TRUE(WaitFor([&] { return glow->Frame() == 0; }));
    EXPECT_EQ(ObjectPixel(*glow, 5, 5), kGlow[0]);
}

TEST_F(FeatureSkinTest, ACyclingAnimatedButtonStartsOverAndRunsItsCommand) {
    LoadAndShow();
    auto* spin = dynamic_cast<TbsSkinAnimateObject*>(frame_->FindObject("spin"));
    ASSERT_NE(spin, nullptr);
    ASSERT_TRUE(spin->Command().has_value());
    MoveTo(*spin);
    // Frames 0, 1, 2 and then 0 again while the mouse stays.
    std::vector<int> seen;
    ASSERT_TRUE(WaitFor([&] {
        if (seen.empty() || seen.back() != spin->Frame()) seen.push_back(spin->Frame());
        return seen.size() >= 4;
    }));
    EXPECT_EQ(seen[1], (seen[0] + 1) % 3);
    EXPECT_EQ(seen[2], (seen[1] + 1) % 3);
    EXPECT_EQ(seen[3], (seen[2] + 1) % 3);
    EXPECT_EQ(ObjectPixel(*spin, 5, 5), kSpin[spin->Frame()]);
    // Pressed it shows its pressed image; released on it, it maximizes the window.
    const graphics::TPoint on = Screen(spin->ObjectRect.left + 5, spin->ObjectRect.top + 5);
    host_->MouseDown(on.x, on.y);
    Pump();
    EXPECT_EQ(ObjectPixel(*spin, 5, 5), kSpinDown);
    host_->MouseUp(on.x, on.y);
    Pump();
    EXPECT_EQ(frame_->WindowState(), skin::TbsWindowState::wsMaximized);
}

TEST_F(FeatureSkinTest, EachMorphKindTurnsTheNormalImageIntoTheHotOneItsOwnWay) {
    LoadAndShow();
    // The row of pixels 5 down the button with its morph factor moved from 0.3 to 0.5 by one
    // tick of the timer.
    auto halfMorphedRow = [this](TbsActiveSkinObject& button) {
        // The timer stopped, so that only this tick moves the factor.
        KillTimer(form_->Handle(), kMorphTimer);
        button.MorphFactor = 0.3;
        SendMessage(form_->Handle(), WM_TIMER, kMorphTimer, 0);
        Pump();
        EXPECT_NEAR(button.MorphFactor, 0.5, 1e-9) << button.IDName();
        std::vector<uint32_t> row;
        row.reserve(12);
        for (int x = 0; x < 12; ++x) row.push_back(ObjectPixel(button, x, 5));
        return row;
    };
    struct Expected {
        const char* name;
        std::function<uint32_t(int x)> at;
    };
    const double half = 0.5;
    auto normal = [](int x) { return x < 6 ? kMorphA : kMorphB; };
    auto hot = [](int x) { return x < 6 ? kMorphC : kMorphD; };
    const Expected kinds[] = {
        {"mkdefault", [&](int x) { return Mix(normal(x), hot(x), half); }},
        // The hot image slides in from the left, half its width by now.
        {"mkleftslide", [&](int x) { return x < 6 ? hot(x + 6) : normal(x); }},
        {"mkrightslide", [&](int x) { return x >= 6 ? hot(x - 6) : normal(x); }},
        // ... or pushes the normal image out to the right.
        {"mkpush", [&](int x) { return x < 6 ? hot(x + 6) : normal(x - 6); }},
        // A soft edge halfway across: all hot at its start, all normal at its end.
        {"mkleftgradient",
         [&](int x) { return Mix(normal(x), hot(x), std::clamp(1.0 - x / 11.0, 0.0, 1.0)); }},
        {"mkrightgradient",
         [&](int x) { return Mix(normal(x), hot(x), std::clamp(x / 11.0, 0.0, 1.0)); }},
        {"mkgradient",
         [&](int x) {
             return Mix(normal(x), hot(x), std::clamp(1.0 - std::abs(x / 11.0 - 0.5), 0.0, 1.0));
         }},
    };
    for (const Expected& kind : kinds) {
        TbsActiveSkinObject* button = frame_->FindObject(kind.name);
        ASSERT_NE(button, nullptr) << kind.name;
        MoveTo(*button);
        ASSERT_TRUE(button->Active) << kind.name;
        const std::vector<uint32_t> row = halfMorphedRow(*button);
        for (int x = 0; x < 12; ++x)
            EXPECT_TRUE(Near(row[size_t(x)], kind.at(x))) << kind.name << " at x = " << x;
    }
}

}  // namespace
}  // namespace skin_test::features
