#pragma once
// Plain containers: a panel with a bevel border, a group box with a caption in its frame, and
// a scroll box whose children fill it.
#include "ui/label.h"
#include "ui/win_control.h"

namespace ui {

enum class TBevelStyle : uint8_t { bvNone, bvLowered, bvRaised, bvFrame, bvSpace };

class TPanel : public TCustomControl {
  public:
    explicit TPanel(TComponent* owner);
    const char* ClassName() const override { return "TPanel"; }

    TBevelStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBevelStyle value);
    bool ShowCaption() const { return showCaption_; }
    void SetShowCaption(bool value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);

  protected:
    void Paint() override;
    // Aligned children stay inside the border.
    TRect AlignRect() const override;
    int BorderWidth() const { return borderStyle_ == TBevelStyle::bvNone ? 0 : 1; }

  private:
    TBevelStyle borderStyle_ = TBevelStyle::bvRaised;
    bool showCaption_ = true;
    TAlignment alignment_ = TAlignment::taCenter;
};

class TGroupBox : public TCustomControl {
  public:
    explicit TGroupBox(TComponent* owner);
    const char* ClassName() const override { return "TGroupBox"; }

  protected:
    void Paint() override;
    TRect AlignRect() const override;
};

class TScrollBox : public TWinControl {
  public:
    explicit TScrollBox(TComponent* owner);
    const char* ClassName() const override { return "TScrollBox"; }
    TBevelStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBevelStyle value);

  protected:
    TRect AlignRect() const override;
    void PaintWindow(platform::HDC dc) override;

  private:
    TBevelStyle borderStyle_ = TBevelStyle::bvNone;
};

}  // namespace ui
