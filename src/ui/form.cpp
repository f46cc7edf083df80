#include "ui/form.h"

#include <algorithm>
#include <vector>

#include "graphics/icon.h"
#include "platform/user/user.h"
#include "ui/application.h"
#include "ui/buttons.h"
#include "ui/resource_strings.h"

namespace ui {

using namespace platform;

namespace {

constexpr UINT CM_RELEASE = CM_BASE + 33;

// The cancel (Escape) or default (Enter) button among the controls of `parent`.
TButton* FindDialogButton(TWinControl& parent, uint16_t key) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* control = parent.Controls(i);
        if (!control->Visible() || !control->Enabled()) continue;
        if (auto* button = dynamic_cast<TButton*>(control)) {
            if ((key == VK_ESCAPE && button->Cancel()) || (key == VK_RETURN && button->Default()))
                return button;
        }
        if (auto* win = dynamic_cast<TWinControl*>(control))
            if (TButton* found = FindDialogButton(*win, key)) return found;
    }
    return nullptr;
}

// Sends a message to every control under `parent`, depth first; stops at the first that
// answers non-zero when `untilAnswered`.
LRESULT Broadcast(TWinControl& parent, UINT msg, WPARAM wParam, bool untilAnswered) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* control = parent.Controls(i);
        LRESULT answer = control->Perform(msg, wParam, 0);
        if (untilAnswered && answer != 0) return answer;
        if (auto* win = dynamic_cast<TWinControl*>(control)) {
            answer = Broadcast(*win, msg, wParam, untilAnswered);
            if (untilAnswered && answer != 0) return answer;
        }
    }
    return 0;
}

// The windowed controls under `parent` in tab order, each followed by those under it.
void CollectTabOrder(TWinControl& parent, std::vector<TWinControl*>& out) {
    std::vector<TWinControl*> children;
    for (int i = 0; i < parent.ControlCount(); ++i)
        if (auto* win = dynamic_cast<TWinControl*>(parent.Controls(i))) children.push_back(win);
    std::stable_sort(children.begin(), children.end(),
                     [](TWinControl* a, TWinControl* b) { return a->TabOrder() < b->TabOrder(); });
    for (TWinControl* child : children) {
        out.push_back(child);
        CollectTabOrder(*child, out);
    }
}

// Tab and Shift+Tab: the focus moves to the next (or previous) control with a tab stop that
// can take it, round the form; false when there is none.
bool SelectNext(TCustomForm& form, bool forward) {
    std::vector<TWinControl*> order;
    CollectTabOrder(form, order);
    if (!forward) std::reverse(order.begin(), order.end());
    const auto current = std::find(order.begin(), order.end(), form.ActiveControl());
    const size_t start = current == order.end() ? order.size() : size_t(current - order.begin());
    for (size_t step = 1; step <= order.size(); ++step) {
        TWinControl* candidate = order[(start + step) % order.size()];
        if (candidate->TabStop() && candidate->CanFocus()) {
            candidate->SetFocus();
            return true;
        }
    }
    return false;
}

}  // namespace

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    // Forms start hidden; Show, ShowModal or the application's Run make them visible.
    SetVisible(false);
    SetBounds(0, 0, 320, 240);
    Application().FormRegistered(this);
}

TCustomForm::~TCustomForm() {
    if (OnDestroy) {
        try {
            OnDestroy(this);
        } catch (...) {
            // A destroy handler cannot stop the destruction; the error still gets shown.
            Application().HandleException(std::current_exception());
        }
    }
    Application().FormDestroyed(this);
}

void TCustomForm::AfterConstruction() {
    DoCreate();
}

void TCustomForm::DoCreate() {
    // A failing create event is shown like any command's failure; the form still comes up
    // (the program must not end because, say, its banner could not start loading).
    try {
        if (OnCreate) OnCreate(this);
    } catch (...) {
        Application().HandleException(std::current_exception());
    }
}

