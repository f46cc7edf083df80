#include "skin/skin_frame.h"

#include <optional>
#include <vector>

#include "core/exceptions.h"
#include "platform/user/user.h"
#include "skin/frame_menu.h"
#include "skin/skin_menu.h"
#include "skin/skin_strings.h"
#include "skin/skinnable_control.h"
#include "ui/application.h"

namespace skin {

using namespace platform;

namespace {

// Every message the frame answers or watches on its form.
constexpr UINT kFrameMessages[] = {
    WM_NCCALCSIZE,
    WM_NCPAINT,
    WM_NCACTIVATE,
    WM_NCHITTEST,
    WM_NCLBUTTONDOWN,
    WM_NCRBUTTONDOWN,
    WM_NCMBUTTONDOWN,
    WM_NCLBUTTONUP,
    WM_NCRBUTTONUP,
    WM_LBUTTONUP,
    WM_RBUTTONUP,
    WM_NCMOUSEMOVE,
    WM_MOUSEMOVE,
    WM_NCLBUTTONDBLCLK,
    WM_SIZE,
    WM_MOVE,
    WM_GETMINMAXINFO,
    WM_ACTIVATE,
    WM_ERASEBKGND,
    WM_SHOWWINDOW,
    WM_SYSCOMMAND,
    WM_ENTERSIZEMOVE,
    WM_EXITSIZEMOVE,
    WM_MOVING,
    WM_SETTEXT,
    WM_SETCURSOR,
    WM_DESTROY,
    WM_TIMER,
    WM_KILLFOCUS,
    WM_CANCELMODE,
    WM_MOUSEACTIVATE,
    WM_LBUTTONDOWN,
    WM_RBUTTONDOWN,
    WM_MBUTTONDOWN,
    WM_PARENTNOTIFY,
    WM_BEFORECHANGESKINDATA,
    WM_CHANGESKINDATA,
    WM_AFTERCHANGESKINDATA,
    WM_CHANGEFORMSKINNABLE,
    WM_CHANGERESSTRDATA,
    ui::CM_SHORTCUT,
};

// Messages that close an open skinned menu before anything else happens.
bool ClosesMenu(UINT msg) {
    switch (msg) {
        case WM_MOVE:
        case WM_SIZE:
        case WM_ACTIVATE:
        case WM_KILLFOCUS:
        case WM_CANCELMODE:
        case WM_MOUSEACTIVATE:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_PARENTNOTIFY:
            return true;
        default:
            return false;
    }
}

void SetFont(graphics::TFont& font, const char* name, int height, graphics::TFontStyles style,
             graphics::TColor color) {
    font.SetName(name);
    font.SetHeight(height);
    font.SetStyle(style);
    font.SetColor(color);
}

void WalkControls(ui::TWinControl& parent, const std::function<void(ui::TControl&)>& f) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        ui::TControl* control = parent.Controls(i);
        f(*control);
        if (auto* win = dynamic_cast<ui::TWinControl*>(control)) WalkControls(*win, f);
    }
}

}  // namespace

TbsSkinFrame::TbsSkinFrame(ui::TComponent* owner)
    : ui::TComponent(owner), alive_(std::make_shared<bool>(true)) {
    form_ = dynamic_cast<ui::TCustomForm*>(owner);
    if (form_ == nullptr) throw core::EInvalidOperation(strings::SFrameOwnerNotForm);
    formControl_ = form_;
    SetFont(defCaptionFont_, "Arial", 14, graphics::fsBold, graphics::clBtnText);
    SetFont(defInActiveCaptionFont_, "Arial", 14, graphics::fsBold, graphics::clBtnShadow);
    SetFont(defMenuItemFont_, "Arial", 14, 0, graphics::clWindowText);
    // The frame draws its own caption buttons; the system's are switched off.
    form_->SetBorderIcons(0);
    systemMenu_ = ui::Make<ui::TPopupMenu>(this);
    menu_ = std::make_unique<TbsFrameMenu>(*this);
    const int clientW = form_->ClientWidth();
    const int clientH = form_->ClientHeight();
    HookForm();
    TbsSkinFormList::Screen().Add(this);
    // The window is made (or re-framed) with the frame in front; the form keeps the client
    // size it was laid out for.
    form_->HandleNeeded();
    ApplyClientSize(clientW, clientH);
    FrameChanged();
}

