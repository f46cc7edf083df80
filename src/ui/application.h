#pragma once
// The application object: start-up (COM through the start-up hook), the title, the forms and
// the main form, the message loop with its key handling and error display, and the exit.
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/user/winuser.h"
#include "ui/component.h"

namespace ui {

class TCustomForm;
class THintTracker;

// Shows a message box: owner, text, caption, flags; returns the button pressed. Replaceable so
// that the error display can be observed.
using TMessageBoxFunction = std::function<int(platform::HWND owner, const std::string& text,
                                              const std::string& caption, platform::UINT flags)>;
// Looks at a message before it is dispatched; true when the message was handled.
using TMessageFilter = std::function<bool(platform::MSG& message)>;
using TExceptionEvent = std::function<void(TComponent* sender, const std::exception_ptr& error)>;

// The text the error display shows for an exception message: a full stop is added when the
// message is not empty and its last character sorts after ".".
std::string ErrorDisplayText(const std::string& message);

class TApplication : public TComponent {
  public:
    TApplication();
    ~TApplication() override;

    const char* ClassName() const override { return "TApplication"; }

    // Runs the start-up hooks (COM initialisation among them).
    void Initialize();
    // Start-up hooks run by Initialize, and clean-up hooks run at exit, in reverse order.
    static void AddInitProc(std::function<void()> proc, std::function<void()> exitProc = nullptr);

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);

    // The hidden window the application owns its message boxes by, made on demand.
    platform::HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }

    // Creates a form owned by the application; the first becomes the main form.
    template <typename T>
    T* CreateForm() {
        T* form = new T(this);
        form->AfterConstruction();
        FormCreated(form);
        return form;
    }
    TCustomForm* MainForm() const { return mainForm_; }
    const std::vector<TCustomForm*>& Forms() const { return forms_; }
    // Called by every form as it comes and goes.
    void FormRegistered(TCustomForm* form);
    void FormDestroyed(TCustomForm* form);

    // The show command the program was started with (SW_SHOWNORMAL unless set).
    static void SetStartupShowCommand(int command) { startupShowCommand_ = command; }
    static int StartupShowCommand() { return startupShowCommand_; }

    // Shows the main form and handles messages until terminated.
    void Run();
    // Handles one message, or waits for one when none is there.
    void HandleMessage();
    // Handles every message waiting, then returns.
    void ProcessMessages();
    void Minimize();
    void Terminate();
    bool Terminated() const { return terminated_; }
    bool Running() const { return running_; }

    // The error display: what the loop does with an exception that escaped a message.
    void HandleException(const std::exception_ptr& error);
    void ShowException(const std::exception& error);

    // A filter sees every message before it is dispatched (the skinned menus use one).
    // Returns the filter it replaces.
    TMessageFilter SetMessageFilter(TMessageFilter filter);
    TExceptionEvent OnException;
    TNotifyEvent OnIdle;

    // The hints: their pauses, whether they show at all, and the hint window.
    THintTracker& Hints();

    void SetMessageBoxFunction(TMessageBoxFunction function) { messageBox_ = std::move(function); }
    int MessageBox(const std::string& text, const std::string& caption, platform::UINT flags);

    // Frees the forms and returns to the state before start-up (tests run many programs).
    void Reset();

  protected:
    void Notification(TComponent* component, TOperation operation) override;

  private:
    // The first form made by CreateForm becomes the main form, with its window.
    void FormCreated(TCustomForm* form);
    bool ProcessMessage(platform::MSG& message);
    bool IsKeyMessage(platform::MSG& message);
    void Idle();

    std::string title_;
    platform::HWND handle_ = nullptr;
    TCustomForm* mainForm_ = nullptr;
    std::vector<TCustomForm*> forms_;
    bool terminated_ = false;
    bool running_ = false;
    bool initialized_ = false;
    TMessageFilter filter_;
    TMessageBoxFunction messageBox_;
    std::unique_ptr<THintTracker> hints_;
    static int startupShowCommand_;
};

// The one application object of the process.
TApplication& Application();

}  // namespace ui
