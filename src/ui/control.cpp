#include "ui/control.h"

#include "platform/user/user.h"
#include "ui/form.h"
#include "ui/menus.h"
#include "ui/resource_strings.h"
#include "ui/win_control.h"

namespace ui {

using namespace platform;

TShiftState ShiftFromMouseKeys(WPARAM keys) {
    TShiftState shift = 0;
    if (keys & MK_SHIFT) shift |= ssShift;
    if (keys & MK_CONTROL) shift |= ssCtrl;
    if (keys & MK_LBUTTON) shift |= ssLeft;
    if (keys & MK_RBUTTON) shift |= ssRight;
    if (keys & MK_MBUTTON) shift |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

TShiftState KeyboardShift() {
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
    font_.SetOnChange([this](graphics::TGraphicsObject*) {
        parentFont_ = false;
        FontChanged();
    });
    constraints_.OnChange = [this] {
        SetBounds(left_, top_, width_, height_);
        RequestAlign();  // an aligned control may have room to take again
    };
}

TControl::~TControl() {
    SetDestroying();
    if (parent_ != nullptr) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (static_cast<TControl*>(parent) == this)
        throw core::EInvalidOperation(strings::SControlParentSetToSelf);
    if (parent_ != nullptr) parent_->RemoveControl(this);
    if (parent != nullptr) parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    constraints_.Apply(width, height);
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    bool sized = width != width_ || height != height_;
    if (parent_ != nullptr && Visible()) Invalidate();  // the old place
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (parent_ != nullptr && Visible()) Invalidate();  // the new place
    UpdateAnchorRules();
    RequestAlign();
    if (sized) Resized();
    if (parent_ != nullptr) parent_->AdjustSize();
}

void TControl::SetClientSize(int width, int height) {
    TRect client = ClientRect();
    SetBounds(left_, top_, width_ + width - client.Width(), height_ + height - client.Height());
}

void TControl::UpdateAnchorRules() {
    if (parent_ == nullptr || parent_->inAlign_) return;
    TRect client = parent_->ClientRect();
    anchorRules_.right = client.Width() - (left_ + width_);
    anchorRules_.bottom = client.Height() - (top_ + height_);
}

void TControl::RequestAlign() {
    if (parent_ != nullptr && !parent_->inAlign_ &&
        (align_ != TAlign::alNone || anchors_ != kDefaultAnchors))
        parent_->Realign(this);
}

void TControl::SetAlign(TAlign value) {
    if (value == align_) return;
    align_ = value;
    if (parent_ != nullptr) parent_->Realign(this);
}

void TControl::SetAnchors(TAnchors value) {
    anchors_ = value;
    UpdateAnchorRules();
}

void TControl::SetVisible(bool value) {
    if (value == visible_) return;
    VisibleChanging();
    if (!value && parent_ != nullptr) Invalidate();
    visible_ = value;
    VisibleChanged();
    Perform(CM_VISIBLECHANGED, value, 0);
    if (parent_ != nullptr && align_ != TAlign::alNone) parent_->Realign();
    if (parent_ != nullptr) parent_->AdjustSize();
}

void TControl::VisibleChanged() {
    if (visible_) Invalidate();
}

bool TControl::Showing() const {
    const TControl* control = this;
    while (control != nullptr) {
        if (!control->visible_) return false;
        control = control->parent_;
    }
    return true;
}

void TControl::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    EnabledChanged();
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetText(const std::string& value) {
    if (value == text_) return;
    text_ = value;
    TextChanged();
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool value) {
    parentFont_ = value;
    if (value) ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!parentFont_ || parent_ == nullptr) return;
    auto handler = [this](graphics::TGraphicsObject*) {
        parentFont_ = false;
        FontChanged();
    };
    font_.SetOnChange(nullptr);
    font_.CopyFrom(&parent_->Font());
    font_.SetOnChange(handler);
    FontChanged();
}

void TControl::FontChanged() {
    Invalidate();
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetColor(TColor value) {
    parentColor_ = false;
    if (value == color_) return;
    color_ = value;
    ColorChanged();
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool value) {
    parentColor_ = value;
    if (value) ParentColorChanged();
}

void TControl::ParentColorChanged() {
    if (!parentColor_ || parent_ == nullptr) return;
    color_ = parent_->Color();
    ColorChanged();
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
    if (popupMenu_ != nullptr) popupMenu_->RemoveFreeNotification(this);
    popupMenu_ = menu;
    if (menu != nullptr) menu->FreeNotification(this);
}

bool TControl::ShowHint() const {
    if (parentShowHint_ && parent_ != nullptr) return parent_->ShowHint();
    return showHint_;
}

void TControl::SetShowHint(bool value) {
    showHint_ = value;
    parentShowHint_ = false;
}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == popupMenu_) popupMenu_ = nullptr;
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage message{msg, wParam, lParam, 0};
    Deliver(message);
    return message.Result;
}

