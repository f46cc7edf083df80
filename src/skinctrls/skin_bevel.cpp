#include "skinctrls/skin_bevel.h"

#include "ui/draw_utils.h"

namespace skinctrls {

TbsSkinBevel::TbsSkinBevel(ui::TComponent* owner) : ui::TGraphicControl(owner) {
    SetControlStyle(ControlStyle() & ~ui::TControlStyle(ui::csOpaque));
    SetBounds(Left(), Top(), 50, 50);
}

void TbsSkinBevel::SetShape(TbsBevelShape value) {
    shape_ = value;
    if (value == TbsBevelShape::bsSpacer) SetBounds(Left(), Top(), kSpacerWidth, Height());
    Invalidate();
}

void TbsSkinBevel::Paint() {
    if (shape_ == TbsBevelShape::bsSpacer) return;  // a gap shows the parent
    graphics::TColor shadow = graphics::clBtnShadow;
    graphics::TColor light = graphics::clBtnHighlight;
    if (skinData_ != nullptr && !skinData_->Empty()) {
        shadow = skinData_->SkinColors().cBtnShadow;
        light = skinData_->SkinColors().cBtnHighLight;
    }
    if (style_ == TbsBevelStyle::bsRaised) std::swap(shadow, light);
    graphics::TCanvas& canvas = Canvas();
    const int w = Width();
    const int h = Height();
    auto line = [&](int x1, int y1, int x2, int y2, graphics::TColor color) {
        ui::FillColor(canvas, graphics::Rect(x1, y1, x2, y2), color);
    };
    switch (shape_) {
        case TbsBevelShape::bsBox:
            ui::Frame3D(canvas, graphics::Rect(0, 0, w, h), shadow, light);
            break;
        case TbsBevelShape::bsFrame:
            canvas.Brush().SetColor(shadow);
            canvas.FrameRect(graphics::Rect(0, 0, w - 1, h - 1));
            canvas.Brush().SetColor(light);
            canvas.FrameRect(graphics::Rect(1, 1, w, h));
            break;
        case TbsBevelShape::bsTopLine:
            line(0, 0, w, 1, shadow);
            line(0, 1, w, 2, light);
            break;
        case TbsBevelShape::bsBottomLine:
            line(0, h - 2, w, h - 1, shadow);
            line(0, h - 1, w, h, light);
            break;
        case TbsBevelShape::bsLeftLine:
            line(0, 0, 1, h, shadow);
            line(1, 0, 2, h, light);
            break;
        case TbsBevelShape::bsRightLine:
            line(w - 2, 0, w - 1, h, shadow);
            line(w - 1, 0, w, h, light);
            break;
        case TbsBevelShape::bsSpacer:
            break;
    }
}

}  // namespace skinctrls
