#pragma once
// The skinned controls without a window of their own (the file dialogs' tool buttons stand on
// them): the same binding, painting and resizing as the windowed pair, drawn by the parent on
// its surface, always opaque, and without a window region.
#include "skinctrls/skin_control_base.h"

namespace skinctrls {

class TbsGraphicSkinControl : public TbsSkinControlBase<ui::TGraphicControl> {
  public:
    explicit TbsGraphicSkinControl(ui::TComponent* owner);
    const char* ClassName() const override { return "TbsGraphicSkinControl"; }
};

extern template class TbsSkinCustomControlBase<TbsGraphicSkinControl>;

class TbsGraphicSkinCustomControl : public TbsSkinCustomControlBase<TbsGraphicSkinControl> {
  public:
    explicit TbsGraphicSkinCustomControl(ui::TComponent* owner) : TbsSkinCustomControlBase(owner) {}
    const char* ClassName() const override { return "TbsGraphicSkinCustomControl"; }
};

}  // namespace skinctrls
