#include "ui/application.h"

#include <algorithm>
#include <utility>

#include "core/exceptions.h"
#include "graphics/bitmap_canvas.h"
#include "platform/user/user.h"
#include "ui/form.h"
#include "ui/hint_tracker.h"
#include "ui/win_control.h"

namespace ui {

using namespace platform;

namespace {

constexpr const char* kApplicationClass = "TApplication";

struct InitProcs {
    std::vector<std::pair<std::function<void()>, std::function<void()>>> procs;
    std::vector<std::function<void()>> pendingExit;
};

InitProcs& StartupHooks() {
    static InitProcs hooks;
    return hooks;
}

}  // namespace

int TApplication::startupShowCommand_ = SW_SHOWNORMAL;

std::string ErrorDisplayText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
    return message;
}

TApplication& Application() {
    // Lives for the whole process and is never destroyed: static destruction order would
    // free it after the graphics caches its forms still use. The program calls Reset.
    static TApplication* application = new TApplication();
    return *application;
}

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() {
    Reset();
}

void TApplication::AddInitProc(std::function<void()> proc, std::function<void()> exitProc) {
    StartupHooks().procs.emplace_back(std::move(proc), std::move(exitProc));
}

void TApplication::Initialize() {
    if (initialized_) return;
    initialized_ = true;
    for (auto& [init, exit] : StartupHooks().procs) {
        if (init) init();
        // Only a hook that succeeded is undone at exit.
        if (exit) StartupHooks().pendingExit.push_back(exit);
    }
}

void TApplication::SetTitle(const std::string& title) {
    title_ = title;
    if (handle_ != nullptr) SetWindowText(handle_, title.c_str());
}

HWND TApplication::Handle() {
    if (handle_ != nullptr && IsWindow(handle_)) return handle_;
    WNDCLASSEX info{};
    if (!GetClassInfoEx(nullptr, kApplicationClass, &info)) {
        WNDCLASSEX wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = DefWindowProc;
        wc.lpszClassName = kApplicationClass;
        RegisterClassEx(&wc);
    }
    handle_ = CreateWindowEx(0, kApplicationClass, title_.c_str(), WS_POPUP | WS_CAPTION, 0, 0, 0,
                             0, nullptr, nullptr, nullptr, nullptr);
    return handle_;
}

void TApplication::FormRegistered(TCustomForm* form) {
    if (std::find(forms_.begin(), forms_.end(), form) == forms_.end()) forms_.push_back(form);
}

void TApplication::FormCreated(TCustomForm* form) {
    if (mainForm_ != nullptr) return;
    form->HandleNeeded();
    mainForm_ = form;
}

void TApplication::FormDestroyed(TCustomForm* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    if (mainForm_ == form) mainForm_ = nullptr;
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == mainForm_) mainForm_ = nullptr;
}

void TApplication::Run() {
    running_ = true;
    if (mainForm_ != nullptr) {
        switch (startupShowCommand_) {
            case SW_SHOWMAXIMIZED:
                mainForm_->Show();
                ShowWindow(mainForm_->Handle(), SW_MAXIMIZE);
                break;
            case SW_SHOWMINNOACTIVE:
                mainForm_->Show();
                Minimize();
                break;
            default:
                mainForm_->Show();
                break;
        }
    }
    while (!terminated_) HandleMessage();
    running_ = false;
}

void TApplication::HandleMessage() {
    MSG message{};
    if (!ProcessMessage(message)) Idle();
}

void TApplication::ProcessMessages() {
    MSG message{};
    while (ProcessMessage(message)) {
    }
}

void TApplication::Idle() {
    if (OnIdle) {
        try {
            OnIdle(this);
        } catch (...) {
            HandleException(std::current_exception());
        }
    }
    if (!terminated_) WaitMessage();
}

