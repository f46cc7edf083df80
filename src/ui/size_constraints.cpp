#include "ui/size_constraints.h"

#include <algorithm>

namespace ui {

namespace {

int Limit(int value) {
    return std::max(value, 0);
}

// One axis: the maximum first, then the minimum, which the setters keep at or below it.
int Clamp(int size, int minimum, int maximum) {
    if (maximum > 0) size = std::min(size, maximum);
    return std::max(size, minimum);
}

}  // namespace

void TSizeConstraints::SetMinWidth(int value) {
    value = Limit(value);
    if (maxWidth_ > 0 && value > maxWidth_) maxWidth_ = value;
    Set(minWidth_, value);
}

void TSizeConstraints::SetMinHeight(int value) {
    value = Limit(value);
    if (maxHeight_ > 0 && value > maxHeight_) maxHeight_ = value;
    Set(minHeight_, value);
}

void TSizeConstraints::SetMaxWidth(int value) {
    value = Limit(value);
    if (value > 0 && value < minWidth_) minWidth_ = value;
    Set(maxWidth_, value);
}

void TSizeConstraints::SetMaxHeight(int value) {
    value = Limit(value);
    if (value > 0 && value < minHeight_) minHeight_ = value;
    Set(maxHeight_, value);
}

void TSizeConstraints::Set(int& limit, int value) {
    if (limit == value) return;
    limit = value;
    Changed();
}

void TSizeConstraints::Assign(const TSizeConstraints& other) {
    minWidth_ = other.minWidth_;
    minHeight_ = other.minHeight_;
    maxWidth_ = other.maxWidth_;
    maxHeight_ = other.maxHeight_;
    Changed();
}

void TSizeConstraints::Clear() {
    Assign(TSizeConstraints());
}

bool TSizeConstraints::IsEmpty() const {
    return minWidth_ == 0 && minHeight_ == 0 && maxWidth_ == 0 && maxHeight_ == 0;
}

void TSizeConstraints::Apply(int& width, int& height) const {
    width = Clamp(width, minWidth_, maxWidth_);
    height = Clamp(height, minHeight_, maxHeight_);
}

void TSizeConstraints::Changed() {
    if (OnChange) OnChange();
}

}  // namespace ui
