// The frame's mouse: hit testing, the caption objects' hot and pressed states, the hover
// timer that notices the cursor leaving, double clicks on the caption and the system menu.
#include <algorithm>

#include "platform/user/user.h"
#include "skin/frame_hit_test.h"
#include "skin/skin_frame.h"

namespace skin {

using namespace platform;

namespace {

constexpr UINT_PTR kHoverTimer = 0x5B01;
constexpr UINT_PTR kMorphTimer = 0x5B02;
constexpr UINT_PTR kAnimationTimer = 0x5B03;
constexpr UINT kHoverInterval = 50;
constexpr UINT kMorphInterval = 25;
constexpr double kMorphStep = 0.2;

ui::TMouseButton ButtonOf(UINT msg) {
    switch (msg) {
        case WM_NCRBUTTONDOWN:
        case WM_NCRBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            return ui::TMouseButton::mbRight;
        default:
            return ui::TMouseButton::mbLeft;
    }
}

}  // namespace

graphics::TPoint TbsSkinFrame::ScreenToWindow(LPARAM lParam) const {
    RECT r{};
    if (HWND window = FormWindow()) GetWindowRect(window, &r);
    return {GET_X_LPARAM(lParam) - r.left, GET_Y_LPARAM(lParam) - r.top};
}

graphics::TPoint TbsSkinFrame::ClientToWindow(LPARAM lParam) const {
    const TbsFrameInsets insets = Insets();
    return {GET_X_LPARAM(lParam) + insets.Left, GET_Y_LPARAM(lParam) + insets.Top};
}

TbsActiveSkinObject* TbsSkinFrame::ObjectAt(graphics::TPoint p) const {
    TbsActiveSkinObject* caption = nullptr;
    for (const auto& object : objects_) {
        if (!object->Contains(p)) continue;
        if (dynamic_cast<TbsSkinCaptionObject*>(object.get()) == nullptr) return object.get();
        caption = object.get();
    }
    return caption;
}

// ---- hit testing ----

void TbsSkinFrame::WMNCHitTest(ui::TMessage& m) {
    const graphics::TPoint p = ScreenToWindow(m.LParam);
    if (form_->BorderStyle() == ui::TFormBorderStyle::bsNone) {
        CallPrevious(m);
        return;
    }
    if (!SkinActive()) {
        const bool sizeable = Sizeable() && windowState_ != TbsWindowState::wsMaximized;
        m.Result = PlainHitTest(WindowBounds().Width(), WindowBounds().Height(), kDefaultBorder,
                                GetSystemMetrics(SM_CYCAPTION), sizeable, p);
        return;
    }
    const TbsFrameGeometry g = Geometry();
    PlaceCaptionObjects(objects_, g, skinData_->FormInfo());
    TbsActiveSkinObject* object = ObjectAt(p);
    TbsHitTestState s;
    s.BorderWidth = skinData_->FormInfo().BorderWidth;
    s.Region = region_;
    s.HasMask = region_ != nullptr;
    s.RolledUpOrMinimized = rolledUp_ || windowState_ == TbsWindowState::wsMinimized;
    s.Maximized = windowState_ == TbsWindowState::wsMaximized;
    s.Sizeable = Sizeable();
    s.ObjectHot = hot_ != nullptr;
    s.SizeMoving = sizeMoving_;
    s.OnObject = object != nullptr;
    s.OnCaption = dynamic_cast<TbsSkinCaptionObject*>(object) != nullptr;
    m.Result = SkinHitTest(g, s, p);
    if (m.Result == kNeutralHit && !hoverTimer_) StartHoverTimer();
}

// ---- buttons ----

void TbsSkinFrame::WMNCButtonDown(ui::TMessage& m) {
    // A press that arrives while the window is being moved or sized belongs to that loop.
    if (m.Msg == WM_NCLBUTTONDOWN && sizeMoving_) return;
    const ui::TMouseButton button = ButtonOf(m.Msg);
    const bool onCaption = LRESULT(m.WParam) == HTCAPTION;
    // A maximized window stays where it is.
    const bool keepPlace = onCaption && button == ui::TMouseButton::mbLeft &&
                           windowState_ == TbsWindowState::wsMaximized;
    std::shared_ptr<bool> alive = alive_;
    if (!keepPlace) CallPrevious(m);
    if (!*alive || !SkinActive()) return;
    const graphics::TPoint p = ScreenToWindow(LPARAM(GetMessagePos()));
    const graphics::TPoint at = m.LParam != 0 ? ScreenToWindow(m.LParam) : p;
    if (TbsActiveSkinObject* object = ObjectAt(at)) {
        const bool isCaption = dynamic_cast<TbsSkinCaptionObject*>(object) != nullptr;
        if (!isCaption) {
            pressed_ = object;
            SetCapture(FormWindow());
        }
        object->MouseDown(at.x, at.y, button);
        if (!*alive) return;
        if (isCaption) pressed_ = nullptr;
    }
    if (onCaption && button == ui::TMouseButton::mbRight && !disableSystemMenu_) {
        POINT cursor{};
        GetCursorPos(&cursor);
        OpenSystemMenu({cursor.x, cursor.y});
    }
}

void TbsSkinFrame::WMButtonUp(ui::TMessage& m) {
    const bool clientMessage = m.Msg == WM_LBUTTONUP || m.Msg == WM_RBUTTONUP;
    if (pressed_ == nullptr) {
        if (clientMessage) CallPrevious(m);
        return;
    }
    const graphics::TPoint p = clientMessage ? ClientToWindow(m.LParam) : ScreenToWindow(m.LParam);
    TbsActiveSkinObject* object = pressed_;
    pressed_ = nullptr;
    if (GetCapture() == FormWindow()) ReleaseCapture();
    // Fires the object's command when the mouse is still on it.
    object->MouseUp(p.x, p.y, ButtonOf(m.Msg));
}

void TbsSkinFrame::WMNCMouseMove(ui::TMessage& m) {
    if (SkinActive() && !sizeMoving_) {
        const graphics::TPoint p = ScreenToWindow(m.LParam);
        TbsActiveSkinObject* object = ObjectAt(p);
        SetHotObject(object);
        if (object != nullptr) object->MouseMove(p.x, p.y);
    }
    CallPrevious(m);
}

void TbsSkinFrame::WMMouseMove(ui::TMessage& m) {
    if (pressed_ != nullptr) {
        // The pressed object holds the mouse: it looks pressed only while the mouse is on it.
        const graphics::TPoint p = ClientToWindow(m.LParam);
        const bool in = pressed_->Contains(p);
        if (in != pressed_->MouseIn) {
            pressed_->MouseIn = in;
            pressed_->Active = in && pressed_->Enabled;
            RedrawObject(*pressed_);
        }
        pressed_->MouseMove(p.x, p.y);
        return;
    }
    CallPrevious(m);
}

void TbsSkinFrame::WMNCLButtonDblClk(ui::TMessage& m) {
    if (!SkinActive()) {
        CallPrevious(m);
        return;
    }
    if (LRESULT(m.WParam) != HTCAPTION) {
        TbsActiveSkinObject* object = ObjectAt(ScreenToWindow(m.LParam));
        if (object == nullptr) return;
        std::shared_ptr<bool> alive = alive_;
        object->DblClick();
        if (!*alive) return;
        // The second press of a quick double click presses a caption button again.
        auto* button = dynamic_cast<TbsSkinStdButtonObject*>(object);
        if (button != nullptr && button->StdCommand() != TbsStdCommand::cmSysMenu) {
            m.Msg = WM_NCLBUTTONDOWN;
            WMNCButtonDown(m);
        }
        return;
    }
    // A double click on the caption brings a minimized or maximized window back, maximizes a
    // normal one that may be maximized, and otherwise rolls the window up or back down.
    const bool sizeable = Sizeable();
    const bool restorable =
        windowState_ == TbsWindowState::wsMinimized || windowState_ == TbsWindowState::wsMaximized;
    if (sizeable && restorable)
        Restore();
    else if (sizeable && windowState_ == TbsWindowState::wsNormal && !rolledUp_ &&
             (borderIcons_ & biMaximize))
        Maximize();
    else
        RollUp();
}

void TbsSkinFrame::WMSetCursor(ui::TMessage& m) {
    const LRESULT hit = LRESULT(LOWORD(m.LParam));
    // Over the frame the form's cursor is used too, except where the frame sizes the window.
    if (useFormCursorInNCArea_ && hit != HTCLIENT && !(hit >= HTLEFT && hit <= HTBOTTOMRIGHT)) {
        HCURSOR cursor = form_->Cursor();
        SetCursor(cursor != nullptr ? cursor : LoadCursor(nullptr, IDC_ARROW));
        m.Result = 1;
        return;
    }
    CallPrevious(m);
}

// ---- hot object and timers ----

void TbsSkinFrame::SetHotObject(TbsActiveSkinObject* object) {
    if (object == hot_) return;
    TbsActiveSkinObject* previous = hot_;
    hot_ = object;
    if (previous != nullptr) previous->MouseLeave();
    if (object != nullptr) {
        object->MouseEnter();
        StartHoverTimer();
    }
}

void TbsSkinFrame::ClearHotAndPressed() {
    for (const auto& object : objects_) {
        object->Active = false;
        object->MouseIn = false;
        object->Down = false;
        object->MorphFactor = 0;
    }
    hot_ = nullptr;
    pressed_ = nullptr;
}

void TbsSkinFrame::CheckHover() {
    if (hot_ == nullptr || pressed_ != nullptr) {
        // Nothing left to watch; a morph under way (an object fading back) runs on.
        if (hot_ == nullptr && pressed_ == nullptr) StopHoverTimer();
        return;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    const bool overForm = WindowFromPoint(cursor) == FormWindow();
    const graphics::TPoint p = ScreenToWindow(MAKELPARAM(cursor.x, cursor.y));
    if (!overForm || !hot_->Contains(p)) SetHotObject(nullptr);
}

void TbsSkinFrame::WMTimer(ui::TMessage& m) {
    switch (m.WParam) {
        case kHoverTimer:
            CheckHover();
            return;
        case kMorphTimer:
            MorphStep();
            return;
        case kAnimationTimer:
            AnimationStep();
            return;
        default:
            CallPrevious(m);
            return;
    }
}

void TbsSkinFrame::StartMorphing() {
    if (HWND window = FormWindow()) SetTimer(window, kMorphTimer, kMorphInterval, nullptr);
}

void TbsSkinFrame::MorphStep() {
    bool pending = false;
    for (const auto& object : objects_) {
        if (!object->MorphPending()) continue;
        const double step = object->Active ? kMorphStep : -kMorphStep;
        object->MorphFactor = std::clamp(object->MorphFactor + step, 0.0, 1.0);
        RedrawObject(*object);
        pending = pending || object->MorphPending();
    }
    if (!pending)
        if (HWND window = FormWindow()) KillTimer(window, kMorphTimer);
}

void TbsSkinFrame::StartObjectAnimation() {
    // One timer for all animated objects, as fast as the fastest of them.
    int interval = 0;
    for (const auto& object : objects_)
        if (object->AnimationPending())
            interval = interval == 0 ? object->AnimationInterval()
                                     : std::min(interval, object->AnimationInterval());
    HWND window = FormWindow();
    if (window == nullptr) return;
    if (interval > 0)
        SetTimer(window, kAnimationTimer, UINT(interval), nullptr);
    else
        KillTimer(window, kAnimationTimer);
}

void TbsSkinFrame::AnimationStep() {
    for (const auto& object : objects_) {
        if (!object->AnimationPending()) continue;
        object->AnimationStep();
        RedrawObject(*object);
    }
    StartObjectAnimation();
}

void TbsSkinFrame::StartHoverTimer() {
    HWND window = FormWindow();
    if (window == nullptr || hoverTimer_) return;
    SetTimer(window, kHoverTimer, kHoverInterval, nullptr);
    hoverTimer_ = true;
}

void TbsSkinFrame::StopHoverTimer() {
    hoverTimer_ = false;
    if (HWND window = FormWindow()) KillTimer(window, kHoverTimer);
}

void TbsSkinFrame::StopTimers() {
    StopHoverTimer();
    HWND window = FormWindow();
    if (window == nullptr) return;
    KillTimer(window, kMorphTimer);
    KillTimer(window, kAnimationTimer);
}

}  // namespace skin
