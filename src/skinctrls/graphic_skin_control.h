#pragma once
// The skinned controls without a window of their own (the file dialogs' tool buttons stand on
// them): the same binding, painting and resizing as the windowed pair, drawn by the parent on
// its surface, always opaque, and without a window region.
#include <string>

#include "graphics/bitmap.h"
#include "graphics/graphics_objects.h"
#include "skin/skin_data.h"
#include "skin/skinnable_control.h"
#include "skinctrls/control_messages.h"
#include "skinctrls/skin_geometry.h"
#include "ui/win_control.h"

namespace skinctrls {

class TbsGraphicSkinControl : public ui::TGraphicControl, public skin::TbsSkinnableControl {
  public:
    explicit TbsGraphicSkinControl(ui::TComponent* owner);
    ~TbsGraphicSkinControl() override;
    const char* ClassName() const override { return "TbsGraphicSkinControl"; }

    skin::TbsSkinData* SkinData() const override { return skinData_; }
    virtual void SetSkinData(skin::TbsSkinData* value);
    const std::string& SkinDataName() const { return skinDataName_; }
    void SetSkinDataName(const std::string& value) { skinDataName_ = value; }

    int SkinIndex() const { return index_; }
    virtual void BindSkinObject();
    void ResetSkinBinding() override { index_ = -1; }
    void ApplySkinChange() override;
    void PaintTo(graphics::TBitmap& bitmap);

    ui::TNotifyEvent OnMouseEnter;
    ui::TNotifyEvent OnMouseLeave;

  protected:
    const skin::TbsDataSkinControl* SkinObject() const;
    bool SkinUsable() const { return skinData_ != nullptr && !skinData_->Empty(); }
    virtual void RenderDefaultImage(graphics::TBitmap& bitmap);
    virtual void RenderSkinImage(graphics::TBitmap& bitmap) { (void)bitmap; }
    virtual void ParentBackgroundChanged() {}
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    bool MouseOver() const { return mouseOver_; }

    void Paint() override;
    void WndProc(ui::TMessage& message) override;
    void Notification(ui::TComponent* component, ui::TOperation operation) override;

    int index_ = -1;

  private:
    skin::TbsSkinData* skinData_ = nullptr;
    std::string skinDataName_;
    bool mouseOver_ = false;
};

class TbsGraphicSkinCustomControl : public TbsGraphicSkinControl {
  public:
    explicit TbsGraphicSkinCustomControl(ui::TComponent* owner);
    ~TbsGraphicSkinCustomControl() override;
    const char* ClassName() const override { return "TbsGraphicSkinCustomControl"; }

    graphics::TFont& DefaultFont() { return defaultFont_; }
    const graphics::TFont& DefaultFont() const { return defaultFont_; }
    int DefaultWidth() const { return defaultWidth_; }
    void SetDefaultWidth(int value);
    int DefaultHeight() const { return defaultHeight_; }
    void SetDefaultHeight(int value);
    bool UseSkinFont() const { return useSkinFont_; }
    void SetUseSkinFont(bool value);

    TbsSkinLayoutMode SkinLayoutMode() const { return frame_.LayoutMode; }
    TRect ActualClientRect() const { return frame_.Geometry.NewClRect; }

    void BindSkinObject() override;
    void ApplySkinChange() override;
    void SetBounds(int left, int top, int width, int height) override;
    void ComputeSkinSize(int& width, int& height);

  protected:
    virtual void DefaultFontChanged() {}
    void RenderSkinImage(graphics::TBitmap& bitmap) override;
    const graphics::TBitmap* SkinPicture() const;

    TbsSkinFrame frame_;

  private:
    graphics::TFont defaultFont_;
    int defaultWidth_ = 0;
    int defaultHeight_ = 0;
    bool useSkinFont_ = true;
};

}  // namespace skinctrls
