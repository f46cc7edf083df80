#include "ui/win_control.h"

#include <algorithm>

#include "graphics/canvas.h"
#include "platform/user/user.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/resource_strings.h"

namespace ui {

using namespace platform;

namespace {

constexpr const char* kWindowClass = "TembrinControl";
constexpr const char* kControlProp = "TembrinControl";

void RegisterFrameworkClass() {
    WNDCLASSEX info{};
    if (GetClassInfoEx(nullptr, kWindowClass, &info)) return;
    WNDCLASSEX wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProc;  // replaced per window by the control's own procedure
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kWindowClass;
    if (RegisterClassEx(&wc) == 0) throw core::EOutOfResources(strings::SWindowClass);
}

bool IsMouseMessage(UINT msg) {
    return msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK;
}

// Runs `paint` with a control's canvas on the device context of one paint, in the control's
// font and colour; the canvas lets the context go and is unlocked however the paint ends.
template <typename Paint>
void PaintOnCanvas(graphics::TCanvas& canvas, HDC dc, TControl& control, Paint paint) {
    canvas.Lock();
    canvas.SetHandle(dc);
    canvas.Font().CopyFrom(&control.Font());
    canvas.Brush().SetColor(control.Color());
    try {
        paint();
    } catch (...) {
        canvas.SetHandle(nullptr);
        canvas.Unlock();
        throw;
    }
    canvas.SetHandle(nullptr);
    canvas.Unlock();
}

// Runs a message through a control, turning an escaping exception into the error display:
// the platform's dispatch must never see one.
void SafeWndProc(TWinControl& control, TMessage& message) {
    try {
        control.Deliver(message);
    } catch (...) {
        Application().HandleException(std::current_exception());
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TWinControl

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetColor(graphics::clBtnFace);
}

TWinControl::~TWinControl() {
    SetDestroying();
    DestroyComponents();
    while (!controls_.empty()) {
        TControl* child = controls_.back();
        controls_.pop_back();
        child->parent_ = nullptr;
    }
    tabList_.clear();
    if (handle_ != nullptr) DestroyHandle();
}

TWinControl* TWinControl::ControlOfWindow(HWND window) {
    while (window != nullptr) {
        if (TWinControl* control = FindControl(window)) return control;
        window = GetParent(window);
    }
    return nullptr;
}

TWinControl* TWinControl::FindControl(HWND window) {
    if (window == nullptr) return nullptr;
    return static_cast<TWinControl*>(GetProp(window, kControlProp));
}

HWND TWinControl::Handle() {
    if (handle_ == nullptr) {
        if (Parent() != nullptr) Parent()->HandleNeeded();
        if (handle_ == nullptr) CreateWnd();
    }
    return handle_;
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.caption = text_;
    params.style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (Parent() != nullptr) params.style |= WS_CHILD;
    if (Visible() && Parent() != nullptr) params.style |= WS_VISIBLE;
    if (!Enabled()) params.style |= WS_DISABLED;
    if (tabStop_) params.style |= WS_TABSTOP;
    params.x = left_;
    params.y = top_;
    params.width = width_;
    params.height = height_;
    params.parent = Parent() != nullptr ? Parent()->handle_ : nullptr;
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    if (Parent() == nullptr && params.parent == nullptr && (params.style & WS_CHILD))
        throw core::EInvalidOperation(strings::SParentRequired, {Name()});
    CreateWindowHandle(params);
    if (handle_ == nullptr) throw core::EOutOfResources(strings::SWindowCreate);
    for (TControl* child : std::vector<TControl*>(controls_))
        if (auto* win = dynamic_cast<TWinControl*>(child)) win->HandleNeeded();
    Realign();
    CreateHandleDone();
}

void TWinControl::CreateWindowHandle(const TCreateParams& params) {
    const char* className = kWindowClass;
    if (params.baseClass.empty())
        RegisterFrameworkClass();
    else
        className = params.baseClass.c_str();
    HWND window = CreateWindowEx(params.exStyle, className, params.caption.c_str(), params.style,
                                 params.x, params.y, params.width, params.height, params.parent,
                                 nullptr, nullptr, nullptr);
    if (window == nullptr) return;
    handle_ = window;
    SetProp(window, kControlProp, this);
    // Subclass: our procedure first, the class's procedure as the default handler.
    defWndProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StaticWndProc)));
    if (defWndProc_ == &StaticWndProc) defWndProc_ = DefWindowProc;
    UpdateBoundsFromWindow();
}

