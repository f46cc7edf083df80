#pragma once
// The skinned menu engine of one form: it opens one popup window per menu level, tracks which
// item waits to open its sub-menu, runs the chosen item's command after closing, and tells
// the opening control and the form when the last level has gone.
//
// The default item font (SetDefaultItemFont, by name and height or from a font) is used when
// no skin supplies a menu item font.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "graphics/types.h"
#include "platform/user/winuser.h"

namespace graphics {
class TFont;
}

namespace ui {
class TComponent;
class TControl;
class TMenuItem;
}  // namespace ui

namespace skin {

class TbsSkinData;
class TbsSkinMenuHost;
class TbsSkinPopupWindow;

// Sent to the control that opened a skinned menu when the menu has closed.
inline constexpr platform::UINT WM_CLOSESKINMENU = platform::WM_USER + 204;

class TbsSkinMenu {
  public:
    explicit TbsSkinMenu(ui::TComponent* frameOwner);
    ~TbsSkinMenu();
    TbsSkinMenu(const TbsSkinMenu&) = delete;
    TbsSkinMenu& operator=(const TbsSkinMenu&) = delete;

    // Closes what is open and shows `items` from `firstIndex` on, next to `anchor` (screen
    // coordinates; a point is a zero-size rect). `onClose` runs once when this menu closes.
    // Nothing is shown when no visible item is left from the first index. A menu still open
    // is closed here with the host told, so callers close it before marking the form's menu
    // state open.
    void Popup(ui::TControl* opener, TbsSkinData* skinData, bool popupUp, ui::TMenuItem& items,
               graphics::TRect anchor, int firstIndex, std::function<void()> onClose = {});
    void CloseAll();
    // Closes level `level` and every deeper one.
    void CloseFrom(int level);
    bool Visible() const { return visible_; }

    // Told when the last popup closes (may be null).
    void SetHost(TbsSkinMenuHost* host) { host_ = host; }
    TbsSkinMenuHost* Host() const { return host_; }

    int MaxMenuItemsInWindow() const { return maxMenuItemsInWindow_; }
    void SetMaxMenuItemsInWindow(int value) { maxMenuItemsInWindow_ = value < 0 ? 0 : value; }
    bool UseSkinFont() const { return useSkinFont_; }
    void SetUseSkinFont(bool value) { useSkinFont_ = value; }
    int DefaultItemHeight() const { return defaultItemHeight_; }
    void SetDefaultItemHeight(int value) { defaultItemHeight_ = value < 1 ? 1 : value; }
    const std::string& DefaultItemFontName() const { return defaultFontName_; }
    int DefaultItemFontHeight() const { return defaultFontHeight_; }
    uint8_t DefaultItemFontStyle() const { return defaultFontStyle_; }
    uint8_t DefaultItemFontCharset() const { return defaultFontCharset_; }
    void SetDefaultItemFont(const std::string& name, int height);
    // The form's default menu item font: name, height, style and charset.
    void SetDefaultItemFont(const graphics::TFont& font);
    // Translucency of the popups (255 = opaque), each faded in when `animate`.
    bool AlphaBlend() const { return alphaBlend_; }
    uint8_t AlphaBlendValue() const { return alphaBlendValue_; }
    bool AlphaBlendAnimation() const { return alphaBlendAnimation_; }
    void SetAlphaBlend(bool on, uint8_t value, bool animate);

    // A keyboard message while the menu is open; true when it was consumed. While a popup is
    // open every key-down goes to the innermost one and every other keyboard message is
    // swallowed. Escape with nothing open ends the form's menu state.
    bool HandleKey(platform::MSG& message);

    // ---- for the popup windows ----
    int PopupCount() const { return int(popups_.size()); }
    TbsSkinPopupWindow* PopupAt(int level) const;
    TbsSkinData* SkinData() const { return skinData_; }
    // The work area of the form's monitor, read when the menu opened.
    graphics::TRect WorkArea() const { return workArea_; }
    // An item of a popup was hovered or clicked.
    void ItemActivated(TbsSkinPopupWindow& window, int itemIndex, bool click);
    // The sub-menu wait is over: open the waiting item's sub-menu.
    void WaitTimerFired();
    bool SubMenuWaiting() const { return waitWindow_ != nullptr; }

  private:
    class OpenerLink;

    graphics::TRect ReadWorkArea() const;
    void OpenSubMenu(TbsSkinPopupWindow& window, int itemIndex);
    void StopWaitTimer();
    int LevelOf(const TbsSkinPopupWindow& window) const;
    void AllClosed();

    ui::TComponent* frameOwner_;
    TbsSkinMenuHost* host_ = nullptr;
    std::vector<std::unique_ptr<TbsSkinPopupWindow>> popups_;
    bool visible_ = false;
    TbsSkinData* skinData_ = nullptr;
    graphics::TRect workArea_;
    TbsSkinPopupWindow* waitWindow_ = nullptr;
    int waitItem_ = -1;
    int maxMenuItemsInWindow_ = 0;
    bool useSkinFont_ = true;
    int defaultItemHeight_ = 20;
    std::string defaultFontName_ = "Arial";
    int defaultFontHeight_ = 14;
    uint8_t defaultFontStyle_ = 0;
    uint8_t defaultFontCharset_ = 1;
    bool alphaBlend_ = false;
    uint8_t alphaBlendValue_ = 200;
    bool alphaBlendAnimation_ = false;
    std::unique_ptr<OpenerLink> opener_;
    std::function<void()> onClose_;
};

}  // namespace skin