DWORD TCustomForm::WindowStyle() const {
    DWORD style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    switch (borderStyle_) {
        case TFormBorderStyle::bsNone:
            return style | WS_POPUP;
        case TFormBorderStyle::bsSingle:
        case TFormBorderStyle::bsToolWindow:
            style |= WS_CAPTION | WS_BORDER;
            break;
        case TFormBorderStyle::bsDialog:
            style |= WS_CAPTION | WS_DLGFRAME;
            break;
        case TFormBorderStyle::bsSizeable:
        case TFormBorderStyle::bsSizeToolWin:
            style |= WS_CAPTION | WS_THICKFRAME;
            break;
    }
    if (borderIcons_ & biSystemMenu) {
        style |= WS_SYSMENU;
        if (borderStyle_ != TFormBorderStyle::bsDialog) {
            if (borderIcons_ & biMinimize) style |= WS_MINIMIZEBOX;
            if (borderIcons_ & biMaximize) style |= WS_MAXIMIZEBOX;
        }
    }
    return style;
}

DWORD TCustomForm::WindowExStyle() const {
    DWORD ex = 0;
    if (borderStyle_ == TFormBorderStyle::bsDialog) ex |= WS_EX_DLGMODALFRAME;
    if (borderStyle_ == TFormBorderStyle::bsToolWindow ||
        borderStyle_ == TFormBorderStyle::bsSizeToolWin)
        ex |= WS_EX_TOOLWINDOW;
    return ex;
}

void TCustomForm::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.style = WindowStyle();
    params.exStyle = WindowExStyle();
    params.parent = nullptr;
}

void TCustomForm::CreateHandleDone() {
    if (activeControl_ == nullptr) return;
}

void TCustomForm::SetBorderIcons(TBorderIcons value) {
    borderIcons_ = value;
    if (HandleAllocated()) SetWindowLongPtr(Handle(), GWL_STYLE, LONG_PTR(WindowStyle()));
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
    TRect client = ClientRect();
    borderStyle_ = value;
    if (HandleAllocated()) SetWindowLongPtr(Handle(), GWL_STYLE, LONG_PTR(WindowStyle()));
    SetClientSize(client.Width(), client.Height());
}

TRect TCustomForm::ClientRect() const {
    if (HandleAllocated()) return TWinControl::ClientRect();
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, WindowStyle(), FALSE, WindowExStyle());
    int width = Width() - (frame.right - frame.left);
    int height = Height() - (frame.bottom - frame.top);
    return graphics::Rect(0, 0, width < 0 ? 0 : width, height < 0 ? 0 : height);
}

void TCustomForm::SetClientSize(int width, int height) {
    if (HandleAllocated()) {
        // The window's frame as it is now, whoever draws it.
        RECT window{}, client{};
        GetWindowRect(Handle(), &window);
        GetClientRect(Handle(), &client);
        SetBounds(Left(), Top(), width + (window.right - window.left) - client.right,
                  height + (window.bottom - window.top) - client.bottom);
        return;
    }
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, WindowStyle(), FALSE, WindowExStyle());
    SetBounds(Left(), Top(), width + (frame.right - frame.left),
              height + (frame.bottom - frame.top));
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control == activeControl_) return;
    if (activeControl_ != nullptr) activeControl_->RemoveFreeNotification(this);
    activeControl_ = control;
    if (control != nullptr) {
        control->FreeNotification(this);
        if (Visible() && HandleAllocated() && control->CanFocus()) control->SetFocus();
    }
}

void TCustomForm::FocusChanged(TWinControl* control) {
    if (control == this || control == activeControl_) return;
    if (activeControl_ != nullptr) activeControl_->RemoveFreeNotification(this);
    activeControl_ = control;
    if (control != nullptr) control->FreeNotification(this);
    Broadcast(*this, CM_FOCUSCHANGED, reinterpret_cast<WPARAM>(control), false);
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == activeControl_) activeControl_ = nullptr;
}

void TCustomForm::PlaceOnScreen() {
    if (placed_) return;
    placed_ = true;
    if (position_ != TPosition::poScreenCenter &&
        !(position_ == TPosition::poMainFormCenter && Application().MainForm() == nullptr))
        return;
    RECT work{};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    int left = work.left + (work.right - work.left - Width()) / 2;
    int top = work.top + (work.bottom - work.top - Height()) / 2;
    if (position_ == TPosition::poMainFormCenter && Application().MainForm() != nullptr) {
        TCustomForm* main = Application().MainForm();
        left = main->Left() + (main->Width() - Width()) / 2;
        top = main->Top() + (main->Height() - Height()) / 2;
    }
    SetBounds(left, top, Width(), Height());
}

void TCustomForm::VisibleChanged() {
    if (Visible()) {
        PlaceOnScreen();
        HWND window = Handle();
        ShowWindow(window, SW_SHOW);
        SetActiveWindow(window);
        if (activeControl_ != nullptr && activeControl_->CanFocus()) activeControl_->SetFocus();
        if (OnShow) OnShow(this);
    } else {
        if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
        if (OnHide) OnHide(this);
    }
}

