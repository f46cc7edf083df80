#pragma once
// A part of a form that draws with the skin without being a control (a dialog that dresses
// its windows in the skin, for example). The form's frame tells it before a new skin replaces
// the old one, so that it lets go of what it took from the old skin, and after the new skin
// has been applied to the form and its controls.
namespace skin {

class TbsSkinData;

class TbsSkinAwareComponent {
  public:
    virtual ~TbsSkinAwareComponent() = default;
    // The skin data it draws with (null for none).
    virtual TbsSkinData* SkinData() const = 0;
    virtual void BeforeChangeSkinData() = 0;
    virtual void AfterChangeSkinData() = 0;
};

}  // namespace skin