void TWinControl::DestroyHandle() {
    if (handle_ == nullptr) return;
    DestroyWnd();
}

void TWinControl::DestroyWnd() {
    HWND window = handle_;
    DestroyWindow(window);  // the children's windows go with it
    handle_ = nullptr;
    for (TControl* child : controls_)
        if (auto* win = dynamic_cast<TWinControl*>(child)) win->handle_ = nullptr;
}

LRESULT TWinControl::StaticWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWinControl* control = FindControl(window);
    if (control == nullptr) return DefWindowProc(window, msg, wParam, lParam);
    TMessage message{msg, wParam, lParam, 0};
    if (msg == WM_NCDESTROY) {
        WNDPROC previous = control->defWndProc_;
        RemoveProp(window, kControlProp);
        control->handle_ = nullptr;
        return CallWindowProc(previous != nullptr ? previous : DefWindowProc, window, msg, wParam,
                              lParam);
    }
    control->MainWndProc(message);
    return message.Result;
}

void TWinControl::MainWndProc(TMessage& message) {
    SafeWndProc(*this, message);
}

void TWinControl::DefaultHandler(TMessage& message) {
    if (handle_ == nullptr) {
        TControl::DefaultHandler(message);
        return;
    }
    message.Result = CallWindowProc(defWndProc_ != nullptr ? defWndProc_ : DefWindowProc, handle_,
                                    message.Msg, message.WParam, message.LParam);
}

void TWinControl::WndProc(TMessage& message) {
    switch (message.Msg) {
        case WM_PAINT:
            if (defWndProc_ == DefWindowProc || defWndProc_ == nullptr) {
                HandlePaint(message);
                return;
            }
            break;
        case WM_ERASEBKGND:
            if (defWndProc_ == DefWindowProc || defWndProc_ == nullptr) {
                EraseBackground(reinterpret_cast<HDC>(message.WParam));
                message.Result = 1;
                return;
            }
            break;
        case WM_WINDOWPOSCHANGED:
            Dispatch(message);
            UpdateBoundsFromWindow();
            return;
        case WM_CONTEXTMENU: {
            POINT screen{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
            if (message.LParam == -1) {
                TPoint origin = ClientToScreen({0, 0});
                screen = {origin.x, origin.y};
            }
            TPoint point = ScreenToClient({screen.x, screen.y});
            TControl* child = ControlAtPos(point, false, false);
            bool shown =
                child != nullptr
                    ? child->ContextPopup({point.x - child->Left(), point.y - child->Top()})
                    : ContextPopup(point);
            if (shown) {
                message.Result = 1;
                return;
            }
            break;
        }
        case WM_SETFOCUS:
            if (TCustomForm* form = ParentForm()) form->FocusChanged(this);
            Dispatch(message);
            if (OnEnter) OnEnter(this);
            return;
        case WM_KILLFOCUS:
            Dispatch(message);
            if (OnExit) OnExit(this);
            return;
        case WM_CANCELMODE:
            mouseControl_ = nullptr;
            break;
        case WM_MOUSELEAVE:
            SetHoverControl(nullptr);
            break;
        default:
            if (IsMouseMessage(message.Msg)) {
                RouteMouseToGraphicChild(message);
                return;
            }
            break;
    }
    TControl::WndProc(message);
}

void TWinControl::SetHoverControl(TControl* control) {
    if (control == hoverControl_) return;
    TControl* old = hoverControl_;
    hoverControl_ = control;
    if (old != nullptr) old->Perform(CM_MOUSELEAVE, 0, 0);
    if (control != nullptr) {
        // The window hears when the pointer leaves it, so the child hears it too.
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, handle_, 0};
        if (handle_ != nullptr) TrackMouseEvent(&track);
        control->Perform(CM_MOUSEENTER, 0, 0);
    }
}

void TWinControl::RouteMouseToGraphicChild(TMessage& message) {
    TPoint point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    if (message.Msg == WM_MOUSEMOVE) {
        TControl* under = ControlAtPos(point, false, false);
        SetHoverControl(under != nullptr && under->Enabled() ? under : nullptr);
    }
    TControl* target = mouseControl_;
    if (target == nullptr) {
        TControl* child = ControlAtPos(point, false, false);
        if (child != nullptr && child->Enabled()) target = child;
    }
    if (target != nullptr) {
        bool down = message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK;
        if (down && (target->ControlStyle() & csCaptureMouse)) {
            mouseControl_ = target;
            SetCapture(handle_);
        }
        // The capture goes before the click runs: a click may start a modal loop.
        if (message.Msg == WM_LBUTTONUP && mouseControl_ != nullptr) {
            mouseControl_ = nullptr;
            if (GetCapture() == handle_) ReleaseCapture();
        }
        TMessage routed = message;
        routed.LParam = MAKELPARAM(point.x - target->Left(), point.y - target->Top());
        target->Deliver(routed);
        // The platform's part (activation, context menu requests) still runs for the window.
        DefaultHandler(message);
        return;
    }
    bool captures = (ControlStyle() & csCaptureMouse) != 0;
    if (captures && (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK))
        SetCapture(handle_);
    if (captures && message.Msg == WM_LBUTTONUP && GetCapture() == handle_) ReleaseCapture();
    TControl::WndProc(message);
}

