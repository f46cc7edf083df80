#include "skinctrls/skin_binding.h"

namespace skinctrls {

TbsSkinBinding::TbsSkinBinding(ui::TControl& control, std::string skinDataName)
    : control_(control), skinDataName_(std::move(skinDataName)) {}

TbsSkinBinding::~TbsSkinBinding() {
    if (skinData_ != nullptr) skinData_->RemoveFreeNotification(&control_);
}

void TbsSkinBinding::HoldSkinData(skin::TbsSkinData* value) {
    if (skinData_ != nullptr && skinData_ != value) skinData_->RemoveFreeNotification(&control_);
    skinData_ = value;
    if (value != nullptr) value->FreeNotification(&control_);
}

void TbsSkinBinding::SetSkinData(skin::TbsSkinData* value) {
    HoldSkinData(value);
    if (value != nullptr && !value->Empty() && (control_.ComponentState() & ui::csDesigning) == 0) {
        ApplySkinChange();
    } else if (value == nullptr) {
        index_ = -1;
        ShowPlainLook();
    }
}

void TbsSkinBinding::ForgetSkinData(ui::TComponent* component, ui::TOperation operation) {
    if (operation == ui::TOperation::opRemove && skinData_ != nullptr &&
        component == static_cast<ui::TComponent*>(skinData_)) {
        skinData_ = nullptr;
        index_ = -1;
    }
}

void TbsSkinBinding::BindSkinObject() {
    index_ = SkinUsable() ? skinData_->GetControlIndex(skinDataName_) : -1;
}

const skin::TbsDataSkinControl* TbsSkinBinding::SkinObject() const {
    if (index_ < 0 || !SkinUsable()) return nullptr;
    const auto& list = skinData_->CtrlList();
    return size_t(index_) < list.size() ? list[size_t(index_)].get() : nullptr;
}

void TbsSkinBinding::ApplySkinChange() {
    BindSkinObject();
    control_.Invalidate();
}

}  // namespace skinctrls