bool TApplication::ProcessMessage(MSG& message) {
    if (!PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) return false;
    if (message.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    try {
        Hints().Observe(message);
        bool handled = filter_ && filter_(message);
        if (!handled && !IsKeyMessage(message)) {
            TranslateMessage(&message);
            DispatchMessage(&message);
        }
    } catch (...) {
        HandleException(std::current_exception());
    }
    // Bitmap canvases hand their contexts back after every message.
    graphics::FreeMemoryContexts();
    return true;
}

bool TApplication::IsKeyMessage(MSG& message) {
    switch (message.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            TWinControl* control = TWinControl::ControlOfWindow(message.hwnd);
            if (control == nullptr) return false;
            uint16_t key = uint16_t(message.wParam);
            TCustomForm* form = control->ParentForm();
            if (form != nullptr && form->IsShortCut(key, KeyboardShift())) return true;
            if (control->DoKeyDown(key, KeyboardShift())) return true;
            if (form != nullptr) {
                if (form->DialogKey(key)) return true;
                // Alt and a letter or digit: printable text comes from the host's text input, so
                // the accelerator is read from the key itself.
                bool letter = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
                if (message.message == WM_SYSKEYDOWN && letter && form->DialogChar(char32_t(key)))
                    return true;
            }
            message.wParam = key;
            return false;
        }
        case WM_CHAR: {
            TWinControl* control = TWinControl::ControlOfWindow(message.hwnd);
            if (control == nullptr) return false;
            char32_t key = char32_t(message.wParam);
            // Enter and Escape were dialog keys already.
            if (control->DoKeyPress(key)) return true;
            message.wParam = key;
            return false;
        }
        case WM_SYSCHAR: {
            // Alt and a character: an accelerator of some control on the form.
            TWinControl* control = TWinControl::ControlOfWindow(message.hwnd);
            if (control == nullptr) return false;
            TCustomForm* form = control->ParentForm();
            return form != nullptr && form->DialogChar(char32_t(message.wParam));
        }
        default:
            return false;
    }
}

void TApplication::Minimize() {
    if (mainForm_ != nullptr && mainForm_->HandleAllocated())
        ShowWindow(mainForm_->Handle(), SW_MINIMIZE);
}

void TApplication::Terminate() {
    PostQuitMessage(0);
}

void TApplication::HandleException(const std::exception_ptr& error) {
    if (HWND capture = GetCapture()) SendMessage(capture, WM_CANCELMODE, 0, 0);
    try {
        std::rethrow_exception(error);
    } catch (const core::EAbort&) {
        // Silent by design.
    } catch (const std::exception& e) {
        if (OnException)
            OnException(this, error);
        else
            ShowException(e);
    } catch (...) {
        if (OnException) OnException(this, error);
    }
}

void TApplication::ShowException(const std::exception& error) {
    std::string text = ErrorDisplayText(error.what());
    HWND active = GetActiveWindow();
    HWND focus = GetFocus();
    MessageBox(text, title_, MB_OK | MB_ICONERROR);
    if (active != nullptr && IsWindow(active)) SetActiveWindow(active);
    if (focus != nullptr && IsWindow(focus)) SetFocus(focus);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
    if (messageBox_) return messageBox_(Handle(), text, caption, flags);
    return ::platform::MessageBox(Handle(), text.c_str(), caption.c_str(), flags);
}

THintTracker& TApplication::Hints() {
    if (!hints_) hints_ = std::make_unique<THintTracker>();
    return *hints_;
}

TMessageFilter TApplication::SetMessageFilter(TMessageFilter filter) {
    std::swap(filter, filter_);
    return filter;
}

void TApplication::Reset() {
    DestroyComponents();
    hints_.reset();
    forms_.clear();
    mainForm_ = nullptr;
    if (handle_ != nullptr && IsWindow(handle_)) DestroyWindow(handle_);
    handle_ = nullptr;
    terminated_ = false;
    running_ = false;
    filter_ = nullptr;
    messageBox_ = nullptr;
    OnException = nullptr;
    OnIdle = nullptr;
    title_.clear();
    if (initialized_) {
        auto& pending = StartupHooks().pendingExit;
        for (auto it = pending.rbegin(); it != pending.rend(); ++it) (*it)();
        pending.clear();
        initialized_ = false;
    }
}

}  // namespace ui
