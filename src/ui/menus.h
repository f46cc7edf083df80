#pragma once
// Menus: items with captions, images and click events, items that measure and draw
// themselves, and the popup menu that shows them at a screen point through the platform's
// plain popup.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "graphics/types.h"
#include "platform/user/winuser.h"
#include "ui/component.h"

namespace graphics {
class TBitmap;
class TCanvas;
}  // namespace graphics

namespace ui {

class TCustomImageList;

// An item that measures itself: `width` and `height` come in as the menu would make them.
using TMenuMeasureItemEvent =
    std::function<void(TComponent* sender, graphics::TCanvas& canvas, int& width, int& height)>;
// An item that draws itself into its row `rect`; `selected` while it is the active item.
using TMenuDrawItemEvent = std::function<void(TComponent* sender, graphics::TCanvas& canvas,
                                              const graphics::TRect& rect, bool selected)>;

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

    // The item's image in its menu's image list (-1: none).
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value) { imageIndex_ = value; }
    // The item's own picture, shown when it has no image from a list (empty at first).
    graphics::TBitmap& Bitmap();
    bool HasBitmap() const;
    // The images of this item's sub-items (null: those of the menu above).
    TCustomImageList* SubMenuImages() const { return subMenuImages_; }
    void SetSubMenuImages(TCustomImageList* value);
    // The image list this item's ImageIndex refers to: the nearest parent's sub-menu images,
    // else the menu's own images.
    TCustomImageList* GetImageList() const;
    // Whether the item measures or draws itself.
    bool OwnerMeasured() const { return bool(OnMeasureItem); }
    bool OwnerDrawn() const { return bool(OnDrawItem); }

    int Count() const { return int(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(size_t(index)); }
    TMenuItem* Parent() const { return parent_; }
    void Add(TMenuItem* item);
    void Remove(TMenuItem* item);
    int IndexOf(const TMenuItem* item) const;

    // Fires OnClick (enabled items only).
    virtual void Click();
    TNotifyEvent OnClick;
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuDrawItemEvent OnDrawItem;

  protected:
    void Notification(TComponent* component, TOperation operation) override;

  private:
    std::string caption_;
    bool enabled_ = true;
    bool visible_ = true;
    bool checked_ = false;
    TMenuItem* parent_ = nullptr;
    std::vector<TMenuItem*> items_;
    int imageIndex_ = -1;
    std::unique_ptr<graphics::TBitmap> bitmap_;
    TCustomImageList* subMenuImages_ = nullptr;
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
    // The images its items' ImageIndex refers to (null: none).
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* value);
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
    TCustomImageList* images_ = nullptr;
    bool autoPopup_ = true;
    TComponent* popupComponent_ = nullptr;
    graphics::TPoint popupPoint_;
};

// The platform's plain popup: builds a menu from the visible items and tracks it.
TMenuItem* TrackPlainPopup(TMenuItem& items, int x, int y, platform::HWND owner);

}  // namespace ui