void TWinControl::HandlePaint(TMessage& message) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(handle_, &paint);
    if (dc != nullptr) {
        try {
            PaintWindow(dc);
            PaintControls(dc);
        } catch (...) {
            EndPaint(handle_, &paint);
            throw;
        }
        EndPaint(handle_, &paint);
    }
    message.Result = 0;
}

void TWinControl::EraseBackground(HDC dc) {
    RECT rect = ClientRect().ToRECT();
    HBRUSH brush = CreateSolidBrush(graphics::ColorToRGB(Color()));
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
    bool started = first == nullptr;
    for (TControl* child : controls_) {
        if (!started) {
            started = child == first;
            if (!started) continue;
        }
        auto* graphic = dynamic_cast<TGraphicControl*>(child);
        if (graphic == nullptr || !graphic->Visible()) continue;
        if (graphic->Width() <= 0 || graphic->Height() <= 0) continue;
        RECT bounds = graphic->BoundsRect().ToRECT();
        if (!RectVisible(dc, &bounds)) continue;
        int saved = SaveDC(dc);
        OffsetViewportOrgEx(dc, graphic->Left(), graphic->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, graphic->Width(), graphic->Height());
        try {
            graphic->PaintOn(dc);
        } catch (...) {
            RestoreDC(dc, saved);
            throw;
        }
        RestoreDC(dc, saved);
    }
}

void TWinControl::UpdateBoundsFromWindow() {
    if (handle_ == nullptr) return;
    RECT rect{};
    GetWindowRect(handle_, &rect);
    if (Parent() != nullptr && Parent()->handle_ != nullptr)
        MapWindowPoints(nullptr, Parent()->handle_, reinterpret_cast<POINT*>(&rect), 2);
    bool sized = rect.right - rect.left != width_ || rect.bottom - rect.top != height_;
    bool moved = rect.left != left_ || rect.top != top_;
    if (!sized && !moved) return;
    left_ = rect.left;
    top_ = rect.top;
    width_ = rect.right - rect.left;
    height_ = rect.bottom - rect.top;
    UpdateAnchorRules();
    if (sized) {
        RequestAlign();
        Realign();
        Resized();
    }
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    Constraints().Apply(width, height);
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    bool sized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (handle_ != nullptr)
        SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateAnchorRules();
    RequestAlign();
    if (sized) {
        Realign();
        Resized();
        AdjustSize();
    }
    if (Parent() != nullptr) Parent()->AdjustSize();
}

void TWinControl::SetAutoSize(bool value) {
    autoSize_ = value;
    AdjustSize();
}

void TWinControl::AdjustSize() {
    if (!autoSize_ || autoSizing_ || inAlign_ || Destroying()) return;
    int width = width_;
    int height = height_;
    if (!CanAutoSize(width, height)) return;
    autoSizing_ = true;
    try {
        SetBounds(left_, top_, width, height);
    } catch (...) {
        autoSizing_ = false;
        throw;
    }
    autoSizing_ = false;
}

bool TWinControl::CanAutoSize(int& width, int& height) const {
    // Children on an edge need their width (left, right) or height (top, bottom) side by
    // side; client children need their present size in what is left; free children need the
    // area to reach their right and bottom edges.
    int edgeWidth = 0, edgeHeight = 0, clientWidth = 0, clientHeight = 0;
    int freeRight = 0, freeBottom = 0;
    const TRect area = AlignRect();
    bool any = false;
    for (const TControl* c : controls_) {
        if (!c->Visible()) continue;
        any = true;
        switch (c->Align()) {
            case TAlign::alLeft:
            case TAlign::alRight:
                edgeWidth += c->Width();
                break;
            case TAlign::alTop:
            case TAlign::alBottom:
                edgeHeight += c->Height();
                break;
            case TAlign::alClient:
                clientWidth = std::max(clientWidth, c->Width());
                clientHeight = std::max(clientHeight, c->Height());
                break;
            case TAlign::alNone:
                freeRight = std::max(freeRight, c->Left() + c->Width() - area.left);
                freeBottom = std::max(freeBottom, c->Top() + c->Height() - area.top);
                break;
        }
    }
    if (!any) return false;
    // The frame around the alignment area stays as it is.
    width = std::max(edgeWidth + clientWidth, freeRight) + width_ - area.Width();
    height = std::max(edgeHeight + clientHeight, freeBottom) + height_ - area.Height();
    return true;
}

