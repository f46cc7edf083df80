// The animated caption object: the frames of a strip shown in turn while the mouse is on it.
#include <algorithm>

#include "skin/caption_objects.h"
#include "skin/skin_frame.h"

namespace skin {

TbsSkinAnimateObject::TbsSkinAnimateObject(TbsSkinFrame& frame, TbsDataSkinAnimate& data)
    : TbsActiveSkinObject(frame, data), animate_(data) {}

std::optional<TbsStdCommand> TbsSkinAnimateObject::Command() const {
    if (!animate_.ButtonStyle) return std::nullopt;
    return animate_.Command;
}

int TbsSkinAnimateObject::FrameCount() const {
    return std::max(1, animate_.CountFrames);
}

int TbsSkinAnimateObject::AnimationInterval() const {
    return std::max(1, animate_.TimerInterval);
}

bool TbsSkinAnimateObject::AnimationPending() const {
    if (FrameCount() < 2) return false;
    if (Active) return animate_.Cycle || frameIndex_ < FrameCount() - 1;
    return frameIndex_ > 0;
}

void TbsSkinAnimateObject::AnimationStep() {
    if (!AnimationPending()) return;
    if (Active)
        frameIndex_ = (frameIndex_ + 1) % FrameCount();
    else
        --frameIndex_;
}

TRect TbsSkinAnimateObject::ImageRect() const {
    if (animate_.ButtonStyle && Down && MouseIn && !animate_.DownSkinRect.IsEmpty())
        return animate_.DownSkinRect;
    TRect image = data_.SkinRect;
    if (!frame_.FormActive() && !data_.InActiveSkinRect.IsEmpty() && frameIndex_ == 0)
        image = data_.InActiveSkinRect;
    const int shift = frameIndex_ * image.Width();
    image.Left += shift;
    image.Right += shift;
    return image;
}

void TbsSkinAnimateObject::MouseEnter() {
    TbsActiveSkinObject::MouseEnter();
    if (!Enabled) return;
    Active = true;
    frame_.StartObjectAnimation();
}

void TbsSkinAnimateObject::MouseLeave() {
    TbsActiveSkinObject::MouseLeave();
    Active = false;
    Down = false;
    // A cycling strip has no way back but the start.
    if (animate_.Cycle) frameIndex_ = 0;
    frame_.RedrawObject(*this);
    frame_.StartObjectAnimation();
}

void TbsSkinAnimateObject::MouseDown(int x, int y, ui::TMouseButton button) {
    if (animate_.ButtonStyle && Enabled && button == ui::TMouseButton::mbLeft) {
        Down = true;
        MouseIn = true;
        frame_.RedrawObject(*this);
    }
    TbsActiveSkinObject::MouseDown(x, y, button);
}

void TbsSkinAnimateObject::MouseUp(int x, int y, ui::TMouseButton button) {
    const bool fire = Down && button == ui::TMouseButton::mbLeft && Contains({x, y});
    Down = false;
    MouseIn = Contains({x, y});
    Active = MouseIn && Enabled;
    frame_.RedrawObject(*this);
    TbsActiveSkinObject::MouseUp(x, y, button);
    if (fire && Enabled) frame_.RunCommand(animate_.Command);
}

}  // namespace skin
