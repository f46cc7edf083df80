#include "ui/component.h"

#include <algorithm>
#include <cctype>

#include "ui/resource_strings.h"

namespace ui {

namespace {

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool IsValidIdent(const std::string& name) {
    if (name.empty()) return false;
    auto identChar = [](unsigned char c) { return std::isalnum(c) || c == '_'; };
    if (std::isdigit(static_cast<unsigned char>(name[0]))) return false;
    return std::all_of(name.begin(), name.end(), identChar);
}

}  // namespace

TComponent::TComponent(TComponent* owner) {
    if (owner != nullptr) owner->Insert(this);
}

TComponent::~TComponent() {
    state_ |= csDestroying;
    // Tell everyone holding a reference, then drop the owned components.
    std::vector<TComponent*> subscribers;
    subscribers.swap(freeNotifies_);
    for (TComponent* subscriber : subscribers) {
        auto& theirs = subscriber->freeNotifies_;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        subscriber->Notification(this, TOperation::opRemove);
    }
    DestroyComponents();
    if (owner_ != nullptr) owner_->Remove(this);
}

void TComponent::SetName(const std::string& name) {
    if (name == name_) return;
    if (!name.empty() && !IsValidIdent(name)) throw EComponentError(strings::SInvalidName, {name});
    if (!name.empty() && owner_ != nullptr) {
        TComponent* existing = owner_->FindComponent(name);
        if (existing != nullptr && existing != this)
            throw EComponentError(strings::SDuplicateName, {name});
    }
    name_ = name;
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty()) return nullptr;
    for (TComponent* component : components_)
        if (SameText(component->name_, name)) return component;
    return nullptr;
}

void TComponent::FreeNotification(TComponent* component) {
    if (component == nullptr || component == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
        freeNotifies_.push_back(component);
    auto& theirs = component->freeNotifies_;
    if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (component == nullptr) return;
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component),
                        freeNotifies_.end());
    auto& theirs = component->freeNotifies_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == TOperation::opRemove) {
        freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component),
                            freeNotifies_.end());
    }
    // A copy: a handler may free components.
    std::vector<TComponent*> owned = components_;
    for (TComponent* child : owned)
        if (std::find(components_.begin(), components_.end(), child) != components_.end())
            child->Notification(component, operation);
}

void TComponent::DestroyComponents() {
    state_ |= csDestroying;
    while (!components_.empty()) {
        TComponent* last = components_.back();
        delete last;  // its destructor removes it from components_
    }
}

void TComponent::Insert(TComponent* component) {
    components_.push_back(component);
    component->owner_ = this;
    Notification(component, TOperation::opInsert);
}

void TComponent::Remove(TComponent* component) {
    components_.erase(std::remove(components_.begin(), components_.end(), component),
                      components_.end());
    component->owner_ = nullptr;
    Notification(component, TOperation::opRemove);
}

}  // namespace ui
