#pragma once
// The stored skin package as a component of a form, so that it is created, named and freed
// with the form like the form's other parts. The package class itself stays free of the
// component framework because the build-time skin packer uses it on its own.
#include "skin/compressed_stored_skin.h"
#include "ui/component.h"

namespace skin {

class TbsStoredSkinComponent final : public ui::TComponent, public TbsCompressedStoredSkin {
  public:
    explicit TbsStoredSkinComponent(ui::TComponent* owner) : ui::TComponent(owner) {}
    const char* ClassName() const override { return "TbsCompressedStoredSkin"; }
};

}  // namespace skin
