#pragma once
// The skinned tool bar: a panel drawn from the skin object "toolpanel" with its plain skin
// image, which keeps its skinned children centred vertically in its client area.
#include "skinctrls/skin_panel.h"

namespace skinctrls {

class TbsSkinToolBar : public TbsSkinPanel {
  public:
    explicit TbsSkinToolBar(ui::TComponent* owner);
    const char* ClassName() const override { return "TbsSkinToolBar"; }

    // Centres every skinned child vertically in the client area.
    void AdjustChildren();

  protected:
    void RenderSkinImage(graphics::TBitmap& bitmap) override;
    void AlignControls(ui::TControl* control, TRect& rect) override;
    void WndProc(ui::TMessage& message) override;
};

}  // namespace skinctrls