TbsSkinFrame::~TbsSkinFrame() {
    *alive_ = false;
    StopTimers();
    CloseSkinMenu();
    RemoveMenuFilter();
    TbsSkinFormList::Screen().Remove(this);
    if (skinData_ != nullptr && skinData_->Owner() == formControl_)
        skinData_->SetOwnerForm(nullptr);
    objects_.clear();
    UnhookForm();
    if (!formControl_->Destroying() && form_->HandleAllocated()) {
        SetWindowRgn(form_->Handle(), nullptr, TRUE);
        region_ = nullptr;
        FrameChanged();
    }
}

// ---- the window procedure in front of the form's ----

void TbsSkinFrame::HookForm() {
    for (UINT msg : kFrameMessages)
        form_->SetMessageHandler(msg, [this](ui::TMessage& m) { FrameWndProc(m); });
}

void TbsSkinFrame::UnhookForm() {
    for (UINT msg : kFrameMessages) formControl_->SetMessageHandler(msg, nullptr);
}

void TbsSkinFrame::CallPrevious(ui::TMessage& m) {
    // The form's own procedure runs with the frame stepped aside for this message, so that
    // the form's handling (which may dispatch the message again) does not come back here.
    std::shared_ptr<bool> alive = alive_;
    ui::TWinControl* form = formControl_;
    form->SetMessageHandler(m.Msg, nullptr);
    try {
        form->WndProc(m);
    } catch (...) {
        if (*alive)
            form->SetMessageHandler(m.Msg, [this](ui::TMessage& msg) { FrameWndProc(msg); });
        throw;
    }
    if (*alive) form->SetMessageHandler(m.Msg, [this](ui::TMessage& msg) { FrameWndProc(msg); });
}

HWND TbsSkinFrame::FormWindow() const {
    return form_->HandleAllocated() ? form_->Handle() : nullptr;
}

void TbsSkinFrame::FrameWndProc(ui::TMessage& m) {
    // While the form is being taken apart its children's windows still report in.
    if (formControl_->Destroying()) {
        CallPrevious(m);
        return;
    }
    if (ClosesMenu(m.Msg)) CloseSkinMenu();
    auto* sender = reinterpret_cast<TbsSkinData*>(m.WParam);
    switch (m.Msg) {
        case WM_NCCALCSIZE:
            return WMNCCalcSize(m);
        case WM_NCPAINT:
            return WMNCPaint(m);
        case WM_NCACTIVATE:
            return WMNCActivate(m);
        case WM_NCHITTEST:
            return WMNCHitTest(m);
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
            return WMNCButtonDown(m);
        case WM_NCLBUTTONUP:
        case WM_NCRBUTTONUP:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            return WMButtonUp(m);
        case WM_NCMOUSEMOVE:
            return WMNCMouseMove(m);
        case WM_MOUSEMOVE:
            return WMMouseMove(m);
        case WM_NCLBUTTONDBLCLK:
            return WMNCLButtonDblClk(m);
        case WM_SIZE:
            return WMSize(m);
        case WM_GETMINMAXINFO:
            return WMGetMinMaxInfo(m);
        case WM_ACTIVATE:
            return WMActivate(m);
        case WM_ERASEBKGND:
            return WMEraseBkgnd(m);
        case WM_SHOWWINDOW:
            return WMShowWindow(m);
        case WM_SYSCOMMAND:
            return WMSysCommand(m);
        case WM_ENTERSIZEMOVE:
            return WMEnterSizeMove(m);
        case WM_EXITSIZEMOVE:
            return WMExitSizeMove(m);
        case WM_MOVING:
            return WMMoving(m);
        case WM_SETTEXT:
            return WMSetText(m);
        case WM_SETCURSOR:
            return WMSetCursor(m);
        case WM_DESTROY:
            return WMDestroy(m);
        case WM_TIMER:
            return WMTimer(m);
        case ui::CM_SHORTCUT:
            return CMShortCut(m);
        case WM_BEFORECHANGESKINDATA:
            return BeforeChangeSkinData(sender);
        case WM_CHANGESKINDATA:
            return ChangeSkinData(sender);
        case WM_AFTERCHANGESKINDATA:
            return AfterChangeSkinData(sender);
        case WM_CHANGEFORMSKINNABLE:
            return ChangeFormSkinnable(sender);
        case WM_CHANGERESSTRDATA:
            return ChangeResStrData(sender);
        default:
            return CallPrevious(m);
    }
}

