#pragma once
// What the windowed and the windowless skinned controls share, written once over either
// control class: the binding, painting through an off-screen bitmap of the control's size (the
// skin image when bound, a plain look else), the hot state from the pointer's enter and leave
// messages; and for the resizable ones the default font and size, the skin geometry resized to
// the control and the bounds passed through it. Instantiated for ui::TCustomControl and
// ui::TGraphicControl in skin_control_base.cpp.
#include "graphics/bitmap.h"
#include "graphics/graphics_objects.h"
#include "skinctrls/control_messages.h"
#include "skinctrls/skin_binding.h"
#include "skinctrls/skin_geometry.h"
#include "ui/win_control.h"

namespace skinctrls {

template <typename Base>
class TbsSkinControlBase : public Base, public TbsSkinBinding {
  public:
    explicit TbsSkinControlBase(ui::TComponent* owner);

    // Renders the control as a paint would, into a bitmap of its size.
    void PaintTo(graphics::TBitmap& bitmap);

    ui::TNotifyEvent OnMouseEnter;
    ui::TNotifyEvent OnMouseLeave;

  protected:
    virtual void RenderDefaultImage(graphics::TBitmap& bitmap);
    virtual void RenderSkinImage(graphics::TBitmap& bitmap) { (void)bitmap; }
    virtual void ParentBackgroundChanged() {}
    // The pointer came over the control or left it.
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    bool MouseOver() const { return mouseOver_; }

    void Paint() override;
    void WndProc(ui::TMessage& message) override;
    void Notification(ui::TComponent* component, ui::TOperation operation) override;

  private:
    bool mouseOver_ = false;
};

template <typename Base>
class TbsSkinCustomControlBase : public Base {
  public:
    explicit TbsSkinCustomControlBase(ui::TComponent* owner);
    ~TbsSkinCustomControlBase() override;

    graphics::TFont& DefaultFont() { return defaultFont_; }
    const graphics::TFont& DefaultFont() const { return defaultFont_; }
    int DefaultWidth() const { return defaultWidth_; }
    void SetDefaultWidth(int value);
    int DefaultHeight() const { return defaultHeight_; }
    void SetDefaultHeight(int value);
    bool UseSkinFont() const { return useSkinFont_; }
    void SetUseSkinFont(bool value);

    TbsSkinLayoutMode SkinLayoutMode() const { return skinLayout_.LayoutMode; }
    const TbsSkinLayout& SkinLayout() const { return skinLayout_; }
    TRect ActualClientRect() const { return skinLayout_.Geometry.NewClRect; }

    void BindSkinObject() override;
    // Resizes to the skin (or, unbound, to the default size) and repaints.
    void ApplySkinChange() override;
    // The control's bounds, passed through the skin size first when bound.
    void SetBounds(int left, int top, int width, int height) override;
    virtual void ComputeSkinSize(int& width, int& height);
    // Windowed controls shape their window by the skin's mask; windowless ones have no shape.
    virtual void UpdateWindowRegion() {}

  protected:
    virtual void DefaultFontChanged() {}
    // Children that draw their parent's background are told it changed (windowless controls
    // have none).
    virtual void NotifyChildrenOfBackground() {}
    void RenderSkinImage(graphics::TBitmap& bitmap) override;
    const graphics::TBitmap* SkinPicture() const;

    TbsSkinLayout skinLayout_;
    // Panels paint their own background, so their skin image leaves the client piece out.
    bool paintsOwnBackground_ = false;

  private:
    graphics::TFont defaultFont_;
    int defaultWidth_ = 0;
    int defaultHeight_ = 0;
    bool useSkinFont_ = true;
};

extern template class TbsSkinControlBase<ui::TCustomControl>;
extern template class TbsSkinControlBase<ui::TGraphicControl>;

}  // namespace skinctrls
