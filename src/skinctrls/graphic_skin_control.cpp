#include "skinctrls/graphic_skin_control.h"

namespace skinctrls {

TbsGraphicSkinControl::TbsGraphicSkinControl(ui::TComponent* owner) : TbsSkinControlBase(owner) {
    SetControlStyle(ControlStyle() | ui::csOpaque);
}

}  // namespace skinctrls