// ---- message handlers ----

void TbsSkinFrame::WMNCPaint(ui::TMessage& m) {
    m.Result = 0;
    HWND window = FormWindow();
    if (window == nullptr) return;
    if (HDC dc = GetWindowDC(window)) {
        PaintFrame(dc);
        ReleaseDC(window, dc);
    }
}

void TbsSkinFrame::WMNCActivate(ui::TMessage& m) {
    CloseSkinMenu();
    formActive_ = m.WParam != 0;
    m.Result = 1;
    RepaintFrame();
    if (formActive_ && OnActivate) OnActivate(this);
    if (!formActive_ && OnDeActivate) OnDeActivate(this);
}

void TbsSkinFrame::WMActivate(ui::TMessage& m) {
    CallPrevious(m);
    formActive_ = LOWORD(m.WParam) != WA_INACTIVE;
    RepaintFrame();
}

void TbsSkinFrame::WMSysCommand(ui::TMessage& m) {
    switch (m.WParam & 0xFFF0) {
        case SC_MAXIMIZE:
            return Maximize();
        case SC_MINIMIZE:
            return Minimize();
        case SC_RESTORE:
            return Restore();
        default:
            return CallPrevious(m);
    }
}

void TbsSkinFrame::WMEnterSizeMove(ui::TMessage& m) {
    sizeMoving_ = true;
    StopTimers();
    ClearHotAndPressed();
    CallPrevious(m);
}

void TbsSkinFrame::WMExitSizeMove(ui::TMessage& m) {
    sizeMoving_ = false;
    CallPrevious(m);
    RepaintFrame();
    if (SkinActive()) StartObjectAnimation();
}

void TbsSkinFrame::WMSetText(ui::TMessage& m) {
    CallPrevious(m);
    RepaintFrame();
}

void TbsSkinFrame::WMDestroy(ui::TMessage& m) {
    StopTimers();
    CallPrevious(m);
}

void TbsSkinFrame::CMShortCut(ui::TMessage& m) {
    bool handled = false;
    if (OnShortCut) OnShortCut(uint16_t(m.WParam), ui::TShiftState(m.LParam), handled);
    if (handled) {
        m.Result = 1;
        return;
    }
    CallPrevious(m);
}

// ---- properties ----

void TbsSkinFrame::SetSkinData(TbsSkinData* value) {
    if (value == skinData_) return;
    if (skinData_ != nullptr) {
        skinData_->RemoveFreeNotification(this);
        if (skinData_->Owner() == form_) skinData_->SetOwnerForm(nullptr);
    }
    skinData_ = value;
    if (value != nullptr) {
        value->FreeNotification(this);
        // A skin data on the frame's own form hears about its form first.
        if (value->Owner() == form_) value->SetOwnerForm(this);
    }
    UpdateFrameForSkin();
}

void TbsSkinFrame::SetMenusSkinData(TbsSkinData* value) {
    if (menusSkinData_ != nullptr) menusSkinData_->RemoveFreeNotification(this);
    menusSkinData_ = value;
    if (value != nullptr) value->FreeNotification(this);
}

void TbsSkinFrame::SetBorderIcons(TbsBorderIcons value) {
    borderIcons_ = value;
    UpdateObjectStates();
    RepaintFrame();
}

