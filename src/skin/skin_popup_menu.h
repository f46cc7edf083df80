#pragma once
// A popup menu component shown in the skinned look: its items are ordinary menu items, and
// Popup hands them to the menu engine of the form's skinned frame.
#include <memory>

#include "graphics/types.h"
#include "ui/menus.h"

namespace skin {

class TbsSkinData;
class TbsSkinMenuHost;

class TbsSkinPopupMenu : public ui::TPopupMenu {
  public:
    explicit TbsSkinPopupMenu(ui::TComponent* owner);
    ~TbsSkinPopupMenu() override;
    const char* ClassName() const override { return "TbsSkinPopupMenu"; }

    // Null: the form's frame supplies the skin.
    TbsSkinData* SkinData() const { return skinData_; }
    void SetSkinData(TbsSkinData* value);
    // The frame to use instead of the one found on the form (null: find it).
    TbsSkinMenuHost* SkinFrame() const { return skinFrame_; }
    void SetSkinFrame(TbsSkinMenuHost* value) { skinFrame_ = value; }
    graphics::TPoint LastPopupPoint() const { return lastPopupPoint_; }

    // Fires OnPopup and shows the items at the screen point through the frame's menu engine;
    // without a frame, or with nothing to show, no menu opens.
    void Popup(int x, int y) override;
    // Fires once each time this menu's popup closes.
    ui::TNotifyEvent OnMenuClose;

  protected:
    void Notification(ui::TComponent* component, ui::TOperation operation) override;

  private:
    TbsSkinData* skinData_ = nullptr;
    TbsSkinMenuHost* skinFrame_ = nullptr;
    graphics::TPoint lastPopupPoint_;
    // Cleared on destruction so that a close notice arriving later finds no menu.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace skin