TRect TWinControl::ClientRect() const {
    if (handle_ != nullptr) {
        RECT rect{};
        GetClientRect(handle_, &rect);
        return TRect::FromRECT(rect);
    }
    return TControl::ClientRect();
}

TPoint TWinControl::ClientOrigin() const {
    if (handle_ != nullptr) {
        POINT point{0, 0};
        ::platform::ClientToScreen(handle_, &point);
        return {point.x, point.y};
    }
    return TControl::ClientOrigin();
}

void TWinControl::SetText(const std::string& value) {
    if (value == text_) return;
    text_ = value;
    if (handle_ != nullptr) SetWindowText(handle_, value.c_str());
    TextChanged();
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TWinControl::TextChanged() {
    Invalidate();
}

void TWinControl::Invalidate() {
    if (handle_ != nullptr)
        InvalidateRect(handle_, nullptr, (ControlStyle() & csOpaque) ? FALSE : TRUE);
}

void TWinControl::Update() {
    if (handle_ != nullptr) UpdateWindow(handle_);
}

void TWinControl::VisibleChanged() {
    if (handle_ != nullptr) ShowWindow(handle_, Visible() ? SW_SHOW : SW_HIDE);
}

void TWinControl::EnabledChanged() {
    if (handle_ != nullptr) EnableWindow(handle_, Enabled());
    Invalidate();
}

void TWinControl::FontChanged() {
    TControl::FontChanged();
    if (handle_ != nullptr && defWndProc_ != DefWindowProc && defWndProc_ != nullptr)
        SendMessage(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
    for (TControl* child : controls_) child->ParentFontChanged();
}

void TWinControl::ColorChanged() {
    TControl::ColorChanged();
    for (TControl* child : controls_) child->ParentColorChanged();
}

void TWinControl::InsertControl(TControl* control) {
    controls_.push_back(control);
    control->parent_ = this;
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
        tabList_.push_back(win);
        if (handle_ != nullptr) win->HandleNeeded();
    }
    control->ParentFontChanged();
    control->ParentColorChanged();
    control->UpdateAnchorRules();
    if (control->Align() != TAlign::alNone) Realign();
    control->Invalidate();
    AdjustSize();
}

void TWinControl::RemoveControl(TControl* control) {
    if (mouseControl_ == control) mouseControl_ = nullptr;
    if (hoverControl_ == control) hoverControl_ = nullptr;
    control->Invalidate();
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
        tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), win), tabList_.end());
        if (win->handle_ != nullptr && !Destroying()) win->DestroyHandle();
    }
    control->parent_ = nullptr;
    if (control->Align() != TAlign::alNone && !Destroying()) Realign();
    AdjustSize();
}

TControl* TWinControl::ControlAtPos(TPoint point, bool allowDisabled, bool allowWinControls) const {
    // The last inserted control is on top.
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* control = *it;
        if (!allowWinControls && dynamic_cast<TWinControl*>(control) != nullptr) continue;
        if (!control->Visible() || (!allowDisabled && !control->Enabled())) continue;
        if (point.x >= control->Left() && point.y >= control->Top() &&
            point.x < control->Left() + control->Width() &&
            point.y < control->Top() + control->Height())
            return control;
    }
    return nullptr;
}

void TWinControl::EnableAlign() {
    if (alignDisabled_ > 0) --alignDisabled_;
    if (alignDisabled_ == 0 && alignPending_) Realign();
}

void TWinControl::Realign(TControl* changed) {
    if (alignDisabled_ > 0) {
        alignPending_ = true;
        return;
    }
    if (inAlign_) return;
    alignPending_ = false;
    inAlign_ = true;
    try {
        TRect rect = AlignRect();
        AlignControls(changed, rect);
    } catch (...) {
        inAlign_ = false;
        throw;
    }
    inAlign_ = false;
}