void TbsSkinFrame::SetDisableSystemMenu(bool value) {
    disableSystemMenu_ = value;
    UpdateObjectStates();
    RepaintFrame();
}

void TbsSkinFrame::SetHideCaptionButtons(bool value) {
    hideCaptionButtons_ = value;
    UpdateObjectStates();
    RepaintFrame();
}

void TbsSkinFrame::Notification(ui::TComponent* component, ui::TOperation operation) {
    ui::TComponent::Notification(component, operation);
    if (operation != ui::TOperation::opRemove) return;
    if (component == menusSkinData_) menusSkinData_ = nullptr;
    if (component == skinData_) {
        skinData_ = nullptr;
        StopTimers();
        ClearHotAndPressed();
        objects_.clear();
        skinActive_ = false;
        if (!formControl_->Destroying()) UpdateFrameForSkin();
    }
}

// ---- state ----

bool TbsSkinFrame::SkinActive() const {
    return skinActive_ && skinData_ != nullptr && !skinData_->Empty() &&
           skinData_->SkinnableForm() && !skinData_->FramePicture().Empty();
}

bool TbsSkinFrame::Sizeable() const {
    const ui::TFormBorderStyle style = form_->BorderStyle();
    return alwaysResize_ || style == ui::TFormBorderStyle::bsSizeable ||
           style == ui::TFormBorderStyle::bsSizeToolWin;
}

TbsFrameGeometry TbsSkinFrame::Geometry() const {
    if (!SkinActive()) return {};
    const TbsSkinPicture& picture = skinData_->FramePicture();
    return MapFrameGeometry(skinData_->FormInfo(), picture.Width(), picture.Height(),
                            WindowBounds().Width(), WindowBounds().Height());
}

TbsFrameInsets TbsSkinFrame::Insets() const {
    if (form_->BorderStyle() == ui::TFormBorderStyle::bsNone) return {};
    if (SkinActive()) {
        const TbsSkinPicture& picture = skinData_->FramePicture();
        return FrameInsets(skinData_->FormInfo(), picture.Width(), picture.Height());
    }
    return {kDefaultBorder, GetSystemMetrics(SM_CYCAPTION) + kDefaultBorder, kDefaultBorder,
            kDefaultBorder};
}

graphics::TRect TbsSkinFrame::WindowBounds() const {
    RECT r{};
    if (HWND window = FormWindow(); window != nullptr && GetWindowRect(window, &r))
        return graphics::TRect::FromRECT(r);
    return form_->BoundsRect();
}

graphics::TPoint TbsSkinFrame::ClientSize() const {
    RECT r{};
    if (HWND window = FormWindow(); window != nullptr && GetClientRect(window, &r))
        return {r.right, r.bottom};
    return {form_->ClientWidth(), form_->ClientHeight()};
}

TbsActiveSkinObject* TbsSkinFrame::FindObject(const std::string& idName) const {
    for (const auto& object : objects_)
        if (object->IDName() == idName) return object.get();
    return nullptr;
}

TbsSkinCaptionObject* TbsSkinFrame::CaptionObject() const {
    for (const auto& object : objects_)
        if (auto* caption = dynamic_cast<TbsSkinCaptionObject*>(object.get())) return caption;
    return nullptr;
}

std::string TbsSkinFrame::CaptionText() const {
    return form_->Caption();
}

uint8_t TbsSkinFrame::CaptionCharset() const {
    if (skinData_ != nullptr && skinData_->ResourceStrData() != nullptr)
        return uint8_t(skinData_->ResourceStrData()->CharSet());
    return const_cast<graphics::TFont&>(defCaptionFont_).Charset();
}

// ---- skin messages ----

void TbsSkinFrame::SkinDataMessage(uint32_t message, TbsSkinData* skinData, int32_t param2) {
    // Delivered as a message of the form, so it takes the same path as every other message.
    if (HWND window = FormWindow())
        SendMessage(window, message, reinterpret_cast<WPARAM>(skinData), param2);
    else
        form_->Perform(message, reinterpret_cast<WPARAM>(skinData), param2);
}

