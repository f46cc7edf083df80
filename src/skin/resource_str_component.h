#pragma once
// The user-interface string table as a component of a form, so that a skin data that refers
// to it hears when it goes.
#include "skin/resource_str_data.h"
#include "ui/component.h"

namespace skin {

class TbsResourceStrDataComponent final : public ui::TComponent, public TbsResourceStrData {
  public:
    explicit TbsResourceStrDataComponent(ui::TComponent* owner) : ui::TComponent(owner) {}
    const char* ClassName() const override { return "TbsResourceStrData"; }
};

}  // namespace skin
