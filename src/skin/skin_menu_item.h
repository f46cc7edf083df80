#pragma once
// One visible menu item as a popup window holds it: the standard item, its row in the popup
// and its state there.
#include <string>

#include "graphics/types.h"
#include "ui/menus.h"

namespace skin {

class TbsSkinMenuItem {
  public:
    explicit TbsSkinMenuItem(ui::TMenuItem* item) : MenuItem(item) {}

    bool IsSeparator() const { return MenuItem->IsLine(); }
    // Enabled and not a separator: what the mouse and keys can make active.
    bool Selectable() const { return MenuItem->Enabled() && !IsSeparator(); }
    bool HasSubItems() const { return MenuItem->Count() > 0; }
    // A disabled item captioned "-text-" is shown as a heading across the row.
    bool IsHeading() const;
    // The upper-case character after the first single "&" of the caption, or 0.
    char Accelerator() const;
    // A caption "text<Tab>shortcut" shows the shortcut text right-aligned in the row.
    std::string CaptionText() const;
    std::string ShortCutText() const;

    ui::TMenuItem* MenuItem;
    graphics::TRect ItemRect;  // in the popup's client coordinates
    bool VisibleInWindow = false;
    bool Active = false;
    bool Down = false;  // its sub-menu is open
    double MorphFactor = 0;
    // Where the row's frame animation stands: 0 the normal image, 1 to the frame count the
    // frames of the skin's animation strip, one more the active image.
    int AnimationFrame = 0;
    // The height an item that measures itself asked for (0: the look's).
    int OwnerHeight = 0;
};

}  // namespace skin