void TbsSkinFrame::ForEachSkinnableControl(TbsSkinData* sender,
                                           const std::function<void(TbsSkinnableControl&)>& f) {
    WalkControls(*form_, [&](ui::TControl& control) {
        auto* skinnable = dynamic_cast<TbsSkinnableControl*>(&control);
        if (skinnable != nullptr && (sender == nullptr || skinnable->SkinData() == sender))
            f(*skinnable);
    });
}

void TbsSkinFrame::ForEachSkinAwareComponent(TbsSkinData* sender,
                                             const std::function<void(TbsSkinAwareComponent&)>& f) {
    // A copy: a component may make or free others when it hears of the skin.
    std::vector<ui::TComponent*> components;
    components.reserve(static_cast<size_t>(form_->ComponentCount()));
    for (int i = 0; i < form_->ComponentCount(); ++i) components.push_back(form_->Components(i));
    for (ui::TComponent* component : components) {
        auto* aware = dynamic_cast<TbsSkinAwareComponent*>(component);
        if (aware != nullptr && sender != nullptr && aware->SkinData() == sender) f(*aware);
    }
}

void TbsSkinFrame::BeforeChangeSkinData(TbsSkinData* sender) {
    if (sender == skinData_ && sender != nullptr) {
        skinActive_ = false;
        StopTimers();
        ClearHotAndPressed();
        objects_.clear();
    }
    ForEachSkinnableControl(sender,
                            [](TbsSkinnableControl& control) { control.ResetSkinBinding(); });
    ForEachSkinAwareComponent(sender,
                              [](TbsSkinAwareComponent& aware) { aware.BeforeChangeSkinData(); });
    if (sender == skinData_ && OnBeforeChangeSkinData) OnBeforeChangeSkinData(this);
}

void TbsSkinFrame::ChangeSkinData(TbsSkinData* sender) {
    if (sender == skinData_ && sender != nullptr) {
        UpdateFrameForSkin();
        if (OnChangeSkinData) OnChangeSkinData(this);
        if (clientWidth_ > 0 || clientHeight_ > 0)
            ApplyClientSize(clientWidth_ > 0 ? clientWidth_ : ClientSize().x,
                            clientHeight_ > 0 ? clientHeight_ : ClientSize().y);
    }
    ForEachSkinnableControl(sender,
                            [](TbsSkinnableControl& control) { control.ApplySkinChange(); });
    ForEachSkinAwareComponent(sender,
                              [](TbsSkinAwareComponent& aware) { aware.AfterChangeSkinData(); });
}

void TbsSkinFrame::AfterChangeSkinData(TbsSkinData* sender) {
    if (sender == skinData_ && sender != nullptr && OnAfterChangeSkinData)
        OnAfterChangeSkinData(this);
}

void TbsSkinFrame::ChangeFormSkinnable(TbsSkinData* sender) {
    if (sender == skinData_ && sender != nullptr) UpdateFrameForSkin();
}

void TbsSkinFrame::ChangeResStrData(TbsSkinData* sender) {
    if (sender != skinData_ || sender == nullptr) return;
    const TbsResourceStrData* strings = sender->ResourceStrData();
    for (const auto& object : objects_) {
        auto* button = dynamic_cast<TbsSkinStdButtonObject*>(object.get());
        if (button == nullptr) continue;
        const char* name = nullptr;
        switch (button->StdCommand()) {
            case TbsStdCommand::cmClose:
                name = "CLOSEBUTTON_HINT";
                break;
            case TbsStdCommand::cmMaximize:
                name = "MAXBUTTON_HINT";
                break;
            case TbsStdCommand::cmMinimize:
                name = "MINBUTTON_HINT";
                break;
            case TbsStdCommand::cmRollUp:
                name = "ROLLUPBUTTON_HINT";
                break;
            case TbsStdCommand::cmMinimizeToTray:
                name = "TRAYBUTTON_HINT";
                break;
            case TbsStdCommand::cmSysMenu:
                name = "MENUBUTTON_HINT";
                break;
            default:
                break;
        }
        std::string hint = strings != nullptr && name != nullptr ? strings->GetResStr(name) : "";
        button->Hint = hint.empty() ? button->Data().Hint : hint;
    }
    RebuildSystemMenu();
}

