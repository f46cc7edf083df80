#include "ui/action.h"

#include <algorithm>

namespace ui {

TAction::TAction(TComponent* owner) : TComponent(owner) {}

TAction::~TAction() {
    // The clients hear of the destruction through their free notification; their links
    // must not reach back into an action that is going.
    for (TActionLink* link : links_) link->action_ = nullptr;
}

template <typename F>
void TAction::ForEachLink(F apply) {
    // A copy: a client may drop its link while it takes a property.
    const std::vector<TActionLink*> links = links_;
    for (TActionLink* link : links)
        if (std::find(links_.begin(), links_.end(), link) != links_.end()) apply(*link);
}

void TAction::SetCaption(const std::string& value) {
    caption_ = value;
    ForEachLink([&](TActionLink& link) { link.SetCaption(value); });
}

void TAction::SetEnabled(bool value) {
    enabled_ = value;
    ForEachLink([&](TActionLink& link) { link.SetEnabled(value); });
}

void TAction::SetVisible(bool value) {
    visible_ = value;
    ForEachLink([&](TActionLink& link) { link.SetVisible(value); });
}

void TAction::SetHint(const std::string& value) {
    hint_ = value;
    ForEachLink([&](TActionLink& link) { link.SetHint(value); });
}

void TAction::SetImageIndex(int value) {
    imageIndex_ = value;
    ForEachLink([&](TActionLink& link) { link.SetImageIndex(value); });
}

bool TAction::Execute() {
    if (!enabled_ || !OnExecute) return false;
    OnExecute(this);
    return true;
}

TActionLink::TActionLink(TAction* action) : action_(action) {
    if (action_ != nullptr) action_->links_.push_back(this);
}

TActionLink::~TActionLink() {
    if (action_ == nullptr) return;
    auto& links = action_->links_;
    links.erase(std::remove(links.begin(), links.end(), this), links.end());
}

void TActionLink::Refresh() {
    if (action_ == nullptr) return;
    SetCaption(action_->Caption());
    SetEnabled(action_->Enabled());
    SetVisible(action_->Visible());
    SetHint(action_->Hint());
    SetImageIndex(action_->ImageIndex());
}

}  // namespace ui
