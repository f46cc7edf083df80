#include "ui/image_list.h"

#include <algorithm>

#include "platform/gdi/gdi.h"

namespace ui {

using namespace platform;

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::~TCustomImageList() = default;

void TCustomImageList::SetWidth(int value) {
    value = std::max(1, value);
    if (value == width_) return;
    width_ = value;
    images_.clear();
    Changed();
}

void TCustomImageList::SetHeight(int value) {
    value = std::max(1, value);
    if (value == height_) return;
    height_ = value;
    images_.clear();
    Changed();
}

void TCustomImageList::Clear() {
    if (images_.empty()) return;
    images_.clear();
    Changed();
}

int TCustomImageList::AddMasked(graphics::TBitmap& strip, graphics::TColor maskColor) {
    const int count = strip.IsEmpty() ? 0 : strip.Width() / width_;
    if (count == 0) return -1;
    const int first = Count();
    HDC source = strip.Canvas().Handle();
    for (int i = 0; i < count; ++i) {
        auto image = std::make_unique<graphics::TBitmap>();
        image->SetPixelFormat(graphics::TPixelFormat::pf24bit);
        image->SetWidth(width_);
        image->SetHeight(height_);
        // A strip lower than the list leaves the rest of the image transparent.
        image->Canvas().Brush().SetColor(maskColor);
        image->Canvas().FillRect(graphics::Rect(0, 0, width_, height_));
        BitBlt(image->Canvas().Handle(), 0, 0, width_, std::min(height_, strip.Height()), source,
               i * width_, 0, SRCCOPY);
        image->SetMaskColorMode(graphics::TTransparentMode::Fixed);
        image->SetMaskColor(maskColor);
        image->SetTransparent(true);
        images_.push_back({std::move(image), graphics::ColorToRGB(maskColor)});
    }
    Changed();
    return first;
}

void TCustomImageList::Draw(graphics::TCanvas& canvas, int x, int y, int index,
                            bool enabled) const {
    if (index < 0 || index >= Count()) return;
    const Image& image = images_[size_t(index)];
    if (enabled)
        canvas.Draw(x, y, image.bitmap.get());
    else
        DrawDisabled(canvas, x, y, image);
}

// The shape of the image, once in the highlight colour one pixel down and right, then in the
// shadow colour at its place: the engraved look of a disabled command.
void TCustomImageList::DrawDisabled(graphics::TCanvas& canvas, int x, int y,
                                    const Image& image) const {
    const uint32_t highlight = graphics::ColorToRGB(graphics::clBtnHighlight);
    const uint32_t shadow = graphics::ColorToRGB(graphics::clBtnShadow);
    canvas.EnsureDrawState();
    HDC dc = canvas.Handle();
    for (auto [offset, color] : {std::pair{1, highlight}, std::pair{0, shadow}}) {
        for (int py = 0; py < height_; ++py)
            for (int px = 0; px < width_; ++px)
                if ((image.bitmap->Canvas().ReadPixel(px, py) & 0xFFFFFF) != image.transparent)
                    SetPixel(dc, x + px + offset, y + py + offset, color);
    }
}

void TCustomImageList::GetBitmap(int index, graphics::TBitmap& target) const {
    if (index < 0 || index >= Count()) {
        target.SetWidth(0);
        target.SetHeight(0);
        return;
    }
    target.CopyFrom(images_[size_t(index)].bitmap.get());
}

void TCustomImageList::Changed() {
    if (OnChange) OnChange(this);
}

}  // namespace ui