// The frame follows its skin: objects, frame sizes, shape and look.
void TbsSkinFrame::UpdateFrameForSkin() {
    // The client size as the window has it now, under whichever frame it had.
    RECT client{};
    if (HWND window = FormWindow()) GetClientRect(window, &client);
    const int clientW = client.right;
    const int clientH = client.bottom;
    const int frameW = WindowBounds().Width() - clientW;
    const int frameH = WindowBounds().Height() - clientH;
    StopTimers();
    ClearHotAndPressed();
    objects_.clear();
    skinActive_ = skinData_ != nullptr && !skinData_->Empty() && skinData_->SkinnableForm();
    if (SkinActive()) {
        objects_ = CreateCaptionObjects(*this, *skinData_);
        UpdateObjectStates();
    }
    if (form_->BorderIcons() != 0) form_->SetBorderIcons(0);
    // The form keeps the client size it was laid out for; the frame around it changes.
    const TbsFrameInsets after = Insets();
    if (FormWindow() != nullptr &&
        (frameW != after.Left + after.Right || frameH != after.Top + after.Bottom))
        ApplyClientSize(clientW, clientH);
    EnforceMinimumSize();
    FrameChanged();
    UpdateRegion();
    RepaintFrame();
    if (SkinActive()) StartHoverTimer();
}

void TbsSkinFrame::ApplyClientSize(int width, int height) {
    const TbsFrameInsets insets = Insets();
    form_->SetBounds(WindowBounds().left, WindowBounds().top, width + insets.Left + insets.Right,
                     height + insets.Top + insets.Bottom);
}

void TbsSkinFrame::EnforceMinimumSize() {
    if (!SkinActive()) return;
    const int minW = MinimumWidth();
    const int minH = MinimumHeight();
    const int w = WindowBounds().Width() < minW ? minW : WindowBounds().Width();
    const int h = WindowBounds().Height() < minH ? minH : WindowBounds().Height();
    if (w != WindowBounds().Width() || h != WindowBounds().Height())
        form_->SetBounds(WindowBounds().left, WindowBounds().top, w, h);
}

