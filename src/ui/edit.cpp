#include "ui/edit.h"

#include "platform/user/user.h"
#include "ui/draw_utils.h"
#include "ui/menus.h"

namespace ui {

using namespace platform;

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
    SetBounds(Left(), Top(), 121, 21);
    SetTabStop(true);
    SetColor(graphics::clWindow);
}

void TEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.baseClass = "EDIT";
    params.style |= ES_AUTOHSCROLL | ES_LEFT;
    params.exStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::CreateHandleDone() {
    SendMessage(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
}

std::string TEdit::Text() {
    if (!HandleAllocated()) return text_;
    int length = GetWindowTextLength(Handle());
    std::string text(size_t(length) + 1, '\0');
    int got = GetWindowText(Handle(), text.data(), length + 1);
    text.resize(size_t(got < 0 ? 0 : got));
    text_ = text;
    return text;
}

void TEdit::SetText(const std::string& value) {
    text_ = value;
    if (HandleAllocated()) SetWindowText(Handle(), value.c_str());
    if (OnChange) OnChange(this);
}

void TEdit::WndProc(TMessage& message) {
    TWinControl::WndProc(message);
    if (message.Msg == WM_CHAR || message.Msg == WM_PASTE || message.Msg == WM_CUT ||
        message.Msg == WM_CLEAR || message.Msg == WM_UNDO) {
        if (OnChange) OnChange(this);
    }
}

// ---------------------------------------------------------------------------------------------

TComboBox::TComboBox(TComponent* owner) : TCustomControl(owner) {
    SetBounds(Left(), Top(), 145, 21);
    SetTabStop(true);
    SetColor(graphics::clWindow);
}

void TComboBox::SetItems(std::vector<std::string> items) {
    items_ = std::move(items);
    if (itemIndex_ >= int(items_.size())) itemIndex_ = -1;
    Invalidate();
}

void TComboBox::SetItemIndex(int index) {
    if (index < -1 || index >= int(items_.size())) index = -1;
    if (index == itemIndex_) return;
    itemIndex_ = index;
    Invalidate();
    if (OnChange) OnChange(this);
}

std::string TComboBox::Text() const {
    return itemIndex_ >= 0 && itemIndex_ < int(items_.size()) ? items_[size_t(itemIndex_)] : "";
}

void TComboBox::Paint() {
    TRect rect = ClientRect();
    FillColor(Canvas(), rect, Color());
    Frame3D(Canvas(), rect, graphics::clBtnShadow, graphics::clBtnHighlight);
    int arrow = rect.Height() - 4;
    TRect button =
        graphics::Rect(rect.right - 2 - arrow, rect.top + 2, rect.right - 2, rect.bottom - 2);
    FillColor(Canvas(), button, graphics::clBtnFace);
    Frame3D(Canvas(), button, graphics::clBtnHighlight, graphics::clBtnShadow);
    // The arrow: a small downward triangle of lines.
    int cx = (button.left + button.right) / 2;
    int cy = (button.top + button.bottom) / 2 - 1;
    FillColor(Canvas(), graphics::Rect(cx - 3, cy, cx + 4, cy + 1), graphics::clBtnText);
    FillColor(Canvas(), graphics::Rect(cx - 2, cy + 1, cx + 3, cy + 2), graphics::clBtnText);
    FillColor(Canvas(), graphics::Rect(cx - 1, cy + 2, cx + 2, cy + 3), graphics::clBtnText);
    FillColor(Canvas(), graphics::Rect(cx, cy + 3, cx + 1, cy + 4), graphics::clBtnText);
    Canvas().Font().CopyFrom(&Font());
    DrawCaption(Canvas(), Text(),
                graphics::Rect(rect.left + 4, rect.top, button.left - 2, rect.bottom),
                DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TComboBox::DropDown() {
    if (items_.empty()) return;
    TMenuItem root(nullptr);
    std::vector<std::unique_ptr<TMenuItem>> entries;
    for (size_t i = 0; i < items_.size(); ++i) {
        entries.push_back(std::make_unique<TMenuItem>(nullptr));
        entries.back()->SetCaption(items_[i]);
        entries.back()->SetChecked(int(i) == itemIndex_);
        root.Add(entries.back().get());
    }
    TPoint below = ClientToScreen({0, Height()});
    TMenuItem* chosen = TrackPlainPopup(root, below.x, below.y, Handle());
    for (auto& entry : entries) root.Remove(entry.get());
    if (chosen == nullptr) return;
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].get() == chosen) SetItemIndex(int(i));
}

void TComboBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft) return;
    if (CanFocus()) SetFocus();
    // The list tracks the mouse itself.
    if (GetCapture() != nullptr) ReleaseCapture();
    DropDown();
}

void TComboBox::KeyDown(uint16_t& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == VK_DOWN && itemIndex_ + 1 < int(items_.size())) {
        SetItemIndex(itemIndex_ + 1);
        key = 0;
    } else if (key == VK_UP && itemIndex_ > 0) {
        SetItemIndex(itemIndex_ - 1);
        key = 0;
    }
}

}  // namespace ui
