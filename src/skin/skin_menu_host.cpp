#include "skin/skin_menu_host.h"

#include "ui/control.h"
#include "ui/form.h"

namespace skin {

namespace {

// The form a component belongs to: itself, the form of a control, or its owner.
const ui::TComponent* FormOf(const ui::TComponent* component) {
    if (component == nullptr) return nullptr;
    if (dynamic_cast<const ui::TCustomForm*>(component) != nullptr) return component;
    if (auto* control = dynamic_cast<const ui::TControl*>(component))
        if (ui::TCustomForm* form = control->ParentForm()) return form;
    const ui::TComponent* owner = component->Owner();
    if (owner != nullptr && dynamic_cast<const ui::TCustomForm*>(owner) != nullptr) return owner;
    return nullptr;
}

TbsSkinMenuHost* HostAmong(const ui::TComponent* form) {
    if (form == nullptr) return nullptr;
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* host = dynamic_cast<TbsSkinMenuHost*>(form->Components(i))) return host;
    return nullptr;
}

}  // namespace

TbsSkinMenuHost* TbsSkinMenuHost::Find(const ui::TComponent* component) {
    if (component == nullptr) return nullptr;
    if (TbsSkinMenuHost* host = HostAmong(FormOf(component))) return host;
    // A component owned by something on a form (a menu item of a popup menu): its owner's form.
    const ui::TComponent* owner = component->Owner();
    return owner != nullptr ? HostAmong(FormOf(owner->Owner() != nullptr ? owner->Owner() : owner))
                            : nullptr;
}

}  // namespace skin
