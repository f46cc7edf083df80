#pragma once
// A text label: a graphic control that draws its caption.
#include "ui/win_control.h"

namespace ui {

enum class TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };

class TLabel : public TGraphicControl {
  public:
    explicit TLabel(TComponent* owner);
    const char* ClassName() const override { return "TLabel"; }

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);

    // The DrawText format the label uses.
    unsigned TextFormat() const;

  protected:
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;

  private:
    void AdjustSize();

    bool transparent_ = false;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool wordWrap_ = false;
    bool autoSize_ = false;
};

}  // namespace ui