TModalResult TCustomForm::ShowModal() {
    if (Visible() || !Enabled() || modal_) throw core::EInvalidOperation(strings::SCannotShowModal);
    if (GetCapture() != nullptr) SendMessage(GetCapture(), WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    HWND previousActive = GetActiveWindow();
    // The rest of the program waits while the form is up.
    std::vector<HWND> disabled;
    for (TCustomForm* form : Application().Forms()) {
        if (form == this || !form->HandleAllocated()) continue;
        HWND window = form->Handle();
        if (IsWindowVisible(window) && IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            disabled.push_back(window);
        }
    }
    auto restore = [&]() {
        for (HWND window : disabled)
            if (IsWindow(window)) EnableWindow(window, TRUE);
        if (previousActive != nullptr && IsWindow(previousActive)) SetActiveWindow(previousActive);
    };
    modal_ = true;
    modalResult_ = mrNone;
    try {
        Show();
        while (true) {
            Application().HandleMessage();
            if (Application().Terminated()) modalResult_ = mrCancel;
            if (modalResult_ != mrNone) {
                // The close handlers may keep the form up.
                bool canClose = CloseQuery();
                TCloseAction action = TCloseAction::caHide;
                if (canClose && OnClose) OnClose(this, action);
                if (!canClose || action == TCloseAction::caNone) {
                    if (!Application().Terminated()) {
                        modalResult_ = mrNone;
                        continue;
                    }
                }
                break;
            }
        }
        Hide();
    } catch (...) {
        modal_ = false;
        restore();
        throw;
    }
    modal_ = false;
    restore();
    return modalResult_;
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    bool isMain = Application().MainForm() == this;
    TCloseAction action = isMain ? TCloseAction::caFree : TCloseAction::caHide;
    if (OnClose) OnClose(this, action);
    if (action == TCloseAction::caNone) return;
    if (isMain) {
        Application().Terminate();
        Hide();
        return;
    }
    if (action == TCloseAction::caHide)
        Hide();
    else if (action == TCloseAction::caMinimize)
        ShowWindow(Handle(), SW_MINIMIZE);
    else if (action == TCloseAction::caFree)
        Release();
}

void TCustomForm::Release() {
    if (HandleAllocated()) PostMessage(Handle(), CM_RELEASE, 0, 0);
}

bool TCustomForm::DialogKey(uint16_t key) {
    const TShiftState shift = KeyboardShift();
    if (key == VK_TAB && (shift & (ssCtrl | ssAlt)) == 0)
        return SelectNext(*this, (shift & ssShift) == 0);
    if (key != VK_ESCAPE && key != VK_RETURN) return false;
    TButton* button = FindDialogButton(*this, key);
    if (button == nullptr) return Broadcast(*this, CM_DIALOGKEY, key, true) != 0;
    button->Click();
    return true;
}

graphics::TIcon& TCustomForm::Icon() {
    if (!icon_) icon_ = std::make_unique<graphics::TIcon>();
    return *icon_;
}

bool TCustomForm::IsShortCut(uint16_t key, TShiftState shift) {
    return Perform(CM_SHORTCUT, key, shift) != 0;
}

bool TCustomForm::DialogChar(char32_t key) {
    return Broadcast(*this, CM_DIALOGCHAR, WPARAM(key), true) != 0;
}

void TCustomForm::WndProc(TMessage& message) {
    switch (message.Msg) {
        case WM_CLOSE:
            Close();
            message.Result = 0;
            return;
        case CM_RELEASE:
            delete this;
            return;
        case WM_SETCURSOR:
            // Over the form itself, not over one of its controls.
            if (cursor_ != nullptr && LOWORD(message.LParam) == HTCLIENT &&
                reinterpret_cast<HWND>(message.WParam) == Handle()) {
                platform::SetCursor(cursor_);
                message.Result = 1;
                return;
            }
            break;
        case WM_ACTIVATE:
            Dispatch(message);
            if (LOWORD(message.WParam) != WA_INACTIVE && activeControl_ != nullptr &&
                activeControl_->CanFocus())
                activeControl_->SetFocus();
            return;
        default:
            break;
    }
    TWinControl::WndProc(message);
}

}  // namespace ui
