#pragma once
// What the form frame needs of a control that paints itself from a skin object: the skin data
// it follows and the two calls around a skin change. The skinned controls implement it; the
// frame finds them by walking its form's control tree.
namespace skin {

class TbsSkinData;

class TbsSkinnableControl {
  public:
    virtual ~TbsSkinnableControl() = default;

    virtual TbsSkinData* SkinData() const = 0;
    // Before the skin changes: forget the bound skin object.
    virtual void ResetSkinBinding() = 0;
    // After the skin changed: bind again, resize to the skin and repaint.
    virtual void ApplySkinChange() = 0;
};

}  // namespace skin
