#include "skin/frame_menu.h"

#include "skin/skin_frame.h"

#if __has_include("skin/skin_menu.h")
#include "skin/skin_menu.h"
#define TEMBRIN_SKIN_MENU_ENGINE 1
#endif

namespace skin {

#ifdef TEMBRIN_SKIN_MENU_ENGINE

struct TbsFrameMenu::EngineHolder {
    explicit EngineHolder(TbsSkinFrame& frame) : menu(&frame) { menu.SetHost(&frame); }
    TbsSkinMenu menu;
};

TbsFrameMenu::TbsFrameMenu(TbsSkinFrame& frame) : frame_(frame), engine_(std::make_unique<EngineHolder>(frame)) {}
TbsFrameMenu::~TbsFrameMenu() = default;

TbsSkinMenu* TbsFrameMenu::Engine() const { return &engine_->menu; }

void TbsFrameMenu::Popup(ui::TPopupMenu& popup, graphics::TPoint screen) {
    TbsSkinMenu& menu = engine_->menu;
    menu.SetMaxMenuItemsInWindow(frame_.MaxMenuItemsInWindow());
    menu.SetUseSkinFont(frame_.UseSkinFontInMenu());
    menu.SetDefaultItemHeight(frame_.DefMenuItemHeight());
    menu.SetDefaultItemFont(frame_.DefMenuItemFont());
    menu.Popup(&frame_.Form(), frame_.MenuSkinData(), false, popup.Items(),
               graphics::Rect(screen.x, screen.y, screen.x, screen.y), 0);
}

void TbsFrameMenu::CloseAll() { engine_->menu.CloseAll(); }
bool TbsFrameMenu::Visible() const { return engine_->menu.Visible(); }

#else

// Without the skinned engine the plain popup shows the items; it runs modally, so nothing
// stays open to be closed.
struct TbsFrameMenu::EngineHolder {};

TbsFrameMenu::TbsFrameMenu(TbsSkinFrame& frame) : frame_(frame) {}
TbsFrameMenu::~TbsFrameMenu() = default;

TbsSkinMenu* TbsFrameMenu::Engine() const { return nullptr; }

void TbsFrameMenu::Popup(ui::TPopupMenu& menu, graphics::TPoint screen) {
    menu.SetPopupComponent(&frame_.Form());
    menu.Popup(screen.x, screen.y);
}

void TbsFrameMenu::CloseAll() {}
bool TbsFrameMenu::Visible() const { return false; }

#endif

}  // namespace skin
