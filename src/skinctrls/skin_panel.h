#pragma once
// The skinned panel and group box: a container painted from a skin object of kind panel (a
// frame resized in nine parts, the client piece tiled inside, an optional caption with check
// mark and roll-up marker), with a plain bevelled look when unbound.
#include <functional>
#include <string>

#include "skinctrls/glyph_layout.h"
#include "skinctrls/skin_control.h"
#include "skinctrls/skin_font.h"
#include "ui/label.h"
#include "ui/size_constraints.h"

namespace skinctrls {

enum class TbsSkinBorderStyle : uint8_t { bvFrame, bvRaised, bvLowered, bvNone };
enum class TbsImagePosition : uint8_t { bsipDefault, bsipLeft };

class TbsSkinPanel : public TbsSkinCustomControl {
  public:
    explicit TbsSkinPanel(ui::TComponent* owner);
    const char* ClassName() const override { return "TbsSkinPanel"; }

    TbsImagePosition ImagePosition() const { return imagePosition_; }
    void SetImagePosition(TbsImagePosition value) {
        imagePosition_ = value;
        Invalidate();
    }
    bool TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(bool value) {
        transparentMode_ = value;
        Invalidate();
    }
    int CaptionImageIndex() const { return captionImageIndex_; }
    void SetCaptionImageIndex(int value) {
        captionImageIndex_ = value;
        Invalidate();
    }
    int RealHeight() const { return realHeight_; }
    void SetRealHeight(int value) { realHeight_ = value; }
    bool AutoEnabledControls() const { return autoEnabledControls_; }
    void SetAutoEnabledControls(bool value) { autoEnabledControls_ = value; }
    bool CheckedMode() const { return checkedMode_; }
    void SetCheckedMode(bool value) {
        checkedMode_ = value;
        Invalidate();
    }
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    ui::TAlignment DefaultAlignment() const { return defaultAlignment_; }
    void SetDefaultAlignment(ui::TAlignment value) {
        defaultAlignment_ = value;
        Invalidate();
    }
    int DefaultCaptionHeight() const { return defaultCaptionHeight_; }
    void SetDefaultCaptionHeight(int value);
    TbsSkinBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TbsSkinBorderStyle value);
    bool CaptionMode() const { return captionMode_; }
    void SetCaptionMode(bool value);
    bool RollUpMode() const { return rollUpMode_; }
    void SetRollUpMode(bool value);
    bool RollUpState() const { return rollUpState_; }
    void SetRollUpState(bool value);
    graphics::TBitmap& Glyph() { return glyph_; }
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value) {
        numGlyphs_ = value < 1 ? 1 : value;
        Invalidate();
    }
    int Spacing() const { return spacing_; }
    void SetSpacing(int value) {
        spacing_ = value;
        Invalidate();
    }

    ui::TNotifyEvent OnChecked;
    ui::TNotifyEvent OnChangeRollUpState;

    // The area in which aligned children are placed.
    TRect AlignmentArea() const;
    // The skin's caption rect carried through the resize (empty without one).
    TRect SkinCaptionRect() const;
    // A rect of the skin moved or stretched with the corner or edge it belongs to.
    TRect RelocateRect(const TRect& rect) const;

    void BindSkinObject() override;
    void ApplySkinChange() override;
    void SetBounds(int left, int top, int width, int height) override;

  protected:
    TRect AlignRect() const override { return AlignmentArea(); }
    void RenderDefaultImage(graphics::TBitmap& bitmap) override;
    void RenderSkinImage(graphics::TBitmap& bitmap) override;
    void Paint() override;
    void MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void TextChanged() override;

    // The caption area a click toggles check mark and roll-up in.
    TRect CaptionHitArea() const;
    void DrawSkinCaption(graphics::TCanvas& canvas);
    void DrawDefaultCaption(graphics::TCanvas& canvas, const TRect& bar);
    // The caption's text colour: the object's colour; a transparent panel takes the label
    // object's, or the skin's button text colour.
    virtual graphics::TColor SkinCaptionColor() const;
    void ParentBackgroundChanged() override;

    // Copied from the skin object.
    int32_t bgPictureIndex_ = -1;
    TRect captionRect_;
    skin::TAlignment alignment_ = skin::TAlignment::taCenter;
    TbsSkinFont font_;
    TRect checkImageRect_, unCheckImageRect_, markFrameRect_, frameRect_, frameTextRect_;
    int frameLeftOffset_ = 0, frameRightOffset_ = 0;

  private:
    struct CaptionPlace {
        int glyphX;
        int textX;
        int glyphWidth;
    };
    // The check mark at the caption's left; returns where the text may start.
    int DrawCheckMark(graphics::TCanvas& canvas, const graphics::TBitmap& source,
                      const TRect& rect);
    CaptionPlace PlaceCaption(const TRect& rect, int textWidth, int textLeftLimit) const;
    // The frame image behind the caption text, placed where the text was; returns where the
    // text goes inside it.
    int DrawCaptionFrame(graphics::TCanvas& canvas, const graphics::TBitmap& source, int x, int top,
                         int textWidth);
    void DrawRollUpMarker(graphics::TCanvas& canvas, const graphics::TBitmap& source,
                          const TRect& rect);
    // How a bound panel looks: plain (no picture), its client piece all over, its background
    // picture, frame strips round the client piece, or the composed nine-part image.
    enum class SkinLook : uint8_t { Plain, ClientPiece, Background, FrameStrips, Composed };
    SkinLook Look() const;
    // The client piece tiled or stretched over `area` of a context, clipped to it.
    void FillClientPiece(platform::HDC dc, const TRect& area) const;
    // The part of the frame image (without client piece) that lies in `place`.
    void RenderFrameStrip(graphics::TBitmap& strip, const TRect& place) const;
    void SetChildrenVisible(bool value);
    // The height of the caption alone: the panel's height while rolled up.
    int RolledUpHeight() const;
    void SetChildrenEnabled(bool value);

    TbsImagePosition imagePosition_ = TbsImagePosition::bsipDefault;
    bool transparentMode_ = false;
    int captionImageIndex_ = -1;
    int realHeight_ = -1;
    // The constraints, cleared while the panel is rolled up.
    ui::TSizeConstraints constraintsBeforeRollUp_;
    bool autoEnabledControls_ = true;
    bool checkedMode_ = false;
    bool checked_ = false;
    ui::TAlignment defaultAlignment_ = ui::TAlignment::taLeftJustify;
    int defaultCaptionHeight_ = 22;
    TbsSkinBorderStyle borderStyle_ = TbsSkinBorderStyle::bvFrame;
    bool captionMode_ = false;
    bool rollUpMode_ = false;
    bool rollUpState_ = false;
    graphics::TBitmap glyph_;
    int numGlyphs_ = 1;
    int spacing_ = 2;
};

class TbsSkinGroupBox : public TbsSkinPanel {
  public:
    explicit TbsSkinGroupBox(ui::TComponent* owner);
    const char* ClassName() const override { return "TbsSkinGroupBox"; }
};

}  // namespace skinctrls
