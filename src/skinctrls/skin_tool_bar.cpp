#include "skinctrls/skin_tool_bar.h"

#include "skinctrls/graphic_skin_control.h"

namespace skinctrls {

TbsSkinToolBar::TbsSkinToolBar(ui::TComponent* owner) : TbsSkinPanel(owner) {
    paintsOwnBackground_ = false;
    SetSkinDataName("toolpanel");
    SetBorderStyle(TbsSkinBorderStyle::bvNone);
    SetDefaultHeight(0);
    SetBounds(Left(), Top(), Width(), 25);
}

void TbsSkinToolBar::RenderSkinImage(graphics::TBitmap& bitmap) {
    // The tool panel is its skin pieces composed to its size, as any skinned control: none of
    // the panel's borders, caption or background picture, so the panel's rendering is passed
    // over on purpose.
    TbsSkinCustomControl::RenderSkinImage(bitmap);  // NOLINT(bugprone-parent-virtual-call)
}

void TbsSkinToolBar::AdjustChildren() {
    const TRect area = AlignmentArea();
    for (int i = 0; i < ControlCount(); ++i) {
        ui::TControl* child = Controls(i);
        if (dynamic_cast<TbsSkinCustomControl*>(child) == nullptr &&
            dynamic_cast<TbsGraphicSkinCustomControl*>(child) == nullptr)
            continue;
        const int top = area.top + area.Height() / 2 - child->Height() / 2;
        if (child->Top() != top)
            child->SetBounds(child->Left(), top, child->Width(), child->Height());
    }
}

void TbsSkinToolBar::AlignControls(ui::TControl* control, TRect& rect) {
    TbsSkinPanel::AlignControls(control, rect);
    AdjustChildren();
}

void TbsSkinToolBar::WndProc(ui::TMessage& message) {
    // Children placed or moved since the last layout are centred before anything shows.
    if (message.Msg == platform::WM_PAINT) AdjustChildren();
    TbsSkinPanel::WndProc(message);
}

}  // namespace skinctrls
