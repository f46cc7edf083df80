#pragma once
// The drop-down list of the skinned combo boxes: a top-most window that never takes the focus,
// framed by the skin object "listbox" and showing one row image per item (normal, or the
// focused image for the selected row), with a plain look when unbound.
#include <functional>
#include <string>
#include <vector>

#include "graphics/bitmap.h"
#include "graphics/graphics_objects.h"
#include "skinctrls/skin_binding.h"
#include "skinctrls/skin_geometry.h"
#include "ui/win_control.h"
#include "ui/window_fade.h"

namespace skinctrls {

// The canvas, the item's index, the row rect and whether it is the selected row.
using TbsDrawItemEvent = std::function<void(ui::TComponent* sender, graphics::TCanvas& canvas,
                                            int index, TRect rect, bool selected)>;

class TbsSkinPopupListBox : public ui::TCustomControl, public TbsSkinBinding {
  public:
    static constexpr int kPlainItemHeight = 16;

    explicit TbsSkinPopupListBox(ui::TComponent* owner);
    ~TbsSkinPopupListBox() override;
    const char* ClassName() const override { return "TbsSkinPopupListBox"; }

    // Follows `value` and binds at once.
    void SetSkinData(skin::TbsSkinData* value) override;
    graphics::TFont& DefaultFont() { return defaultFont_; }
    bool UseSkinFont() const { return useSkinFont_; }
    void SetUseSkinFont(bool value) { useSkinFont_ = value; }
    bool UseSkinItemHeight() const { return useSkinItemHeight_; }
    void SetUseSkinItemHeight(bool value) { useSkinItemHeight_ = value; }
    int DefaultItemHeight() const { return defaultItemHeight_; }
    void SetDefaultItemHeight(int value) { defaultItemHeight_ = value > 0 ? value : 1; }

    std::vector<std::string>& Items() { return items_; }
    const std::vector<std::string>& Items() const { return items_; }
    // The selected row (-1 = none); setting it scrolls the row into view.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int value);
    int TopIndex() const { return topIndex_; }
    // Scrolls by whole rows (negative: up), within the list.
    void ScrollRows(int rows);
    int ItemHeight();
    // Binds only to a list object whose rows have their picture.
    void BindSkinObject() override;

    // The frame widths around the rows: left, top, right, bottom.
    TRect FrameWidths();
    // The window size that shows `rows` rows at `width`.
    int HeightForRows(int rows);
    // The row under a client point, or -1.
    int ItemAtPos(TPoint point);
    // Opens at screen rect `bounds` without taking the focus; closes.
    void ShowList(const TRect& bounds);
    void HideList();
    bool ListVisible() const { return listVisible_; }
    // Translucency of the open list: `value` (255 = opaque), faded in when `animate`.
    bool AlphaBlend() const { return alphaBlend_; }
    void SetAlphaBlend(bool value) { alphaBlend_ = value; }
    std::uint8_t AlphaBlendValue() const { return alphaBlendValue_; }
    void SetAlphaBlendValue(std::uint8_t value) { alphaBlendValue_ = value; }
    bool AlphaBlendAnimation() const { return alphaBlendAnimation_; }
    void SetAlphaBlendAnimation(bool value) { alphaBlendAnimation_ = value; }
    void PaintTo(graphics::TBitmap& bitmap);

    TbsDrawItemEvent OnDrawItem;

  protected:
    void CreateParams(ui::TCreateParams& params) override;
    void Paint() override;
    void EraseBackground(platform::HDC) override {}
    void Notification(ui::TComponent* component, ui::TOperation operation) override;

  private:
    const skin::TbsDataSkinListBox* ListObject() const {
        return SkinObjectAs<skin::TbsDataSkinListBox>();
    }
    void DrawRow(graphics::TCanvas& target, int item, const TRect& rect);
    void ScrollIntoView();

    TbsSkinLayout skinLayout_;
    graphics::TFont defaultFont_;
    bool useSkinFont_ = true;
    bool useSkinItemHeight_ = true;
    int defaultItemHeight_ = 20;
    std::vector<std::string> items_;
    int itemIndex_ = -1;
    int topIndex_ = 0;
    bool listVisible_ = false;
    bool alphaBlend_ = false;
    std::uint8_t alphaBlendValue_ = 255;
    bool alphaBlendAnimation_ = false;
    ui::TWindowFade fade_;
};

}  // namespace skinctrls
