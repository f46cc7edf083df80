#pragma once
// The image view: a graphic control that draws its picture into a destination rectangle
// worked out from Stretch, Proportional and Center. A picture whose drawing fails (a file
// that is decoded only when first drawn) raises its error once; the view then shows its
// parent's background until the picture changes.
#include <memory>

#include "graphics/picture.h"
#include "ui/win_control.h"

namespace ui {

// Where a w x h picture goes in a cw x ch view.
TRect ImageDestRect(int w, int h, int cw, int ch, bool stretch, bool proportional, bool center);

class TImage : public TGraphicControl {
  public:
    explicit TImage(TComponent* owner);
    ~TImage() override;
    const char* ClassName() const override { return "TImage"; }

    graphics::TPicture& Picture() { return *picture_; }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    bool Proportional() const { return proportional_; }
    void SetProportional(bool value);
    bool Center() const { return center_; }
    void SetCenter(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);

    // The rectangle the picture is drawn into, in the view's coordinates.
    TRect DestRect() const;
    TNotifyEvent OnProgress;

  protected:
    void Paint() override;
    void Resized() override;

  private:
    void PictureChanged();
    void UpdateOpaque();

    std::unique_ptr<graphics::TPicture> picture_;
    bool stretch_ = false;
    bool proportional_ = false;
    bool center_ = false;
    bool transparent_ = false;
    bool autoSize_ = false;
    bool drawing_ = false;
    // The picture raised an error when drawn; it is not drawn again until it changes.
    bool drawFailed_ = false;
};

}  // namespace ui
