#pragma once
// One level of a skinned menu: a borderless top-most window that never takes the focus,
// sized for its items, placed inside the work area next to its anchor, painted into an
// off-screen bitmap, and driven by a 50 ms mouse timer, a 100 ms scroll timer and the keys
// the form routes to it.
#include <memory>
#include <vector>

#include "graphics/bitmap.h"
#include "graphics/types.h"
#include "platform/user/winuser.h"
#include "skin/skin_menu_item.h"
#include "skin/skin_popup_look.h"
#include "ui/window_fade.h"

namespace skin {

class TbsSkinMenu;

class TbsSkinPopupWindow {
  public:
    static constexpr platform::UINT_PTR kMouseTimer = 1;
    static constexpr platform::UINT_PTR kScrollTimer = 2;
    static constexpr platform::UINT_PTR kWaitTimer = 3;
    static constexpr platform::UINT_PTR kAnimationTimer = 4;
    static constexpr platform::UINT kMouseInterval = 50;
    static constexpr platform::UINT kScrollInterval = 100;
    static constexpr platform::UINT kWaitInterval = 500;
    static constexpr platform::UINT kAnimationInterval = 20;
    // How far a morphing row moves towards its new image on each animation tick.
    static constexpr double kMorphStep = 0.2;

    // The visible items of `items` from `firstIndex` on.
    TbsSkinPopupWindow(TbsSkinMenu& menu, int level, ui::TMenuItem& items, int firstIndex,
                       const TbsMenuLookSettings& settings);
    ~TbsSkinPopupWindow();
    TbsSkinPopupWindow(const TbsSkinPopupWindow&) = delete;
    TbsSkinPopupWindow& operator=(const TbsSkinPopupWindow&) = delete;

    // Sizes the window, places it next to `anchor` (screen coordinates) and shows it without
    // activation; the first selectable item becomes active.
    void Show(const graphics::TRect& anchor, bool popupUp, bool subMenu);

    platform::HWND Handle() const { return handle_; }
    int Level() const { return level_; }
    ui::TMenuItem& Items() const { return items_; }
    graphics::TRect BoundsRect() const { return bounds_; }
    int ItemCount() const { return int(rows_.size()); }
    const TbsSkinMenuItem& Item(int index) const { return rows_.at(size_t(index)); }
    // The item's row in screen coordinates.
    graphics::TRect ItemScreenRect(int index) const;
    int ActiveItem() const { return active_; }
    int FirstVisibleItem() const { return firstVisible_; }
    int VisibleCount() const { return visibleCount_; }
    bool Scrolling() const { return scrolling_; }
    bool ScrollTimerRunning() const { return scrollMarker_ != TbsScrollMarker::None; }
    const TbsPopupLook& Look() const { return look_; }
    // The popup as last painted.
    graphics::TBitmap& Buffer() { return buffer_; }

    // Marks an item whose sub-menu is open (or no longer open).
    void SetItemDown(int index, bool down);
    void StartWaitTimer();
    void StopWaitTimer();

    // ---- input ----
    // The 50 ms mouse check at the cursor's position.
    void TrackMouse();
    // A point in client coordinates: scroll markers and the active item.
    void TrackPoint(graphics::TPoint point);
    void MouseUp(graphics::TPoint point);
    void ScrollTick();
    // The 20 ms step of rows morphing between their normal and active images.
    void AnimationTick();
    bool AnimationRunning() const { return animating_; }
    // A key for this (innermost) level; true when consumed. May close this window.
    bool KeyDown(int key);

  private:
    static platform::LRESULT StaticWndProc(platform::HWND window, platform::UINT message,
                                           platform::WPARAM wParam, platform::LPARAM lParam);
    platform::LRESULT WndProc(platform::UINT message, platform::WPARAM wParam,
                              platform::LPARAM lParam);
    void ComputeSize();
    void Place(const graphics::TRect& anchor, bool popupUp, bool subMenu);
    void LayoutRows();
    void Render();
    void Present();
    void Paint();
    int RowAt(graphics::TPoint point) const;
    int LastVisibleItem() const { return firstVisible_ + visibleCount_ - 1; }
    void ChangeActive(int index);
    void EnsureVisible(int index);
    void ScrollBy(int delta);
    void StartScroll(TbsScrollMarker marker);
    void StopScroll();
    void Click(int index);

    TbsSkinMenu& menu_;
    int level_;
    ui::TMenuItem& items_;
    TbsPopupLook look_;
    std::vector<TbsSkinMenuItem> rows_;
    platform::HWND handle_ = nullptr;
    graphics::TRect bounds_;
    int width_ = 0, height_ = 0;
    bool scrolling_ = false;
    bool tallerThanWorkArea_ = false;
    int firstVisible_ = 0;
    int visibleCount_ = 0;
    int active_ = -1;
    TbsScrollMarker scrollMarker_ = TbsScrollMarker::None;
    bool animating_ = false;
    graphics::TBitmap buffer_;
    ui::TWindowFade fade_;
};

}  // namespace skin
