#pragma once
// What a skinned form frame offers the skinned popup menus opened from its form: the form's
// menu engine, the skin data menus use, and the open/close bookkeeping (the form's events and
// the application message filter). The frame implements it; popup menus find it among the
// components of their form.
namespace ui {
class TComponent;
}

namespace skin {

class TbsSkinData;
class TbsSkinMenu;

class TbsSkinMenuHost {
  public:
    virtual ~TbsSkinMenuHost() = default;

    virtual TbsSkinMenu& SkinMenu() = 0;
    // The frame's MenusSkinData, else its SkinData (may be null).
    virtual TbsSkinData* MenuSkinData() const = 0;
    // A skinned menu opens: fire OnSkinMenuOpen and route keys through the application's
    // message filter to the innermost popup.
    virtual void SkinMenuOpen() = 0;
    // The menu engine closed its last popup: restore the filter, fire OnSkinMenuClose.
    virtual void SkinMenuClose() = 0;

    // The host among the components of `component`'s form (or of its owner's form); null
    // when that form has no skinned frame.
    static TbsSkinMenuHost* Find(const ui::TComponent* component);
};

}  // namespace skin