void TWinControl::AlignControls(TControl* changed, TRect& rect) {
    // Top, bottom, left, right, then client: each edge in the order of the controls'
    // positions along it, ties in creation order.
    auto place = [&](TAlign align) {
        std::vector<TControl*> list;
        for (TControl* c : controls_)
            if (c->Align() == align && c->Visible()) list.push_back(c);
        auto key = [align](TControl* c) {
            switch (align) {
                case TAlign::alTop:
                    return c->Top();
                case TAlign::alBottom:
                    return -(c->Top() + c->Height());
                case TAlign::alLeft:
                    return c->Left();
                case TAlign::alRight:
                    return -(c->Left() + c->Width());
                default:
                    return 0;
            }
        };
        std::stable_sort(list.begin(), list.end(), [&](TControl* a, TControl* b) {
            int ka = key(a), kb = key(b);
            return ka < kb || (ka == kb && a == changed && b != changed);
        });
        for (TControl* c : list) {
            int w = c->Width();
            int h = c->Height();
            switch (align) {
                case TAlign::alTop:
                    c->SetBounds(rect.left, rect.top, rect.Width(), h);
                    rect.top += h;
                    break;
                case TAlign::alBottom:
                    c->SetBounds(rect.left, rect.bottom - h, rect.Width(), h);
                    rect.bottom -= h;
                    break;
                case TAlign::alLeft:
                    c->SetBounds(rect.left, rect.top, w, rect.Height());
                    rect.left += w;
                    break;
                case TAlign::alRight:
                    c->SetBounds(rect.right - w, rect.top, w, rect.Height());
                    rect.right -= w;
                    break;
                case TAlign::alClient:
                    c->SetBounds(rect.left, rect.top, rect.Width(), rect.Height());
                    break;
                default:
                    break;
            }
        }
    };
    place(TAlign::alTop);
    place(TAlign::alBottom);
    place(TAlign::alLeft);
    place(TAlign::alRight);
    place(TAlign::alClient);

    // Anchored controls keep their distances to the right and bottom edges.
    TRect client = ClientRect();
    for (TControl* c : controls_) {
        if (c->Align() != TAlign::alNone) continue;
        TAnchors anchors = c->Anchors();
        if ((anchors & (akRight | akBottom)) == 0) continue;
        int l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
        if (anchors & akRight) {
            if (anchors & akLeft)
                w = client.Width() - l - c->anchorRules_.right;
            else
                l = client.Width() - w - c->anchorRules_.right;
        }
        if (anchors & akBottom) {
            if (anchors & akTop)
                h = client.Height() - t - c->anchorRules_.bottom;
            else
                t = client.Height() - h - c->anchorRules_.bottom;
        }
        c->SetBounds(l, t, w, h);
    }
}

int TWinControl::TabOrder() const {
    if (Parent() == nullptr) return -1;
    const auto& list = Parent()->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
    if (Parent() == nullptr) return;
    auto& list = Parent()->tabList_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    size_t index = value < 0 ? list.size() : std::min(size_t(value), list.size());
    list.insert(list.begin() + std::ptrdiff_t(index), this);
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c != nullptr; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

bool TWinControl::Focused() const {
    return handle_ != nullptr && GetFocus() == handle_;
}

void TWinControl::SetFocus() {
    if (!CanFocus()) throw core::EInvalidOperation(strings::SCannotFocus);
    ::platform::SetFocus(Handle());
}

bool TWinControl::DoKeyDown(uint16_t& key, TShiftState shift) {
    TCustomForm* form = ParentForm();
    if (form != nullptr && form != static_cast<TControl*>(this) && form->KeyPreview()) {
        static_cast<TWinControl*>(form)->KeyDown(key, shift);
        if (key == 0) return true;
    }
    KeyDown(key, shift);
    return key == 0;
}

bool TWinControl::DoKeyPress(char32_t& key) {
    TCustomForm* form = ParentForm();
    if (form != nullptr && form != static_cast<TControl*>(this) && form->KeyPreview()) {
        static_cast<TWinControl*>(form)->KeyPress(key);
        if (key == 0) return true;
    }
    KeyPress(key);
    return key == 0;
}

void TWinControl::KeyDown(uint16_t& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(uint16_t& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char32_t& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

// ---------------------------------------------------------------------------------------------
// TCustomControl and TGraphicControl

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<graphics::TCanvas>()) {}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC dc) {
    PaintOnCanvas(*canvas_, dc, *this, [this] { Paint(); });
}

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), canvas_(std::make_unique<graphics::TCanvas>()) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::PaintOn(HDC dc) {
    PaintOnCanvas(*canvas_, dc, *this, [this] { Paint(); });
}

}  // namespace ui
