#pragma once
// The skinned single-line edit: the platform's edit window edits the text; its frame is drawn
// in the non-client area from the skin object "edit" (a hot image while the pointer is over it
// or it has the focus) and the text area shows the client piece of the same image.
#include <string>

#include "graphics/bitmap.h"
#include "graphics/graphics_objects.h"
#include "skinctrls/skin_binding.h"
#include "skinctrls/skin_font.h"
#include "skinctrls/skin_geometry.h"
#include "ui/edit.h"
#include "ui/label.h"

namespace skinctrls {

class TbsSkinEdit : public ui::TEdit, public TbsSkinBinding {
  public:
    explicit TbsSkinEdit(ui::TComponent* owner);
    ~TbsSkinEdit() override;
    const char* ClassName() const override { return "TbsSkinEdit"; }

    graphics::TColor DefaultColor() const { return defaultColor_; }
    void SetDefaultColor(graphics::TColor value);
    graphics::TFont& DefaultFont() { return defaultFont_; }
    bool UseSkinFont() const { return useSkinFont_; }
    void SetUseSkinFont(bool value);
    int DefaultWidth() const { return defaultWidth_; }
    void SetDefaultWidth(int value);
    int DefaultHeight() const { return defaultHeight_; }
    void SetDefaultHeight(int value);
    bool ButtonMode() const { return buttonMode_; }
    void SetButtonMode(bool value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    // The most characters the edit takes; 0 = no limit.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value);
    ui::TAlignment Alignment() const { return alignment_; }
    void SetAlignment(ui::TAlignment value);
    // Whether taking the focus from the keyboard (Tab, or the program) selects the whole
    // text; a click places the caret where it lands instead.
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool value) { autoSelect_ = value; }
    // Upper or lower case converts the text the edit holds, and all that is typed or set later.
    ui::TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(ui::TEditCharCase value);
    void SetText(const std::string& value) override;

    // Binds only to an edit object with a picture and a skin rect.
    void BindSkinObject() override;
    void ApplySkinChange() override;
    void SetBounds(int left, int top, int width, int height) override;

    // Hot: the pointer is over the edit.
    bool MouseIn() const { return mouseIn_; }
    // The widths of the frame around the text area: left, top, right, bottom.
    TRect FrameWidths() const;
    // The colour the text is drawn in now.
    graphics::TColor TextColor() const;
    // The whole window as it shows now: frame and text area.
    void PaintTo(graphics::TBitmap& bitmap);

  protected:
    void WndProc(ui::TMessage& message) override;
    void CreateParams(ui::TCreateParams& params) override;
    void CreateHandleDone() override;
    void Notification(ui::TComponent* component, ui::TOperation operation) override;
    void EnabledChanged() override;
    void ShowPlainLook() override { FrameChanged(); }

  private:
    const graphics::TBitmap* Picture() const;
    TRect StateRect() const;
    void UpdateTextFont();
    void RenderFrame(graphics::TBitmap& bitmap);
    void RenderTextArea(graphics::TBitmap& bitmap, int width, int height);
    void DrawText(graphics::TCanvas& canvas, int width, int height);
    void PaintFrame();
    void PaintClient();
    void FrameChanged();
    void SetHot(bool value);
    platform::DWORD CharCaseStyle() const;
    std::string InCharCase(const std::string& text) const;

    TbsSkinLayout skinLayout_;
    TRect activeSkinRect_;
    TbsSkinFont font_;
    graphics::TColor disabledFontColor_ = 0, activeFontColor_ = 0;

    graphics::TColor defaultColor_ = graphics::clWindow;
    graphics::TFont defaultFont_;
    graphics::TFont textFont_;
    bool useSkinFont_ = true;
    int defaultWidth_ = 0;
    int defaultHeight_ = 0;
    bool buttonMode_ = false;
    ui::TAlignment alignment_ = ui::TAlignment::taLeftJustify;
    bool readOnly_ = false;
    int maxLength_ = 0;
    bool autoSelect_ = true;
    ui::TEditCharCase charCase_ = ui::TEditCharCase::ecNormal;
    bool mouseIn_ = false;
    // Pixels of text scrolled off the left of the text area.
    int scroll_ = 0;
};

}  // namespace skinctrls
