#include "skin/frame_menu.h"

#include "skin/skin_frame.h"
#include "skin/skin_menu.h"

namespace skin {

TbsFrameMenu::TbsFrameMenu(TbsSkinFrame& frame)
    : frame_(frame), engine_(std::make_unique<TbsSkinMenu>(&frame)) {
    engine_->SetHost(&frame);
}

TbsFrameMenu::~TbsFrameMenu() = default;

TbsSkinMenu& TbsFrameMenu::Engine() {
    engine_->SetMaxMenuItemsInWindow(frame_.MaxMenuItemsInWindow());
    engine_->SetUseSkinFont(frame_.UseSkinFontInMenu());
    engine_->SetDefaultItemHeight(frame_.DefMenuItemHeight());
    engine_->SetDefaultItemFont(frame_.DefMenuItemFont());
    engine_->SetAlphaBlend(frame_.MenusAlphaBlend(), uint8_t(frame_.MenusAlphaBlendValue()),
                           frame_.MenusAlphaBlendAnimation());
    return *engine_;
}

void TbsFrameMenu::Popup(ui::TPopupMenu& popup, graphics::TPoint screen) {
    TbsSkinMenu& menu = Engine();
    if (menu.Visible()) menu.CloseAll();
    bool anyVisible = false;
    for (int i = 0; i < popup.Items().Count() && !anyVisible; ++i)
        anyVisible = popup.Items().Items(i)->Visible();
    if (!anyVisible) return;
    frame_.SkinMenuOpen();
    menu.Popup(&frame_.Form(), frame_.MenuSkinData(), false, popup.Items(),
               graphics::Rect(screen.x, screen.y, screen.x, screen.y), 0);
}

void TbsFrameMenu::CloseAll() {
    engine_->CloseAll();
}
bool TbsFrameMenu::Visible() const {
    return engine_->Visible();
}

}  // namespace skin
