#pragma once
// The skinned bevel: a line or frame in the skin's shadow and light colours, or, shaped as a
// spacer, an empty transparent gap that only takes room in a row of controls.
#include "skin/skin_data.h"
#include "ui/win_control.h"

namespace skinctrls {

enum class TbsBevelShape : uint8_t {
    bsBox,
    bsFrame,
    bsTopLine,
    bsBottomLine,
    bsLeftLine,
    bsRightLine,
    bsSpacer
};
enum class TbsBevelStyle : uint8_t { bsLowered, bsRaised };

class TbsSkinBevel : public ui::TGraphicControl {
  public:
    static constexpr int kSpacerWidth = 10;

    explicit TbsSkinBevel(ui::TComponent* owner);
    const char* ClassName() const override { return "TbsSkinBevel"; }

    TbsBevelShape Shape() const { return shape_; }
    // A spacer is transparent and kSpacerWidth wide.
    void SetShape(TbsBevelShape value);
    TbsBevelStyle Style() const { return style_; }
    void SetStyle(TbsBevelStyle value) {
        style_ = value;
        Invalidate();
    }
    skin::TbsSkinData* SkinData() const { return skinData_; }
    void SetSkinData(skin::TbsSkinData* value) {
        skinData_ = value;
        Invalidate();
    }

  protected:
    void Paint() override;

  private:
    TbsBevelShape shape_ = TbsBevelShape::bsBox;
    TbsBevelStyle style_ = TbsBevelStyle::bsLowered;
    skin::TbsSkinData* skinData_ = nullptr;
};

}  // namespace skinctrls
