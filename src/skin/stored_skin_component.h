#pragma once
// The stored skin package and the list of stored skins as components of a form, so that they
// are created, named and freed with the form like the form's other parts, and a skin data
// that refers to one hears when it goes. The package classes themselves stay free of the
// component framework because the build-time skin packer uses them on their own.
#include "skin/compressed_stored_skin.h"
#include "ui/component.h"

namespace skin {

class TbsStoredSkinComponent final : public ui::TComponent, public TbsCompressedStoredSkin {
  public:
    explicit TbsStoredSkinComponent(ui::TComponent* owner) : ui::TComponent(owner) {}
    const char* ClassName() const override { return "TbsCompressedStoredSkin"; }
};

class TbsSkinListComponent final : public ui::TComponent, public TbsCompressedSkinList {
  public:
    explicit TbsSkinListComponent(ui::TComponent* owner) : ui::TComponent(owner) {}
    const char* ClassName() const override { return "TbsCompressedSkinList"; }
};

}  // namespace skin
