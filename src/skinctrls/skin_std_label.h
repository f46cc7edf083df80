#pragma once
// The skinned label: a windowless, transparent text whose font and colour come from the skin
// object "stdlabel" when there is one.
#include <string>

#include "graphics/graphics_objects.h"
#include "skinctrls/skin_binding.h"
#include "skinctrls/skin_font.h"
#include "ui/label.h"
#include "ui/win_control.h"

namespace skinctrls {

enum class TbsEllipsType : uint8_t { bsetNone, bsetEndEllips, bsetPathEllips };
enum class TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };

class TbsSkinStdLabel : public ui::TGraphicControl, public TbsSkinBinding {
  public:
    explicit TbsSkinStdLabel(ui::TComponent* owner);
    ~TbsSkinStdLabel() override;
    const char* ClassName() const override { return "TbsSkinStdLabel"; }

    void SetSkinDataName(const std::string& value) override;
    void ApplySkinChange() override;

    TbsEllipsType EllipsType() const { return ellipsType_; }
    void SetEllipsType(TbsEllipsType value) {
        ellipsType_ = value;
        Invalidate();
    }
    bool UseSkinFont() const { return useSkinFont_; }
    void SetUseSkinFont(bool value);
    bool UseSkinColor() const { return useSkinColor_; }
    void SetUseSkinColor(bool value) {
        useSkinColor_ = value;
        Invalidate();
    }
    graphics::TFont& DefaultFont() { return defaultFont_; }

    ui::TAlignment Alignment() const { return alignment_; }
    void SetAlignment(ui::TAlignment value) {
        alignment_ = value;
        Invalidate();
    }
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value) {
        layout_ = value;
        Invalidate();
    }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);

    // Binds to the skin object and sets up `canvas`'s font and colour as a paint would.
    void PrepareFont(graphics::TFont& font);
    // The size the text needs with the drawing font (a space for an empty text).
    platform::SIZE MeasureText();
    // Resizes to the text when AutoSize is on.
    void AdjustBounds();
    // Paints the label into a bitmap of its size over `background`.
    void PaintTo(graphics::TBitmap& bitmap, graphics::TColor background);

  protected:
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;
    void Notification(ui::TComponent* component, ui::TOperation operation) override;
    void BindSkinObject() override;
    unsigned TextFormat() const;
    void DrawLabelText(graphics::TCanvas& canvas);

  private:
    // Copied from the skin object.
    TbsSkinFont font_;

    TbsEllipsType ellipsType_ = TbsEllipsType::bsetNone;
    bool useSkinFont_ = true;
    bool useSkinColor_ = true;
    graphics::TFont defaultFont_;
    ui::TAlignment alignment_ = ui::TAlignment::taLeftJustify;
    TTextLayout layout_ = TTextLayout::tlTop;
    bool autoSize_ = true;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    bool transparent_ = true;
};

}  // namespace skinctrls
