#pragma once
// Menus: items with captions and click events, and the popup menu that shows them at a
// screen point through the platform's plain popup.
#include <functional>
#include <string>
#include <vector>

#include "graphics/types.h"
#include "platform/user/winuser.h"
#include "ui/component.h"

namespace ui {

class TMenuItem : public TComponent {
  public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;
    const char* ClassName() const override { return "TMenuItem"; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value) { caption_ = value; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value) { enabled_ = value; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { visible_ = value; }
    bool Checked() const { return checked_; }
    void SetChecked(bool value) { checked_ = value; }
    bool IsLine() const { return caption_ == "-"; }

    int Count() const { return int(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(size_t(index)); }
    TMenuItem* Parent() const { return parent_; }
    void Add(TMenuItem* item);
    void Remove(TMenuItem* item);
    int IndexOf(const TMenuItem* item) const;

    // Fires OnClick (enabled items only).
    virtual void Click();
    TNotifyEvent OnClick;

  private:
    std::string caption_;
    bool enabled_ = true;
    bool visible_ = true;
    bool checked_ = false;
    TMenuItem* parent_ = nullptr;
    std::vector<TMenuItem*> items_;
};

// Shows a list of items at a point and returns the chosen one (or none). The plain popup uses
// the platform's menu; the skinned look plugs in its own.
using TMenuTracker = std::function<TMenuItem*(TMenuItem& items, int x, int y)>;

class TPopupMenu : public TComponent {
  public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;
    const char* ClassName() const override { return "TPopupMenu"; }

    TMenuItem& Items() { return *items_; }
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool value) { autoPopup_ = value; }
    // The control whose request opened the menu last.
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* component);
    graphics::TPoint PopupPoint() const { return popupPoint_; }

    // Fires OnPopup, shows the items at the screen point and runs the chosen item's click
    // after the menu has closed.
    virtual void Popup(int x, int y);
    TNotifyEvent OnPopup;

    // Replaces how the menu is shown for every popup menu (null: the platform's popup).
    static void SetTracker(TMenuTracker tracker);

  protected:
    void Notification(TComponent* component, TOperation operation) override;

  private:
    TMenuItem* items_;
    bool autoPopup_ = true;
    TComponent* popupComponent_ = nullptr;
    graphics::TPoint popupPoint_;
};

// The platform's plain popup: builds a menu from the visible items and tracks it.
TMenuItem* TrackPlainPopup(TMenuItem& items, int x, int y, platform::HWND owner);

}  // namespace ui
