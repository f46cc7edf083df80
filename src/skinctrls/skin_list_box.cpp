#include "skinctrls/skin_list_box.h"

#include <algorithm>

#include "platform/user/user.h"
#include "skinctrls/skin_font.h"
#include "ui/draw_utils.h"

namespace skinctrls {

using graphics::TBitmap;
using namespace platform;

TbsSkinPopupListBox::TbsSkinPopupListBox(ui::TComponent* owner)
    : ui::TCustomControl(owner), TbsSkinBinding(*this, "listbox") {
    defaultFont_.SetName("Arial");
    defaultFont_.SetHeight(14);
    SetVisible(false);
}

TbsSkinPopupListBox::~TbsSkinPopupListBox() = default;

void TbsSkinPopupListBox::SetSkinData(skin::TbsSkinData* value) {
    HoldSkinData(value);
    BindSkinObject();
}

void TbsSkinPopupListBox::Notification(ui::TComponent* component, ui::TOperation operation) {
    ui::TCustomControl::Notification(component, operation);
    ForgetSkinData(component, operation);
}

void TbsSkinPopupListBox::BindSkinObject() {
    TbsSkinBinding::BindSkinObject();
    skinLayout_.Clear();
    const auto* object = ListObject();
    // Rows need their pictures: without them the list keeps the plain look.
    if (object == nullptr || ToRect(object->ItemRect).IsEmpty() ||
        SkinBitmap(SkinData(), object->PictureIndex) == nullptr) {
        index_ = -1;
        return;
    }
    skinLayout_.CopyFrom(object);
}

int TbsSkinPopupListBox::ItemHeight() {
    BindSkinObject();
    const auto* object = ListObject();
    if (object != nullptr && useSkinItemHeight_) return ToRect(object->ItemRect).Height();
    if (object == nullptr && useSkinItemHeight_) return kPlainItemHeight;
    return defaultItemHeight_;
}

TRect TbsSkinPopupListBox::FrameWidths() {
    BindSkinObject();
    if (index_ == -1 || skinLayout_.SkinRect.IsEmpty()) return graphics::Rect(1, 1, 1, 1);
    const TRect& cr = skinLayout_.Geometry.ClRect;
    return graphics::Rect(cr.left, cr.top, skinLayout_.SkinRect.Width() - cr.right,
                          skinLayout_.SkinRect.Height() - cr.bottom);
}

int TbsSkinPopupListBox::HeightForRows(int rows) {
    const TRect f = FrameWidths();
    return std::max(rows, 0) * ItemHeight() + f.top + f.bottom;
}

int TbsSkinPopupListBox::ItemAtPos(TPoint point) {
    const TRect f = FrameWidths();
    if (point.x < f.left || point.x >= Width() - f.right || point.y < f.top ||
        point.y >= Height() - f.bottom)
        return -1;
    int item = topIndex_ + (point.y - f.top) / std::max(ItemHeight(), 1);
    return item < int(items_.size()) ? item : -1;
}

void TbsSkinPopupListBox::SetItemIndex(int value) {
    if (value < -1 || value >= int(items_.size())) value = -1;
    itemIndex_ = value;
    ScrollIntoView();
    Invalidate();
}

void TbsSkinPopupListBox::ScrollRows(int rows) {
    const TRect f = FrameWidths();
    const int shown = std::max(1, (Height() - f.top - f.bottom) / std::max(ItemHeight(), 1));
    const int maxTop = std::max(0, int(items_.size()) - shown);
    const int top = std::clamp(topIndex_ + rows, 0, maxTop);
    if (top == topIndex_) return;
    topIndex_ = top;
    Invalidate();
}

void TbsSkinPopupListBox::ScrollIntoView() {
    const TRect f = FrameWidths();
    const int rows = std::max(1, (Height() - f.top - f.bottom) / std::max(ItemHeight(), 1));
    const int maxTop = std::max(0, int(items_.size()) - rows);
    if (itemIndex_ >= 0) {
        if (itemIndex_ < topIndex_) topIndex_ = itemIndex_;
        if (itemIndex_ >= topIndex_ + rows) topIndex_ = itemIndex_ - rows + 1;
    }
    topIndex_ = std::clamp(topIndex_, 0, maxTop);
}

void TbsSkinPopupListBox::CreateParams(ui::TCreateParams& params) {
    ui::TCustomControl::CreateParams(params);
    params.style = WS_POPUP | WS_CLIPSIBLINGS;
    params.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    params.parent = nullptr;
}

void TbsSkinPopupListBox::ShowList(const TRect& bounds) {
    SetBounds(bounds.left, bounds.top, bounds.Width(), bounds.Height());
    // A fresh list starts at its top and scrolls only as far as the selection needs.
    topIndex_ = 0;
    ScrollIntoView();
    listVisible_ = true;
    SetWindowPos(Handle(), HWND_TOPMOST, bounds.left, bounds.top, bounds.Width(), bounds.Height(),
                 SWP_NOACTIVATE);
    // Once translucent, the window stays layered: switched off, it is made opaque again.
    if (alphaBlend_ || GetWindowLongPtr(Handle(), GWL_EXSTYLE) & WS_EX_LAYERED)
        fade_.Apply(Handle(), alphaBlend_ ? alphaBlendValue_ : 255,
                    alphaBlend_ && alphaBlendAnimation_);
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    fade_.Start();
    Invalidate();
}

void TbsSkinPopupListBox::HideList() {
    listVisible_ = false;
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}

void TbsSkinPopupListBox::DrawRow(graphics::TCanvas& target, int item, const TRect& rect) {
    const bool selected = item == itemIndex_;
    TBitmap row;
    row.SetWidth(rect.Width());
    row.SetHeight(rect.Height());
    if (row.IsEmpty()) return;
    graphics::TCanvas& canvas = row.Canvas();
    const auto* object = ListObject();
    const TBitmap* picture =
        object != nullptr ? SkinBitmap(SkinData(), object->PictureIndex) : nullptr;
    TRect textRect = graphics::Rect(2, 0, rect.Width() - 2, rect.Height());
    graphics::TColor color = selected ? graphics::clHighlightText : defaultFont_.Color();
    if (picture != nullptr) {
        // The selected row is the list's focused row.
        TRect state = ToRect(object->ItemRect);
        color = object->FontColor;
        if (selected && !ToRect(object->FocusItemRect).IsEmpty()) {
            state = ToRect(object->FocusItemRect);
            color = object->FocusFontColor;
        } else if (selected && !ToRect(object->ActiveItemRect).IsEmpty()) {
            state = ToRect(object->ActiveItemRect);
            color = object->ActiveFontColor;
        }
        const TRect text = ToRect(object->ItemTextRect);
        const TRect stretchFrame =
            graphics::Rect(text.left + 1, text.top + 1, text.right - 1, text.bottom - 1);
        ComposeStretchedImage(row, rect.Width(), rect.Height(), *picture, state, stretchFrame);
        const TRect item0 = ToRect(object->ItemRect);
        textRect = graphics::Rect(text.left, text.top, text.right + rect.Width() - item0.Width(),
                                  text.bottom + rect.Height() - item0.Height());
        TbsSkinFont font;
        font.CopyFrom(*object);
        font.Select(canvas.Font(), defaultFont_, useSkinFont_, SkinData());
    } else {
        ui::FillColor(canvas, graphics::Rect(0, 0, rect.Width(), rect.Height()),
                      selected ? graphics::clHighlight : graphics::clWindow);
        canvas.Font().CopyFrom(&defaultFont_);
    }
    canvas.Font().SetColor(color);
    if (OnDrawItem) {
        OnDrawItem(this, canvas, item, textRect, selected);
    } else {
        canvas.Brush().SetStyle(graphics::TBrushStyle::bsClear);
        ui::DrawCaption(canvas, items_[size_t(item)], textRect,
                        DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    BitBlt(target.Handle(), rect.left, rect.top, rect.Width(), rect.Height(), canvas.Handle(), 0, 0,
           SRCCOPY);
}

void TbsSkinPopupListBox::PaintTo(TBitmap& bitmap) {
    BindSkinObject();
    const int w = Width();
    const int h = Height();
    const auto* object = ListObject();
    const TBitmap* picture =
        object != nullptr ? SkinBitmap(SkinData(), object->PictureIndex) : nullptr;
    if (picture != nullptr && !skinLayout_.SkinRect.IsEmpty()) {
        TbsSkinLayout sized = skinLayout_;
        int width = w;
        int height = h;
        sized.ComputeSize(width, height);
        sized.Compose(bitmap, *picture, sized.SkinRect, w, h);
    } else {
        bitmap.SetWidth(w);
        bitmap.SetHeight(h);
        if (bitmap.IsEmpty()) return;
        ui::FillColor(bitmap.Canvas(), graphics::Rect(0, 0, w, h), graphics::clWindow);
        bitmap.Canvas().Brush().SetColor(graphics::clBtnShadow);
        bitmap.Canvas().FrameRect(graphics::Rect(0, 0, w, h));
    }
    if (bitmap.IsEmpty()) return;
    const TRect f = FrameWidths();
    const int rowHeight = std::max(ItemHeight(), 1);
    graphics::TCanvas& canvas = bitmap.Canvas();
    canvas.Changing();
    SaveDC(canvas.Handle());
    IntersectClipRect(canvas.Handle(), f.left, f.top, w - f.right, h - f.bottom);
    for (int item = topIndex_, y = f.top; item < int(items_.size()) && y < h - f.bottom;
         ++item, y += rowHeight)
        DrawRow(canvas, item, graphics::Rect(f.left, y, w - f.right, y + rowHeight));
    RestoreDC(canvas.Handle(), -1);
    canvas.Changed();
}

void TbsSkinPopupListBox::Paint() {
    if (Width() < 1 || Height() < 1) return;
    TBitmap buffer;
    PaintTo(buffer);
    if (buffer.IsEmpty()) return;
    BitBlt(Canvas().Handle(), 0, 0, buffer.Width(), buffer.Height(), buffer.Canvas().Handle(), 0, 0,
           SRCCOPY);
}

}  // namespace skinctrls
