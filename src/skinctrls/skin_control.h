#pragma once
// The windowed skinned controls' bases: binding to a named object of the skin data, painting
// through an off-screen bitmap, resizing the skin image to the control and the window region
// of masked skins. A control without a skin object paints a plain built-in look.
#include <string>

#include "graphics/bitmap.h"
#include "graphics/graphics_objects.h"
#include "skin/skin_data.h"
#include "skin/skinnable_control.h"
#include "skinctrls/control_messages.h"
#include "skinctrls/skin_geometry.h"
#include "ui/win_control.h"

namespace skinctrls {

class TbsSkinControl : public ui::TCustomControl, public skin::TbsSkinnableControl {
  public:
    explicit TbsSkinControl(ui::TComponent* owner);
    ~TbsSkinControl() override;
    const char* ClassName() const override { return "TbsSkinControl"; }

    skin::TbsSkinData* SkinData() const override { return skinData_; }
    virtual void SetSkinData(skin::TbsSkinData* value);
    const std::string& SkinDataName() const { return skinDataName_; }
    virtual void SetSkinDataName(const std::string& value) { skinDataName_ = value; }
    const std::string& HintTitle() const { return hintTitle_; }
    void SetHintTitle(const std::string& value) { hintTitle_ = value; }
    int HintImageIndex() const { return hintImageIndex_; }
    void SetHintImageIndex(int value) { hintImageIndex_ = value; }

    // The bound object's index in the skin data's control list; -1 = none.
    int SkinIndex() const { return index_; }
    // Finds the object named SkinDataName and copies what the control needs of it.
    virtual void BindSkinObject();
    void ResetSkinBinding() override { index_ = -1; }
    void ApplySkinChange() override;

    // Renders the control as a paint would, into a bitmap of its size.
    void PaintTo(graphics::TBitmap& bitmap);

    ui::TNotifyEvent OnMouseEnter;
    ui::TNotifyEvent OnMouseLeave;

  protected:
    // The bound object, or null.
    const skin::TbsDataSkinControl* SkinObject() const;
    bool SkinUsable() const { return skinData_ != nullptr && !skinData_->Empty(); }

    virtual void RenderDefaultImage(graphics::TBitmap& bitmap);
    virtual void RenderSkinImage(graphics::TBitmap& bitmap) { (void)bitmap; }
    virtual void ParentBackgroundChanged() {}
    // The pointer came over the control or left it.
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    bool MouseOver() const { return mouseOver_; }

    void Paint() override;
    void EraseBackground(platform::HDC) override {}  // painting covers everything
    void WndProc(ui::TMessage& message) override;
    void Notification(ui::TComponent* component, ui::TOperation operation) override;

    int index_ = -1;

  private:
    void TrackPointer(int x, int y);

    skin::TbsSkinData* skinData_ = nullptr;
    std::string skinDataName_;
    std::string hintTitle_;
    int hintImageIndex_ = 0;
    bool mouseOver_ = false;
    bool leaveTracked_ = false;
};

class TbsSkinCustomControl : public TbsSkinControl {
  public:
    explicit TbsSkinCustomControl(ui::TComponent* owner);
    ~TbsSkinCustomControl() override;
    const char* ClassName() const override { return "TbsSkinCustomControl"; }

    graphics::TFont& DefaultFont() { return defaultFont_; }
    const graphics::TFont& DefaultFont() const { return defaultFont_; }
    int DefaultWidth() const { return defaultWidth_; }
    void SetDefaultWidth(int value);
    int DefaultHeight() const { return defaultHeight_; }
    void SetDefaultHeight(int value);
    bool UseSkinFont() const { return useSkinFont_; }
    void SetUseSkinFont(bool value);

    TbsSkinLayoutMode SkinLayoutMode() const { return frame_.LayoutMode; }
    const TbsSkinFrame& SkinFrame() const { return frame_; }
    TRect ActualClientRect() const { return frame_.Geometry.NewClRect; }
    // The window region set from the mask, or null.
    platform::HRGN WindowRegion() const { return region_; }

    void BindSkinObject() override;
    void ApplySkinChange() override;
    // The control's bounds, passed through the skin size first when bound.
    void SetBounds(int left, int top, int width, int height) override;

    virtual void ComputeSkinSize(int& width, int& height);
    virtual void UpdateWindowRegion();

  protected:
    virtual void DefaultFontChanged() {}
    void CreateHandleDone() override;
    void RenderSkinImage(graphics::TBitmap& bitmap) override;
    const graphics::TBitmap* SkinPicture() const;
    const graphics::TBitmap* SkinMask() const;
    // Sets (or with null removes) the window region; the window owns the region it is given.
    void SetRegion(platform::HRGN region);
    // Children that draw their parent's background are told it changed.
    void NotifyChildrenOfBackground();

    TbsSkinFrame frame_;
    // Panels paint their own background, so their skin image leaves the client piece out.
    bool paintsOwnBackground_ = false;

  private:
    graphics::TFont defaultFont_;
    int defaultWidth_ = 0;
    int defaultHeight_ = 0;
    bool useSkinFont_ = true;
    platform::HRGN region_ = nullptr;
};

// The font a control draws with: the skin object's name, height and style when `useSkinFont`,
// else the default font; the character set is the skin data's string table's, else the
// default font's.
void SelectControlFont(graphics::TFont& target, const graphics::TFont& defaultFont,
                       bool useSkinFont, const std::string& name, int height,
                       skin::TFontStyles style, const skin::TbsSkinData* data);

}  // namespace skinctrls
