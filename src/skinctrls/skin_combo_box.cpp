#include "skinctrls/skin_combo_box.h"

#include <algorithm>

#include "core/utf8.h"
#include "platform/user/user.h"
#include "skinctrls/default_look.h"
#include "ui/draw_utils.h"

namespace skinctrls {

using graphics::TBitmap;
using namespace platform;

namespace {

constexpr int kPlainArrowWidth = 15;
constexpr int kWheelRows = 3;

// The order of a sorted box: alphabetical, the case of ASCII letters aside.
bool TextLess(const std::string& a, const std::string& b) {
    return core::LowerCaseAscii(a) < core::LowerCaseAscii(b);
}

bool Contains(const TRect& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

}  // namespace

TbsSkinCustomComboBox::TbsSkinCustomComboBox(ui::TComponent* owner)
    : TbsSkinCustomControl(owner), listBox_(ui::Make<TbsSkinPopupListBox>(this)) {
    SetSkinDataName("combobox");
    // OnClick tells of a chosen item, not of a release over the box.
    SetControlStyle(ControlStyle() & ~ui::TControlStyle(ui::csClickEvents));
    SetTabStop(true);
    SetBounds(Left(), Top(), 120, 20);
}

TbsSkinCustomComboBox::~TbsSkinCustomComboBox() {
    if (listOpen_ && HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
}

void TbsSkinCustomComboBox::SetStyle(TbsSkinCustomComboBoxStyle value) {
    style_ = value;
    Invalidate();
}

void TbsSkinCustomComboBox::SetItems(std::vector<std::string> items) {
    listBox_->Items() = std::move(items);
    if (itemIndex_ >= int(listBox_->Items().size())) itemIndex_ = -1;
    if (sorted_) SortItems();
    listBox_->SetItemIndex(itemIndex_);
    Invalidate();
}

int TbsSkinCustomComboBox::AddItem(const std::string& item) {
    std::vector<std::string>& items = listBox_->Items();
    auto place =
        sorted_ ? std::upper_bound(items.begin(), items.end(), item, TextLess) : items.end();
    const int index = int(place - items.begin());
    items.insert(place, item);
    if (itemIndex_ >= index) listBox_->SetItemIndex(++itemIndex_);
    Invalidate();
    return index;
}

void TbsSkinCustomComboBox::SetSorted(bool value) {
    sorted_ = value;
    if (!sorted_) return;
    SortItems();
    listBox_->SetItemIndex(itemIndex_);
    Invalidate();
}

void TbsSkinCustomComboBox::SortItems() {
    std::vector<std::string>& items = listBox_->Items();
    std::vector<size_t> order(items.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return TextLess(items[a], items[b]); });
    std::vector<std::string> sorted;
    sorted.reserve(items.size());
    int followed = -1;
    for (size_t i = 0; i < order.size(); ++i) {
        if (int(order[i]) == itemIndex_) followed = int(i);
        sorted.push_back(std::move(items[order[i]]));
    }
    items = std::move(sorted);
    itemIndex_ = followed;
}

void TbsSkinCustomComboBox::SetUseSkinSize(bool value) {
    useSkinSize_ = value;
    ApplySkinChange();
}

void TbsSkinCustomComboBox::SetItemIndex(int value) {
    // An index beyond the list changes nothing.
    if (value < -1 || value >= int(Items().size())) return;
    itemIndex_ = value;
    listBox_->SetItemIndex(value);
    if (value >= 0) SetText(Items()[size_t(value)]);
    Invalidate();
    if ((ComponentState() & (ui::csDesigning | ui::csLoading)) != 0) return;
    if (OnClick) OnClick(this);
    Change();
}

void TbsSkinCustomComboBox::TextChanged() {
    Invalidate();
    if (OnChange) OnChange(this);
}

void TbsSkinCustomComboBox::EnabledChanged() {
    if (!Enabled() && listOpen_) CloseUp(false);
    TbsSkinCustomControl::EnabledChanged();
}

// ---------------------------------------------------------------------------------------------
// Binding and geometry

void TbsSkinCustomComboBox::BindSkinObject() {
    TbsSkinCustomControl::BindSkinObject();
    const auto* object = SkinObjectAs<skin::TbsDataSkinComboBox>();
    if (object == nullptr) return;
    activeSkinRect_ = ToRect(object->ActiveSkinRect);
    itemRect_ = ToRect(object->ItemRect);
    activeItemRect_ = ToRect(object->ActiveItemRect);
    focusItemRect_ = ToRect(object->FocusItemRect);
    itemLeftOffset_ = object->ItemLeftOffset;
    itemRightOffset_ = object->ItemRightOffset;
    itemTextRect_ = ToRect(object->ItemTextRect);
    font_.CopyFrom(*object);
    focusFontColor_ = object->FocusFontColor;
    activeFontColor_ = object->ActiveFontColor;
    listBoxName_ = object->ListBoxName;
    buttonRect_ = ToRect(object->ButtonRect);
    activeButtonRect_ = ToRect(object->ActiveButtonRect);
    downButtonRect_ = ToRect(object->DownButtonRect);
    unEnabledButtonRect_ = ToRect(object->UnEnabledButtonRect);
    itemStretchEffect_ = object->ItemStretchEffect;
    focusItemStretchEffect_ = object->FocusItemStretchEffect;
    showFocus_ = object->ShowFocus;
}

TRect TbsSkinCustomComboBox::ButtonRect() const {
    if (index_ == -1 || buttonRect_.IsEmpty())
        return graphics::Rect(Width() - kPlainArrowWidth - 1, 1, Width() - 1, Height() - 1);
    // A button right of the resizable middle moves with the right edge.
    const int dx = Width() - skinLayout_.SkinRect.Width();
    TRect r = buttonRect_;
    if (r.left >= skinLayout_.Geometry.RT.x) {
        r.left += dx;
        r.right += dx;
    }
    return r;
}

TRect TbsSkinCustomComboBox::TextAreaRect() const {
    if (index_ == -1) return graphics::Rect(2, 2, Width() - kPlainArrowWidth - 2, Height() - 2);
    if (useSkinSize_) return skinLayout_.Geometry.NewClRect;
    return GrowRect(skinLayout_.Geometry.ClRect, Width() - skinLayout_.SkinRect.Width(),
                    Height() - skinLayout_.SkinRect.Height());
}

// ---------------------------------------------------------------------------------------------
// Painting

void TbsSkinCustomComboBox::RenderDefaultImage(TBitmap& bitmap) {
    if (bitmap.IsEmpty()) return;
    graphics::TCanvas& canvas = bitmap.Canvas();
    const int w = Width();
    const int h = Height();
    DrawPlainFace(canvas, graphics::Rect(0, 0, w, h), listOpen_, Hot());
    // The arrow area: a small downward triangle.
    const TRect arrow = ButtonRect();
    const int cx = (arrow.left + arrow.right) / 2;
    const int cy = (arrow.top + arrow.bottom) / 2 - 1;
    const graphics::TColor arrowColor = Enabled() ? graphics::clBtnText : graphics::clBtnShadow;
    for (int i = 0; i < 4; ++i)
        ui::FillColor(canvas, graphics::Rect(cx - 3 + i, cy + i, cx + 4 - i, cy + i + 1),
                      arrowColor);
    TRect text = graphics::Rect(2, 2, w - 17, h - 2);
    if (listOpen_)
        text = graphics::Rect(text.left + 2, text.top + 2, text.right + 2, text.bottom + 2);
    canvas.Font().CopyFrom(&DefaultFont());
    const bool selected = SelectionShown() && itemIndex_ >= 0;
    if (!Enabled()) {
        canvas.Font().SetColor(graphics::clBtnShadow);
    } else if (selected) {
        ui::FillColor(canvas, text, graphics::clHighlight);
        canvas.Font().SetColor(graphics::clHighlightText);
    }
    DrawItemText(canvas, text, selected);
}

void TbsSkinCustomComboBox::RenderSkinImage(TBitmap& bitmap) {
    const TBitmap* picture = SkinPicture();
    if (picture == nullptr) {
        RenderDefaultImage(bitmap);
        return;
    }
    const int w = Width();
    const int h = Height();
    const TRect state =
        Hot() && !activeSkinRect_.IsEmpty() ? activeSkinRect_ : skinLayout_.SkinRect;
    if (useSkinSize_)
        skinLayout_.Compose(bitmap, *picture, state, w, h);
    else
        ComposeStretchedImage(bitmap, w, h, *picture, state, skinLayout_.Geometry.ClRect);
    if (bitmap.IsEmpty()) return;
    graphics::TCanvas& canvas = bitmap.Canvas();
    TBitmap source;
    source.CopyFrom(picture);
    // The button's state image over the base image's button.
    TRect buttonImage;
    if (!Enabled() && !unEnabledButtonRect_.IsEmpty())
        buttonImage = unEnabledButtonRect_;
    else if (Enabled() && buttonPressed_ && mouseInButton_)
        buttonImage = downButtonRect_;
    else if (Enabled() && mouseInButton_)
        buttonImage = activeButtonRect_;
    const TRect button = ButtonRect();
    if (!buttonImage.IsEmpty()) {
        canvas.Changing();
        BitBlt(canvas.Handle(), button.left, button.top, buttonImage.Width(), buttonImage.Height(),
               source.Canvas().Handle(), buttonImage.left, buttonImage.top, SRCCOPY);
        canvas.Changed();
    }
    DrawTextArea(canvas, TextAreaRect(), picture);
}

void TbsSkinCustomComboBox::DrawTextArea(graphics::TCanvas& canvas, const TRect& area,
                                         const TBitmap* picture) {
    const bool selected = SelectionShown();
    const bool activeImages = !activeItemRect_.IsEmpty() && !activeSkinRect_.IsEmpty();
    TRect image = itemRect_;
    bool stretch = itemStretchEffect_;
    if (selected && !focusItemRect_.IsEmpty()) {
        image = focusItemRect_;
        stretch = focusItemStretchEffect_;
    } else if (MouseOver() && activeImages) {
        image = activeItemRect_;
    }
    if (!image.IsEmpty() && area.Width() > 0) {
        TBitmap strip;
        ComposeHorizontalImage(strip, area.Width(), *picture, image, itemLeftOffset_,
                               itemRightOffset_, stretch);
        canvas.Changing();
        BitBlt(canvas.Handle(), area.left, area.top, strip.Width(),
               std::min(strip.Height(), area.Height()), strip.Canvas().Handle(), 0, 0, SRCCOPY);
        canvas.Changed();
    }
    font_.Select(canvas.Font(), DefaultFont(), UseSkinFont(), SkinData());
    graphics::TColor color = font_.Color;
    if (!Enabled())
        color = graphics::clGrayText;
    else if (selected)
        color = focusFontColor_;
    else if (MouseOver() && activeImages)
        color = activeFontColor_;
    canvas.Font().SetColor(color);
    // The text rect grows with the area.
    const int growth = image.IsEmpty() ? 0 : area.Width() - image.Width();
    TRect text = itemTextRect_.IsEmpty()
                     ? area
                     : graphics::Rect(area.left + itemTextRect_.left, area.top + itemTextRect_.top,
                                      area.left + itemTextRect_.right + growth,
                                      area.top + itemTextRect_.bottom);
    DrawItemText(canvas, text, selected);
    if (showFocus_ && Focused()) DrawFocusFrame(canvas, area);
}

void TbsSkinCustomComboBox::DrawItemText(graphics::TCanvas& canvas, const TRect& rect,
                                         bool selected) {
    const int shown = listOpen_ ? savedIndex_ : itemIndex_;
    if (OnComboBoxDrawItem) {
        OnComboBoxDrawItem(this, canvas, shown, selected, rect);
        return;
    }
    if (shown < 0 || shown >= int(Items().size())) return;
    canvas.Brush().SetStyle(graphics::TBrushStyle::bsClear);
    ui::DrawCaption(canvas, Items()[size_t(shown)], rect,
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// ---------------------------------------------------------------------------------------------
// Opening and closing

TRect TbsSkinCustomComboBox::ListBounds(int rows) {
    const int width = listBoxWidth_ > 0 ? listBoxWidth_ : Width();
    const int height = listBox_->HeightForRows(rows);
    const TPoint below = ClientToScreen({0, Height()});
    int top = below.y;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfo(MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST), &info) &&
        top + height > info.rcWork.bottom)
        top = ClientToScreen({0, 0}).y - height;
    return graphics::Rect(below.x, top, below.x + width, top + height);
}

void TbsSkinCustomComboBox::DropDown() {
    if (listOpen_ || Items().empty()) return;
    if (OnDropDown) OnDropDown(this);
    if (Items().empty()) return;  // the handler may have emptied the list
    savedIndex_ = itemIndex_;
    listBox_->SetSkinDataName(listBoxName_.empty() ? "listbox" : listBoxName_);
    listBox_->SetSkinData(SkinData());
    listBox_->OnDrawItem = OnListBoxDrawItem;
    const int rows = std::min(dropDownCount_, int(Items().size()));
    listBox_->ShowList(ListBounds(rows));
    listBox_->SetItemIndex(itemIndex_);
    listOpen_ = true;
    SetCapture(Handle());
    Invalidate();
}

void TbsSkinCustomComboBox::CloseUp(bool accept) {
    if (!listOpen_) return;
    listOpen_ = false;
    openingPress_ = false;
    buttonPressed_ = false;
    listBox_->HideList();
    if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
    const int selected = listBox_->ItemIndex();
    if (accept && selected >= 0 && selected < int(Items().size())) {
        SetItemIndex(selected);
    } else {
        accept = false;
        // Keys may have moved the box's own index while the list was open: going back to the
        // saved item tells the listeners too, so nobody keeps an item that is no longer shown.
        if (itemIndex_ != savedIndex_)
            SetItemIndex(savedIndex_);
        else
            listBox_->SetItemIndex(savedIndex_);
    }
    Invalidate();
    if (accept && OnCloseUp) OnCloseUp(this);
}

bool TbsSkinCustomComboBox::OpensAt(int x, int y) const {
    if (toolButtonStyle_) return true;
    if (Contains(ButtonRect(), x, y)) return true;
    return style_ == TbsSkinCustomComboBoxStyle::bscbFixedStyle && Contains(TextAreaRect(), x, y);
}

bool TbsSkinCustomComboBox::ListMouse(ui::TMessage& message) {
    const int x = GET_X_LPARAM(message.LParam);
    const int y = GET_Y_LPARAM(message.LParam);
    const TPoint screen = ClientToScreen({x, y});
    const TPoint inList{screen.x - listBox_->Left(), screen.y - listBox_->Top()};
    const bool overList =
        Contains(graphics::Rect(0, 0, listBox_->Width(), listBox_->Height()), inList.x, inList.y);
    switch (message.Msg) {
        case WM_MOUSEMOVE: {
            const bool inButton = Contains(ButtonRect(), x, y);
            if (inButton != mouseInButton_) {
                mouseInButton_ = inButton;
                Invalidate();
            }
            if (overList) {
                int item = listBox_->ItemAtPos(inList);
                if (item >= 0 && item != listBox_->ItemIndex()) listBox_->SetItemIndex(item);
            }
            return true;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (!overList) CloseUp(false);
            return true;
        case WM_LBUTTONUP:
            if (openingPress_) {
                // The release of the opening press keeps the list open unless it lands on a row.
                openingPress_ = false;
                buttonPressed_ = false;
                Invalidate();
                if (!overList || listBox_->ItemAtPos(inList) < 0) return true;
            }
            CloseUp(overList);
            return true;
        default:
            return false;
    }
}

// ---------------------------------------------------------------------------------------------
// Input

void TbsSkinCustomComboBox::WndProc(ui::TMessage& message) {
    if (listOpen_) {
        if ((message.Msg >= WM_MOUSEMOVE && message.Msg <= WM_LBUTTONDBLCLK) &&
            ListMouse(message)) {
            message.Result = 0;
            return;
        }
        if (message.Msg == WM_MOUSEWHEEL) {
            // The open list has no scroll bar: the wheel scrolls its rows.
            listBox_->ScrollRows(GET_WHEEL_DELTA_WPARAM(message.WParam) > 0 ? -kWheelRows
                                                                            : kWheelRows);
            message.Result = 0;
            return;
        }
        if (message.Msg == WM_KILLFOCUS || message.Msg == WM_CANCELMODE ||
            (message.Msg == WM_CAPTURECHANGED &&
             reinterpret_cast<HWND>(message.LParam) != Handle()))
            CloseUp(false);
    }
    TbsSkinCustomControl::WndProc(message);
    // The focused look (text-area image, colour, selection) comes and goes with the focus.
    if (message.Msg == WM_SETFOCUS || message.Msg == WM_KILLFOCUS) Invalidate();
}

void TbsSkinCustomComboBox::MouseEnter() {
    Invalidate();
}

void TbsSkinCustomComboBox::MouseLeave() {
    mouseInButton_ = false;
    Invalidate();
}

void TbsSkinCustomComboBox::MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x,
                                      int y) {
    if (CanFocus() && !Focused()) SetFocus();
    TbsSkinCustomControl::MouseDown(button, shift, x, y);
    if (button != ui::TMouseButton::mbLeft || listOpen_ || !OpensAt(x, y)) return;
    buttonPressed_ = Contains(ButtonRect(), x, y);
    mouseInButton_ = buttonPressed_;
    DropDown();
    openingPress_ = listOpen_;
    if (!listOpen_) buttonPressed_ = false;
    Invalidate();
}

void TbsSkinCustomComboBox::MouseMove(ui::TShiftState shift, int x, int y) {
    TbsSkinCustomControl::MouseMove(shift, x, y);
    const bool inButton = Contains(ButtonRect(), x, y);
    if (inButton != mouseInButton_) {
        mouseInButton_ = inButton;
        Invalidate();
    }
}

void TbsSkinCustomComboBox::MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    buttonPressed_ = false;
    Invalidate();
    TbsSkinCustomControl::MouseUp(button, shift, x, y);
}

void TbsSkinCustomComboBox::MoveSelection(int target) {
    const int count = int(Items().size());
    if (count == 0) return;
    target = std::clamp(target, 0, count - 1);
    if (target == itemIndex_) return;
    SetItemIndex(target);
}

void TbsSkinCustomComboBox::KeyDown(uint16_t& key, ui::TShiftState shift) {
    TbsSkinCustomControl::KeyDown(key, shift);
    if ((shift & ui::ssAlt) != 0) {
        if (key == VK_DOWN && !listOpen_)
            DropDown();
        else if (key == VK_UP && listOpen_)
            CloseUp(false);
        key = 0;
        return;
    }
    const int current = itemIndex_;
    switch (key) {
        case VK_UP:
        case VK_LEFT:
            if (current > 0) MoveSelection(current - 1);
            break;
        case VK_DOWN:
        case VK_RIGHT:
            MoveSelection(current + 1);
            break;
        case VK_PRIOR:
            MoveSelection(current - (dropDownCount_ + 1));
            break;
        case VK_NEXT:
            MoveSelection(current + dropDownCount_ - 1);
            break;
        case VK_RETURN:
            if (!listOpen_) return;
            CloseUp(true);
            break;
        case VK_ESCAPE:
            if (!listOpen_) return;
            CloseUp(false);
            break;
        default:
            return;
    }
    key = 0;
}

}  // namespace skinctrls