void TControl::Deliver(TMessage& message) {
    if (HasMessageHandler(message.Msg))
        Dispatch(message);
    else
        WndProc(message);
}

void TControl::SetMessageHandler(UINT msg, TMessageHandler handler) {
    if (handler)
        handlers_[msg] = std::move(handler);
    else
        handlers_.erase(msg);
}

void TControl::Dispatch(TMessage& message) {
    auto found = handlers_.find(message.Msg);
    if (found != handlers_.end()) {
        TMessageHandler handler = found->second;  // may unregister itself
        handler(message);
        return;
    }
    DefaultHandler(message);
}

void TControl::DefaultHandler(TMessage& message) {
    switch (message.Msg) {
        case WM_GETTEXTLENGTH:
            message.Result = LRESULT(text_.size());
            break;
        default:
            break;
    }
}

void TControl::WndProc(TMessage& message) {
    switch (message.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MOUSEMOVE:
            if (handlers_.count(message.Msg) == 0) {
                HandleMouseMessage(message);
                return;
            }
            break;
        default:
            break;
    }
    Dispatch(message);
}

void TControl::HandleMouseMessage(TMessage& message) {
    int x = GET_X_LPARAM(message.LParam);
    int y = GET_Y_LPARAM(message.LParam);
    TShiftState shift = ShiftFromMouseKeys(message.WParam);
    switch (message.Msg) {
        case WM_LBUTTONDOWN:
            if (controlStyle_ & csCaptureMouse) mouseCaptured_ = true;
            MouseDown(TMouseButton::mbLeft, shift, x, y);
            break;
        case WM_LBUTTONDBLCLK:
            if (controlStyle_ & csDoubleClicks) {
                if (controlStyle_ & csCaptureMouse) mouseCaptured_ = true;
                DblClick();
                MouseDown(TMouseButton::mbLeft, shift | ssDouble, x, y);
            } else {
                if (controlStyle_ & csCaptureMouse) mouseCaptured_ = true;
                MouseDown(TMouseButton::mbLeft, shift, x, y);
            }
            break;
        case WM_LBUTTONUP: {
            bool wasCaptured = mouseCaptured_;
            mouseCaptured_ = false;
            bool inside = x >= 0 && y >= 0 && x < width_ && y < height_;
            if (wasCaptured && inside && (controlStyle_ & csClickEvents) && enabled_) Click();
            // Click may have freed nothing but changed much; the up event still follows.
            MouseUp(TMouseButton::mbLeft, shift, x, y);
            break;
        }
        case WM_RBUTTONDOWN:
            MouseDown(TMouseButton::mbRight, shift, x, y);
            break;
        case WM_RBUTTONUP:
            MouseUp(TMouseButton::mbRight, shift, x, y);
            break;
        case WM_MBUTTONDOWN:
            MouseDown(TMouseButton::mbMiddle, shift, x, y);
            break;
        case WM_MBUTTONUP:
            MouseUp(TMouseButton::mbMiddle, shift, x, y);
            break;
        case WM_MOUSEMOVE:
            MouseMove(shift, x, y);
            break;
        default:
            break;
    }
    // Windowed controls still want the platform's default handling (activation, context
    // menu requests).
    Dispatch(message);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::Invalidate() {
    if (parent_ == nullptr || !parent_->HandleAllocated()) return;
    RECT rect = BoundsRect().ToRECT();
    InvalidateRect(parent_->Handle(), &rect, (controlStyle_ & csOpaque) ? FALSE : TRUE);
}

void TControl::Update() {
    if (parent_ != nullptr) parent_->Update();
}

TPoint TControl::ClientOrigin() const {
    if (parent_ == nullptr) return {left_, top_};
    TPoint origin = parent_->ClientOrigin();
    return {origin.x + left_, origin.y + top_};
}

TPoint TControl::ClientToScreen(TPoint point) const {
    TPoint origin = ClientOrigin();
    return {point.x + origin.x, point.y + origin.y};
}

TPoint TControl::ScreenToClient(TPoint point) const {
    TPoint origin = ClientOrigin();
    return {point.x - origin.x, point.y - origin.y};
}

bool TControl::ContextPopup(TPoint clientPoint) {
    // A graphic control without a menu of its own shows its parent's; a windowed control
    // leaves that to the platform, which hands the request on to the parent window.
    TControl* holder = this;
    if (popupMenu_ == nullptr && dynamic_cast<TWinControl*>(this) == nullptr) holder = parent_;
    if (holder == nullptr || holder->popupMenu_ == nullptr || !holder->popupMenu_->AutoPopup())
        return false;
    TPoint screen = ClientToScreen(clientPoint);
    holder->popupMenu_->SetPopupComponent(holder);
    holder->popupMenu_->Popup(screen.x, screen.y);
    return true;
}

TCustomForm* TControl::ParentForm() const {
    const TControl* control = this;
    while (control->parent_ != nullptr) control = control->parent_;
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(control));
}

}  // namespace ui
