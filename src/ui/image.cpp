#include "ui/image.h"

#include "core/exceptions.h"
#include "graphics/canvas.h"
#include "graphics/icon.h"
#include "graphics/metafile.h"

namespace ui {

TRect ImageDestRect(int w, int h, int cw, int ch, bool stretch, bool proportional, bool center) {
    int width = w;
    int height = h;
    if (stretch || (proportional && (w > cw || h > ch))) {
        if (proportional && w > 0 && h > 0) {
            double ratio = double(w) / double(h);
            if (w > h) {
                width = cw;
                height = int(cw / ratio);
                if (height > ch) {
                    height = ch;
                    width = int(ch * ratio);
                }
            } else {
                height = ch;
                width = int(ch * ratio);
                if (width > cw) {
                    width = cw;
                    height = int(cw / ratio);
                }
            }
        } else {
            width = cw;
            height = ch;
        }
    }
    TRect rect = graphics::Rect(0, 0, width, height);
    if (center) {
        // Integer division truncates toward zero, as the offsets must.
        int dx = (cw - width) / 2;
        int dy = (ch - height) / 2;
        rect = graphics::Rect(dx, dy, dx + width, dy + height);
    }
    return rect;
}

TImage::TImage(TComponent* owner)
    : TGraphicControl(owner), picture_(std::make_unique<graphics::TPicture>()) {
    picture_->SetOnChange([this](core::TPersistent*) { PictureChanged(); });
    SetBounds(Left(), Top(), 105, 105);
}

TImage::~TImage() {
    picture_->SetOnChange(nullptr);
}

TRect TImage::DestRect() const {
    return ImageDestRect(picture_->Width(), picture_->Height(), ClientWidth(), ClientHeight(),
                         stretch_, proportional_, center_);
}

void TImage::Paint() {
    graphics::TGraphic* graphic = picture_->Graphic();
    // Without a picture, or with one that failed, the parent's background shows through:
    // every repaint (a window moved over the view, the error box itself closing) would
    // raise the same error again.
    if (graphic == nullptr || drawFailed_) return;
    drawing_ = true;
    try {
        Canvas().DrawGraphic(DestRect(), graphic);
    } catch (const core::EAbort&) {
        drawing_ = false;  // a draw that gave up, not a broken picture
        throw;
    } catch (...) {
        drawing_ = false;
        drawFailed_ = true;
        UpdateOpaque();
        Invalidate();  // the background over whatever the failed draw left
        throw;
    }
    drawing_ = false;
}

void TImage::PictureChanged() {
    drawFailed_ = false;
    graphics::TGraphic* graphic = picture_->Graphic();
    if (autoSize_ && picture_->Width() > 0 && picture_->Height() > 0)
        SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
    if (graphic != nullptr) {
        // Icons and metafiles keep their own transparency.
        const auto& cls = graphic->GetClass();
        bool keepsOwn = cls.InheritsFrom(graphics::TIcon::ClassType()) ||
                        cls.InheritsFrom(graphics::TMetafile::ClassType());
        if (!keepsOwn) {
            auto handler = graphic->OnChange();
            graphic->SetOnChange(nullptr);  // no second change round for our own setting
            graphic->SetTransparent(transparent_);
            graphic->SetOnChange(handler);
        }
    }
    UpdateOpaque();
    // While painting, the paint already under way shows the change.
    if (!drawing_) Invalidate();
}

void TImage::UpdateOpaque() {
    graphics::TGraphic* graphic = picture_->Graphic();
    TRect dest = DestRect();
    bool opaque = graphic != nullptr && !drawFailed_ && !graphic->Transparent() && dest.left <= 0 &&
                  dest.top <= 0 && dest.right >= ClientWidth() && dest.bottom >= ClientHeight();
    TControlStyle style = ControlStyle();
    SetControlStyle(opaque ? (style | csOpaque) : (style & ~TControlStyle(csOpaque)));
}

void TImage::Resized() {
    UpdateOpaque();
}

void TImage::SetStretch(bool value) {
    if (value == stretch_) return;
    stretch_ = value;
    PictureChanged();
}

void TImage::SetProportional(bool value) {
    if (value == proportional_) return;
    proportional_ = value;
    PictureChanged();
}

void TImage::SetCenter(bool value) {
    if (value == center_) return;
    center_ = value;
    PictureChanged();
}

void TImage::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    PictureChanged();
}

void TImage::SetAutoSize(bool value) {
    autoSize_ = value;
    if (value) PictureChanged();
}

}  // namespace ui
