// The frame's sizes and the window states it emulates now that the system caption is gone:
// the frame widths, minimum and maximum sizes, maximize, restore, minimize and roll-up, and
// the first placement on the screen.
#include <algorithm>

#include "platform/gdi/gdi.h"
#include "platform/user/user.h"
#include "skin/skin_frame.h"
#include "ui/application.h"

namespace skin {

using namespace platform;

namespace {

struct MonitorAreas {
    RECT full{}, work{};
};

MonitorAreas AreasFor(HWND window, const graphics::TRect& bounds) {
    MonitorAreas areas;
    HMONITOR monitor = window != nullptr ? MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)
                                         : MonitorFromPoint(POINT{bounds.left, bounds.top},
                                                            MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (monitor != nullptr && GetMonitorInfo(monitor, &info)) {
        areas.full = info.rcMonitor;
        areas.work = info.rcWork;
        return areas;
    }
    areas.full = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &areas.work, 0);
    return areas;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

// ---- sizes ----

int TbsSkinFrame::MinimumWidth() const {
    if (!SkinActive()) return minWidth_ > 0 ? minWidth_ : 120;
    const int pictureWidth = skinData_->FramePicture().Width();
    if (minWidth_ > pictureWidth && windowState_ != TbsWindowState::wsMinimized) return minWidth_;
    const int formMinWidth = skinData_->FormInfo().FormMinWidth;
    return formMinWidth > 0 ? formMinWidth : pictureWidth;
}

int TbsSkinFrame::MinimumHeight() const {
    if (!SkinActive()) return minHeight_ > 0 ? minHeight_ : GetSystemMetrics(SM_CYCAPTION) + 6;
    const int frameHeight =
        skinData_->FramePicture().Height() - skinData_->FormInfo().ClRect.Height();
    if (minHeight_ > frameHeight && !rolledUp_ && windowState_ != TbsWindowState::wsMinimized)
        return minHeight_;
    return frameHeight;
}

graphics::TRect TbsSkinFrame::MaximizedBounds() const {
    const MonitorAreas areas = AreasFor(FormWindow(), WindowBounds());
    RECT r = maximizeOnFullScreen_ ? areas.full : areas.work;
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    // A window covering the whole screen exactly would be taken for a full-screen one.
    if (SameRect(areas.work, areas.full) && SameRect(areas.full, screen)) InflateRect(&r, -1, -1);
    return graphics::TRect::FromRECT(r);
}

void TbsSkinFrame::WMNCCalcSize(ui::TMessage& m) {
    if (form_->BorderStyle() == ui::TFormBorderStyle::bsNone || m.LParam == 0) {
        CallPrevious(m);
        return;
    }
    // Both forms of the message start with the window rectangle, which becomes the client's.
    RECT* rect = reinterpret_cast<RECT*>(m.LParam);
    const TbsFrameInsets insets = Insets();
    rect->left += insets.Left;
    rect->top += insets.Top;
    rect->right -= insets.Right;
    rect->bottom -= insets.Bottom;
    rect->right = std::max(rect->right, rect->left);
    rect->bottom = std::max(rect->bottom, rect->top);
    m.Result = 0;
}

void TbsSkinFrame::WMSize(ui::TMessage& m) {
    CallPrevious(m);
    lastWidth_ = WindowBounds().Width();
    lastHeight_ = WindowBounds().Height();
    // Restored from the minimized state from outside (the task bar).
    if (m.WParam == SIZE_RESTORED && windowState_ == TbsWindowState::wsMinimized &&
        FormWindow() != nullptr && !IsIconic(FormWindow()))
        windowState_ = stateBeforeMinimize_;
    if (SkinActive() && lastWidth_ >= MinimumWidth() && lastHeight_ >= MinimumHeight()) {
        UpdateRegion();
        RepaintFrame();
    }
}

void TbsSkinFrame::WMGetMinMaxInfo(ui::TMessage& m) {
    CallPrevious(m);
    auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
    if (info == nullptr) return;
    info->ptMinTrackSize = POINT{MinimumWidth(), MinimumHeight()};
    const MonitorAreas areas = AreasFor(FormWindow(), WindowBounds());
    const RECT& area = maximizeOnFullScreen_ ? areas.full : areas.work;
    int maxW = area.right - area.left;
    int maxH = area.bottom - area.top;
    if (maxWidth_ > 0 && maxWidth_ < maxW) maxW = maxWidth_;
    if (maxHeight_ > 0 && maxHeight_ < maxH) maxH = maxHeight_;
    info->ptMaxTrackSize = POINT{std::max(maxW, MinimumWidth()), std::max(maxH, MinimumHeight())};
}

// ---- window states ----

void TbsSkinFrame::Maximize() {
    if (windowState_ == TbsWindowState::wsMaximized) return;
    if (windowState_ == TbsWindowState::wsMinimized && FormWindow() != nullptr)
        ShowWindow(FormWindow(), SW_RESTORE);
    if (!normalBoundsSaved_) {
        normalBounds_ = WindowBounds();
        normalBoundsSaved_ = true;
    }
    windowState_ = TbsWindowState::wsMaximized;
    const graphics::TRect r = MaximizedBounds();
    form_->SetBounds(r.left, r.top, r.Width(), r.Height());
    RepaintFrame();
    if (OnMaximize) OnMaximize(this);
}

void TbsSkinFrame::Restore() {
    switch (windowState_) {
        case TbsWindowState::wsMinimized:
            windowState_ = stateBeforeMinimize_;
            if (FormWindow() != nullptr) ShowWindow(FormWindow(), SW_RESTORE);
            break;
        case TbsWindowState::wsMaximized:
            windowState_ = TbsWindowState::wsNormal;
            if (normalBoundsSaved_)
                form_->SetBounds(normalBounds_.left, normalBounds_.top, normalBounds_.Width(),
                                 normalBounds_.Height());
            normalBoundsSaved_ = false;
            break;
        case TbsWindowState::wsNormal:
            if (rolledUp_) RollUp();
            break;
    }
    RepaintFrame();
    if (OnRestore) OnRestore(this);
}

void TbsSkinFrame::Minimize() {
    if (windowState_ == TbsWindowState::wsMinimized) return;
    stateBeforeMinimize_ = windowState_;
    windowState_ = TbsWindowState::wsMinimized;
    if (ui::Application().MainForm() == form_)
        ui::Application().Minimize();
    else if (FormWindow() != nullptr)
        ShowWindow(FormWindow(), SW_MINIMIZE);
    if (OnMinimize) OnMinimize(this);
}

void TbsSkinFrame::RollUp() {
    if (!rolledUp_) {
        if (!(borderIcons_ & biRollUp) || windowState_ != TbsWindowState::wsNormal) return;
        rollUpHeight_ = WindowBounds().Height();
        rolledUp_ = true;
        form_->SetBounds(WindowBounds().left, WindowBounds().top, WindowBounds().Width(),
                         MinimumHeight());
    } else {
        rolledUp_ = false;
        form_->SetBounds(WindowBounds().left, WindowBounds().top, WindowBounds().Width(),
                         rollUpHeight_);
    }
    RepaintFrame();
    if (OnChangeRollUpState) OnChangeRollUpState(this);
}

void TbsSkinFrame::MinimizeToTray() {
    // There is no tray icon to come back from; the window is minimized instead.
    Minimize();
}

void TbsSkinFrame::CloseForm() {
    form_->Close();
}

// ---- placement ----

void TbsSkinFrame::WMShowWindow(ui::TMessage& m) {
    if (m.WParam != 0) PositionAtFirstShow();
    CallPrevious(m);
}

void TbsSkinFrame::PositionAtFirstShow() {
    if (firstShowDone_) return;
    firstShowDone_ = true;
    if (positionInMonitor_ == TbsPositionInMonitor::bspDefault ||
        windowState_ != TbsWindowState::wsNormal)
        return;
    const MonitorAreas areas = AreasFor(FormWindow(), WindowBounds());
    const RECT& area =
        positionInMonitor_ == TbsPositionInMonitor::bspScreenCenter ? areas.full : areas.work;
    const int w = WindowBounds().Width();
    const int h = WindowBounds().Height();
    const int left = area.left + (area.right - area.left) / 2 - w / 2;
    const int top = area.top + (area.bottom - area.top) / 2 - h / 2;
    form_->SetBounds(left, top, w, h);
}

void TbsSkinFrame::WMMoving(ui::TMessage& m) {
    CallPrevious(m);
    auto* r = reinterpret_cast<RECT*>(m.LParam);
    if (!magnetic_ || r == nullptr) return;
    const RECT work = AreasFor(FormWindow(), WindowBounds()).work;
    const int w = r->right - r->left;
    const int h = r->bottom - r->top;
    auto near = [this](int a, int b) { return std::abs(a - b) <= magneticSize_; };
    if (near(r->left, work.left))
        r->left = work.left;
    else if (near(r->right, work.right))
        r->left = work.right - w;
    if (near(r->top, work.top))
        r->top = work.top;
    else if (near(r->bottom, work.bottom))
        r->top = work.bottom - h;
    r->right = r->left + w;
    r->bottom = r->top + h;
}

}  // namespace skin