void TbsSkinFrame::FrameChanged() {
    if (HWND window = FormWindow())
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

bool TbsSkinFrame::CommandEnabled(TbsStdCommand command, const std::string& idName) const {
    if (hideCaptionButtons_) return false;
    switch (command) {
        case TbsStdCommand::cmClose:
            return true;
        case TbsStdCommand::cmMaximize:
            return (borderIcons_ & biMaximize) != 0;
        case TbsStdCommand::cmMinimize:
            return (borderIcons_ & biMinimize) != 0;
        case TbsStdCommand::cmSysMenu:
            return (borderIcons_ & biSystemMenu) != 0 && !disableSystemMenu_;
        case TbsStdCommand::cmRollUp:
            return (borderIcons_ & biRollUp) != 0;
        case TbsStdCommand::cmMinimizeToTray:
            return (borderIcons_ & biMinimizeToTray) != 0;
        case TbsStdCommand::cmDefault:
            break;
    }
    bool enabled = false;
    if (OnActivateCustomObject) OnActivateCustomObject(idName, enabled);
    return enabled;
}

void TbsSkinFrame::RunCommand(TbsStdCommand command) {
    switch (command) {
        case TbsStdCommand::cmClose:
            return CloseForm();
        case TbsStdCommand::cmMaximize:
            return windowState_ == TbsWindowState::wsMaximized ? Restore() : Maximize();
        case TbsStdCommand::cmMinimize:
            return windowState_ == TbsWindowState::wsMinimized ? Restore() : Minimize();
        case TbsStdCommand::cmRollUp:
            return RollUp();
        case TbsStdCommand::cmMinimizeToTray:
            return MinimizeToTray();
        case TbsStdCommand::cmSysMenu:
        case TbsStdCommand::cmDefault:
            return;
    }
}

void TbsSkinFrame::UpdateObjectStates() {
    for (const auto& object : objects_) {
        std::optional<TbsStdCommand> command = object->Command();
        if (!command) continue;
        const bool enabled = CommandEnabled(*command, object->IDName());
        object->Enabled = enabled;
        // A button drawn into the frame picture stays in sight; one placed on it goes with it.
        object->Visible = object->AutoPlaced() ? enabled : true;
    }
}

// ---- the menu host ----

TbsSkinMenu& TbsSkinFrame::SkinMenu() {
    return menu_->Engine();
}

TbsSkinData* TbsSkinFrame::MenuSkinData() const {
    return menusSkinData_ != nullptr ? menusSkinData_ : skinData_;
}

void TbsSkinFrame::SkinMenuOpen() {
    if (!menuFilterInstalled_) {
        // While a menu is open, keys are its innermost popup's and the wheel is swallowed.
        menuFilterInstalled_ = true;
        std::shared_ptr<bool> alive = alive_;
        previousFilter_ = ui::Application().SetMessageFilter([this, alive](MSG& msg) {
            if (!*alive) return false;
            if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
                if (menu_->Engine().HandleKey(msg)) return true;
            } else if (msg.message == WM_MOUSEWHEEL) {
                return true;
            }
            return previousFilter_ ? previousFilter_(msg) : false;
        });
    }
    if (OnSkinMenuOpen) OnSkinMenuOpen(this);
}

void TbsSkinFrame::SkinMenuClose() {
    RemoveMenuFilter();
    if (OnSkinMenuClose) OnSkinMenuClose(this);
}

void TbsSkinFrame::RemoveMenuFilter() {
    if (!menuFilterInstalled_) return;
    menuFilterInstalled_ = false;
    ui::Application().SetMessageFilter(std::move(previousFilter_));
    previousFilter_ = nullptr;
}

bool TbsSkinFrame::SkinMenuVisible() const {
    return menu_ && menu_->Visible();
}

void TbsSkinFrame::CloseSkinMenu() {
    if (SkinMenuVisible()) menu_->CloseAll();
}

ui::TMenuItem& TbsSkinFrame::SystemMenuItems() {
    return systemMenu_->Items();
}

void TbsSkinFrame::RebuildSystemMenu() {
    TbsSystemMenuState state;
    state.minimizeIcon = (borderIcons_ & biMinimize) != 0;
    state.maximizeIcon = (borderIcons_ & biMaximize) != 0;
    state.rollUpIcon = (borderIcons_ & biRollUp) != 0;
    state.trayIcon = (borderIcons_ & biMinimizeToTray) != 0;
    state.minimized = windowState_ == TbsWindowState::wsMinimized;
    state.maximized = windowState_ == TbsWindowState::wsMaximized;
    state.rolledUp = rolledUp_;
    const TbsResourceStrData* strings =
        skinData_ != nullptr ? skinData_->ResourceStrData() : nullptr;
    BuildSystemMenu(systemMenu_->Items(), this, state, strings, [this](TbsSysMenuCommand command) {
        switch (command) {
            case TbsSysMenuCommand::Minimize:
                Minimize();
                break;
            case TbsSysMenuCommand::Restore:
                Restore();
                break;
            case TbsSysMenuCommand::Maximize:
                Maximize();
                break;
            case TbsSysMenuCommand::RollUp:
                RollUp();
                break;
            case TbsSysMenuCommand::MinimizeToTray:
                MinimizeToTray();
                break;
            case TbsSysMenuCommand::Close:
                CloseForm();
                break;
        }
    });
}

void TbsSkinFrame::OpenSystemMenu(graphics::TPoint screen) {
    if (!useDefaultSysMenu_) return;
    RebuildSystemMenu();
    menu_->Popup(*systemMenu_, screen);
}

}  // namespace skin
