#pragma once
// The tie of a skinned control to one object of a skin data: the skin data it follows (and
// forgets when that component goes away), the name of its object and the index the name was
// last found at. Every skinned control holds its binding through this one class.
#include <string>

#include "skin/skin_data.h"
#include "skin/skinnable_control.h"
#include "ui/control.h"

namespace skinctrls {

class TbsSkinBinding : public skin::TbsSkinnableControl {
  public:
    TbsSkinBinding(const TbsSkinBinding&) = delete;
    TbsSkinBinding& operator=(const TbsSkinBinding&) = delete;

    skin::TbsSkinData* SkinData() const override { return skinData_; }
    // Follows `value`: a loaded skin is applied at once, and without skin data the plain look
    // shows.
    virtual void SetSkinData(skin::TbsSkinData* value);
    const std::string& SkinDataName() const { return skinDataName_; }
    virtual void SetSkinDataName(const std::string& value) { skinDataName_ = value; }

    // The bound object's index in the skin data's control list; -1 = none.
    int SkinIndex() const { return index_; }
    // Finds the object named SkinDataName; controls copy what they need of it on top.
    virtual void BindSkinObject();
    void ResetSkinBinding() override { index_ = -1; }
    // Binds again and repaints.
    void ApplySkinChange() override;

  protected:
    // `control` is the control that holds the binding, the free notification's receiver.
    TbsSkinBinding(ui::TControl& control, std::string skinDataName);
    ~TbsSkinBinding() override;

    bool SkinUsable() const { return skinData_ != nullptr && !skinData_->Empty(); }
    // The bound object, or null.
    const skin::TbsDataSkinControl* SkinObject() const;
    // The bound object when it is of kind T, else null.
    template <typename T>
    const T* SkinObjectAs() const {
        return dynamic_cast<const T*>(SkinObject());
    }
    // Follows `value` without binding: only the free notification moves.
    void HoldSkinData(skin::TbsSkinData* value);
    // For the control's Notification: the skin data going away leaves the control unbound.
    void ForgetSkinData(ui::TComponent* component, ui::TOperation operation);
    // The skin data was taken away: show the plain look (a repaint, by default).
    virtual void ShowPlainLook() { control_.Invalidate(); }

    int index_ = -1;

  private:
    ui::TControl& control_;
    skin::TbsSkinData* skinData_ = nullptr;
    std::string skinDataName_;
};

}  // namespace skinctrls
