#include "skin/skin_popup_window.h"

#include <algorithm>
#include <cmath>

#include "platform/gdi/gdi.h"
#include "platform/user/user.h"
#include "skin/skin_menu.h"

namespace skin {

using namespace platform;

namespace {

constexpr char kClassName[] = "TbsSkinPopupWindow";
constexpr int kScrollMarkerHeight = 10;
// Added to the widest caption besides the glyph column: room after the text.
constexpr int kTextMargin = 19;

void RegisterPopupClass(WNDPROC proc) {
    WNDCLASSEX existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoEx(nullptr, kClassName, &existing)) return;
    WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    RegisterClassEx(&wc);
}

bool Contains(const graphics::TRect& r, graphics::TPoint p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

}  // namespace

TbsSkinPopupWindow::TbsSkinPopupWindow(TbsSkinMenu& menu, int level, ui::TMenuItem& items,
                                       int firstIndex, const TbsMenuLookSettings& settings)
    : menu_(menu), level_(level), items_(items), look_(menu.SkinData(), settings) {
    for (int i = std::max(0, firstIndex); i < items.Count(); ++i) {
        if (items.Items(i)->Visible()) rows_.emplace_back(items.Items(i));
    }
    if (!rows_.empty()) look_.SetImages(rows_.front().MenuItem->GetImageList());
}

TbsSkinPopupWindow::~TbsSkinPopupWindow() {
    if (handle_ != nullptr && IsWindow(handle_)) {
        SetWindowLongPtr(handle_, GWLP_USERDATA, 0);
        DestroyWindow(handle_);
    }
}

// ---- size and place ----

void TbsSkinPopupWindow::ComputeSize() {
    buffer_.SetWidth(1);
    buffer_.SetHeight(1);
    int widest = 0;
    int total = 0;
    for (TbsSkinMenuItem& row : rows_) {
        int width = look_.MeasureItem(buffer_.Canvas(), row);
        int height = look_.ItemHeight(row);
        if (row.MenuItem->OwnerMeasured()) {
            row.MenuItem->OnMeasureItem(row.MenuItem, buffer_.Canvas(), width, height);
            row.OwnerHeight = std::max(1, height);
        }
        widest = std::max(widest, width);
        total += look_.ItemHeight(row);
    }
    width_ = widest + look_.GlyphWidth() + kTextMargin + look_.FrameWidth() + look_.RowTextExtra();
    height_ = total + look_.FrameHeight();
    const int most = menu_.MaxMenuItemsInWindow();
    if (most > 0 && ItemCount() > most) {
        height_ = look_.RegularItemHeight() * most + look_.FrameHeight() + 2 * kScrollMarkerHeight;
        scrolling_ = true;
    }
    const graphics::TRect area = menu_.WorkArea();
    if (area.Height() > 0 && height_ > area.Height()) {
        height_ = area.Height();
        scrolling_ = true;
        tallerThanWorkArea_ = true;
    }
}

void TbsSkinPopupWindow::Place(const graphics::TRect& r, bool popupUp, bool subMenu) {
    const graphics::TRect wa = menu_.WorkArea();
    const int w = width_;
    const int h = height_;
    const bool upperHalf = r.top < wa.top + wa.Height() / 2;
    int top = r.bottom;
    bool beside = subMenu || tallerThanWorkArea_;
    if (subMenu) {
        const int itemsTop = look_.ItemsRect(w, h).top;
        top = r.top - itemsTop;
        if (top + h > wa.bottom) {
            top = upperHalf ? wa.bottom - h : std::max<int>(wa.top, r.bottom + itemsTop - h);
        }
    } else {
        const bool fitsBelow = r.bottom + h <= wa.bottom;
        const bool fitsAbove = r.top - h >= wa.top;
        // Neither directly below nor directly above: shifted into the work area, and then
        // moved beside the anchor so that it does not cover it.
        bool shifted = false;
        if (popupUp ? fitsAbove : fitsBelow) {
            top = popupUp ? r.top - h : r.bottom;
        } else if (popupUp ? !upperHalf : upperHalf) {
            top = popupUp ? wa.top : wa.bottom - h;
            shifted = true;
        } else if (popupUp ? fitsBelow : fitsAbove) {
            top = popupUp ? r.bottom : r.top - h;
        } else {
            top = popupUp ? wa.bottom - h : wa.top;
            shifted = true;
        }
        beside = beside || shifted;
    }
    if (tallerThanWorkArea_) top = wa.top;
    int left = r.left;
    if (beside) left = r.right + 1 + w <= wa.right ? r.right + 1 : r.left - w - 1;
    // Whatever the anchor, the popup stays inside the work area where it can.
    left = std::max<int>(wa.left, std::min<int>(left, wa.right - w));
    top = std::max<int>(wa.top, std::min<int>(top, wa.bottom - h));
    bounds_ = graphics::Bounds(left, top, w, h);
}

void TbsSkinPopupWindow::LayoutRows() {
    const graphics::TRect items = look_.ItemsRect(width_, height_);
    int y = items.top + (scrolling_ ? kScrollMarkerHeight : 0);
    const int limit = items.bottom - (scrolling_ ? kScrollMarkerHeight : 0);
    visibleCount_ = 0;
    bool room = true;
    for (int i = 0; i < ItemCount(); ++i) {
        TbsSkinMenuItem& row = rows_[size_t(i)];
        row.VisibleInWindow = false;
        if (i < firstVisible_ || !room) continue;
        const int h = look_.ItemHeight(row);
        if (y + h > limit) {
            room = false;
            continue;
        }
        row.ItemRect = graphics::Rect(items.left, y, items.right, y + h);
        row.VisibleInWindow = true;
        ++visibleCount_;
        y += h;
    }
}

void TbsSkinPopupWindow::Show(const graphics::TRect& anchor, bool popupUp, bool subMenu) {
    ComputeSize();
    Place(anchor, popupUp, subMenu);
    LayoutRows();
    for (int i = 0; i < ItemCount(); ++i) {
        if (rows_[size_t(i)].Selectable()) {
            ChangeActive(i);
            EnsureVisible(i);
            break;
        }
    }
    RegisterPopupClass(&TbsSkinPopupWindow::StaticWndProc);
    handle_ = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName, "",
                             WS_POPUP, bounds_.left, bounds_.top, width_, height_, nullptr, nullptr,
                             nullptr, nullptr);
    if (handle_ == nullptr) return;
    SetWindowLongPtr(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    if (HRGN region = look_.CreateWindowRegion(width_, height_)) {
        if (!SetWindowRgn(handle_, region, FALSE)) DeleteObject(region);
    }
    Render();
    if (menu_.AlphaBlend())
        fade_.Apply(handle_, menu_.AlphaBlendValue(), menu_.AlphaBlendAnimation());
    ShowWindow(handle_, SW_SHOWNOACTIVATE);
    fade_.Start();
    SetWindowPos(handle_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    UpdateWindow(handle_);
    SetTimer(handle_, kMouseTimer, kMouseInterval, nullptr);
}

graphics::TRect TbsSkinPopupWindow::ItemScreenRect(int index) const {
    graphics::TRect r = Item(index).ItemRect;
    r.left += bounds_.left;
    r.right += bounds_.left;
    r.top += bounds_.top;
    r.bottom += bounds_.top;
    return r;
}

// ---- painting ----

void TbsSkinPopupWindow::Render() {
    buffer_.SetWidth(width_);
    buffer_.SetHeight(height_);
    graphics::TCanvas& canvas = buffer_.Canvas();
    look_.DrawBackground(canvas, width_, height_);
    int bottom = look_.ItemsRect(width_, height_).top;
    for (const TbsSkinMenuItem& row : rows_) {
        if (!row.VisibleInWindow) continue;
        look_.DrawItem(canvas, row);
        bottom = row.ItemRect.bottom;
    }
    if (scrolling_) {
        const graphics::TRect items = look_.ItemsRect(width_, height_);
        look_.DrawRowBackground(canvas, graphics::Rect(items.left, bottom, items.right,
                                                       items.bottom - kScrollMarkerHeight));
        look_.DrawScrollMarkers(canvas, items, scrollMarker_);
    }
}

void TbsSkinPopupWindow::Present() {
    Render();
    if (handle_ == nullptr) return;
    InvalidateRect(handle_, nullptr, FALSE);
    UpdateWindow(handle_);
}

void TbsSkinPopupWindow::Paint() {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(handle_, &ps);
    BitBlt(dc, 0, 0, width_, height_, buffer_.Canvas().Handle(), 0, 0, SRCCOPY);
    EndPaint(handle_, &ps);
}

// ---- state ----

void TbsSkinPopupWindow::ChangeActive(int index) {
    if (active_ >= 0) rows_[size_t(active_)].Active = false;
    active_ = index;
    if (index >= 0 && rows_[size_t(index)].Selectable()) rows_[size_t(index)].Active = true;
    if (!look_.Animated() || handle_ == nullptr) {
        for (TbsSkinMenuItem& row : rows_) {
            row.MorphFactor = row.Active ? 1 : 0;
            row.AnimationFrame = row.Active ? look_.FrameCount() + 1 : 0;
        }
        return;
    }
    if (!animating_) {
        animating_ = true;
        SetTimer(handle_, kAnimationTimer, kAnimationInterval, nullptr);
    }
}

void TbsSkinPopupWindow::AnimationTick() {
    bool pending = false;
    for (TbsSkinMenuItem& row : rows_) {
        const double target = row.Active ? 1 : 0;
        // The last step lands exactly on the target, whatever rounding the steps gathered.
        if (std::abs(target - row.MorphFactor) <= kMorphStep + 1e-9) {
            row.MorphFactor = target;
        } else {
            row.MorphFactor += row.MorphFactor < target ? kMorphStep : -kMorphStep;
        }
        pending = pending || row.MorphFactor != target;
        // One frame of the strip each tick, forward while active and back when not.
        const int frameTarget = row.Active ? look_.FrameCount() + 1 : 0;
        if (row.AnimationFrame != frameTarget) row.AnimationFrame += row.Active ? 1 : -1;
        pending = pending || row.AnimationFrame != frameTarget;
    }
    if (!pending) {
        animating_ = false;
        KillTimer(handle_, kAnimationTimer);
    }
    Present();
}

void TbsSkinPopupWindow::SetItemDown(int index, bool down) {
    if (index < 0 || index >= ItemCount()) return;
    rows_[size_t(index)].Down = down;
}

void TbsSkinPopupWindow::EnsureVisible(int index) {
    if (index < 0 || index >= ItemCount()) return;
    if (index < firstVisible_) {
        firstVisible_ = index;
        LayoutRows();
    }
    while (index > LastVisibleItem() && firstVisible_ < index) {
        ++firstVisible_;
        LayoutRows();
    }
}

void TbsSkinPopupWindow::ScrollBy(int delta) {
    firstVisible_ = std::clamp(firstVisible_ + delta, 0, std::max(0, ItemCount() - 1));
    LayoutRows();
    Present();
    menu_.CloseFrom(level_ + 1);
}

void TbsSkinPopupWindow::StartScroll(TbsScrollMarker marker) {
    if (scrollMarker_ == marker) return;
    scrollMarker_ = marker;
    if (handle_ != nullptr) SetTimer(handle_, kScrollTimer, kScrollInterval, nullptr);
    Present();
}

void TbsSkinPopupWindow::StopScroll() {
    if (scrollMarker_ == TbsScrollMarker::None) return;
    scrollMarker_ = TbsScrollMarker::None;
    if (handle_ != nullptr) KillTimer(handle_, kScrollTimer);
    Present();
}

void TbsSkinPopupWindow::StartWaitTimer() {
    if (handle_ != nullptr) SetTimer(handle_, kWaitTimer, kWaitInterval, nullptr);
}

void TbsSkinPopupWindow::StopWaitTimer() {
    if (handle_ != nullptr) KillTimer(handle_, kWaitTimer);
}

// ---- mouse ----

int TbsSkinPopupWindow::RowAt(graphics::TPoint point) const {
    for (int i = 0; i < ItemCount(); ++i) {
        const TbsSkinMenuItem& row = rows_[size_t(i)];
        if (row.VisibleInWindow && Contains(row.ItemRect, point)) return i;
    }
    return -1;
}

void TbsSkinPopupWindow::TrackMouse() {
    POINT cursor{};
    GetCursorPos(&cursor);
    if (handle_ == nullptr || WindowFromPoint(cursor) != handle_) {
        StopScroll();
        return;
    }
    TrackPoint({cursor.x - bounds_.left, cursor.y - bounds_.top});
}

void TbsSkinPopupWindow::TrackPoint(graphics::TPoint point) {
    if (scrolling_) {
        const graphics::TRect items = look_.ItemsRect(width_, height_);
        const graphics::TRect up =
            graphics::Rect(items.left, items.top, items.right, items.top + kScrollMarkerHeight);
        const graphics::TRect down = graphics::Rect(items.left, items.bottom - kScrollMarkerHeight,
                                                    items.right, items.bottom);
        if (Contains(up, point) && firstVisible_ > 0) {
            StartScroll(TbsScrollMarker::Up);
        } else if (Contains(down, point) && LastVisibleItem() < ItemCount() - 1) {
            StartScroll(TbsScrollMarker::Down);
        } else {
            StopScroll();
        }
    }
    const int hit = RowAt(point);
    if (hit < 0 || hit == active_) return;
    ChangeActive(hit);
    Present();
    if (rows_[size_t(hit)].Selectable()) menu_.ItemActivated(*this, hit, false);
}

void TbsSkinPopupWindow::MouseUp(graphics::TPoint point) {
    TrackPoint(point);
    const int hit = RowAt(point);
    if (hit < 0 || hit != active_ || rows_[size_t(hit)].IsSeparator()) return;
    Click(hit);  // may close this window: nothing may follow
}

void TbsSkinPopupWindow::ScrollTick() {
    if (scrollMarker_ == TbsScrollMarker::Up && firstVisible_ > 0) {
        ScrollBy(-1);
    } else if (scrollMarker_ == TbsScrollMarker::Down && LastVisibleItem() < ItemCount() - 1) {
        ScrollBy(1);
    } else {
        StopScroll();
    }
}

// A disabled item does not run; the menu stays open.
void TbsSkinPopupWindow::Click(int index) {
    if (!rows_[size_t(index)].Selectable()) return;
    menu_.ItemActivated(*this, index, true);
}

// ---- keys ----

bool TbsSkinPopupWindow::KeyDown(int key) {
    const int count = ItemCount();
    auto select = [this](int index) {
        ChangeActive(index);
        EnsureVisible(index);
        Present();
    };
    switch (key) {
        case VK_RETURN:
            if (active_ >= 0) Click(active_);
            return true;
        case VK_DOWN: {
            const int from = (active_ < 0 || active_ == count - 1) ? 0 : active_ + 1;
            for (int i = from; i < count; ++i) {
                if (rows_[size_t(i)].Selectable()) {
                    select(i);
                    break;
                }
            }
            return true;
        }
        case VK_UP: {
            const int from = active_ <= 0 ? count - 1 : active_ - 1;
            for (int i = from; i >= 0; --i) {
                if (rows_[size_t(i)].Selectable()) {
                    select(i);
                    break;
                }
            }
            return true;
        }
        case VK_RIGHT:
            if (active_ >= 0 && rows_[size_t(active_)].HasSubItems()) Click(active_);
            return true;
        case VK_LEFT:
            if (menu_.PopupCount() > 1) menu_.CloseFrom(level_);
            return true;
        case VK_ESCAPE:
            if (menu_.PopupCount() > 1) {
                menu_.CloseFrom(level_);
            } else {
                menu_.CloseAll();
            }
            return true;
        default:
            break;
    }
    const bool letter = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
    if (!letter) return false;
    for (int i = 0; i < count; ++i) {
        if (rows_[size_t(i)].Accelerator() == char(key) && rows_[size_t(i)].Selectable()) {
            select(i);
            Click(i);
            return true;
        }
    }
    return false;
}

// ---- window procedure ----

LRESULT TbsSkinPopupWindow::StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TbsSkinPopupWindow*>(GetWindowLongPtr(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProc(window, message, wParam, lParam);
    // The handler may close the menu and free `self`: nothing may touch it afterwards.
    return self->WndProc(message, wParam, lParam);
}

LRESULT TbsSkinPopupWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const graphics::TPoint point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_TIMER:
            if (wParam == kMouseTimer) {
                TrackMouse();
            } else if (wParam == kScrollTimer) {
                ScrollTick();
            } else if (wParam == kAnimationTimer) {
                AnimationTick();
            } else if (wParam == kWaitTimer) {
                KillTimer(handle_, kWaitTimer);
                menu_.WaitTimerFired();
            }
            return 0;
        case WM_MOUSEMOVE:
            TrackPoint(point);
            return 0;
        case WM_LBUTTONUP:
            MouseUp(point);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MOUSEWHEEL:
            return 0;
        default:
            return DefWindowProc(handle_, message, wParam, lParam);
    }
}

}  // namespace skin
