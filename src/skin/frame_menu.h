#pragma once
// How the frame shows its menus: through the skinned menu engine of its form when the
// program has one, else through the plain popup of the framework.
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

    // The skinned engine, or null when the program is built without it.
    TbsSkinMenu* Engine() const;
    // Shows the menu's items at a screen point.
    void Popup(ui::TPopupMenu& menu, graphics::TPoint screen);
    void CloseAll();
    bool Visible() const;

  private:
    TbsSkinFrame& frame_;
    struct EngineHolder;
    std::unique_ptr<EngineHolder> engine_;
};

}  // namespace skin
