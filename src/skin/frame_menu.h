#pragma once
// The frame's skinned menu engine: the one engine of its form, which shows the form's skinned
// popup menus and the frame's own system menu with the frame's menu settings.
#include <memory>

#include "graphics/types.h"
#include "ui/menus.h"

namespace skin {

class TbsSkinFrame;
class TbsSkinMenu;

class TbsFrameMenu {
  public:
    explicit TbsFrameMenu(TbsSkinFrame& frame);
    ~TbsFrameMenu();

    // The engine, set up with the frame's current menu settings.
    TbsSkinMenu& Engine();
    // Shows the menu's items at a screen point (nothing when no item is visible).
    void Popup(ui::TPopupMenu& menu, graphics::TPoint screen);
    void CloseAll();
    bool Visible() const;

  private:
    TbsSkinFrame& frame_;
    std::unique_ptr<TbsSkinMenu> engine_;
};

}  // namespace skin
