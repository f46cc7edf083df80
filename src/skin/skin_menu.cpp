#include "skin/skin_menu.h"

#include <algorithm>

#include "graphics/graphics_objects.h"
#include "platform/user/user.h"
#include "skin/skin_data.h"
#include "skin/skin_menu_host.h"
#include "skin/skin_popup_window.h"
#include "ui/menus.h"
#include "ui/win_control.h"

namespace skin {

using namespace platform;

// Watches the components an open menu depends on: it forgets the opening control if that
// goes away first, and closes the menu if its skin data goes away (the popups paint from its
// pictures).
class TbsSkinMenu::OpenerLink : public ui::TComponent {
  public:
    OpenerLink(TbsSkinMenu& menu, ui::TControl* control, TbsSkinData* skinData)
        : ui::TComponent(nullptr), menu_(menu), control_(control), skinData_(skinData) {
        if (control_ != nullptr) control_->FreeNotification(this);
        if (skinData_ != nullptr) skinData_->FreeNotification(this);
    }
    ~OpenerLink() override {
        if (control_ != nullptr) control_->RemoveFreeNotification(this);
        if (skinData_ != nullptr) skinData_->RemoveFreeNotification(this);
    }
    ui::TControl* Control() const { return control_; }

  protected:
    void Notification(ui::TComponent* component, ui::TOperation operation) override {
        ui::TComponent::Notification(component, operation);
        if (operation != ui::TOperation::opRemove) return;
        if (component == control_) control_ = nullptr;
        if (component == skinData_) {
            skinData_ = nullptr;
            menu_.CloseAll();  // frees this link: nothing may follow
        }
    }

  private:
    TbsSkinMenu& menu_;
    ui::TControl* control_;
    TbsSkinData* skinData_;
};

namespace {

// Holds a component for as long as it lives: the item whose command runs after the menu's
// close notices, which may free it.
class ComponentWatch : public ui::TComponent {
  public:
    explicit ComponentWatch(ui::TComponent* watched) : ui::TComponent(nullptr), watched_(watched) {
        if (watched_ != nullptr) watched_->FreeNotification(this);
    }
    ~ComponentWatch() override {
        if (watched_ != nullptr) watched_->RemoveFreeNotification(this);
    }
    ui::TComponent* Get() const { return watched_; }

  protected:
    void Notification(ui::TComponent* component, ui::TOperation operation) override {
        ui::TComponent::Notification(component, operation);
        if (operation == ui::TOperation::opRemove && component == watched_) watched_ = nullptr;
    }

  private:
    ui::TComponent* watched_;
};

}  // namespace

TbsSkinMenu::TbsSkinMenu(ui::TComponent* frameOwner) : frameOwner_(frameOwner) {}

// The form is going away: the windows go without telling anyone.
TbsSkinMenu::~TbsSkinMenu() {
    waitWindow_ = nullptr;
    while (!popups_.empty()) popups_.pop_back();
}

void TbsSkinMenu::SetDefaultItemFont(const std::string& name, int height) {
    defaultFontName_ = name;
    defaultFontHeight_ = height;
}

void TbsSkinMenu::SetDefaultItemFont(const graphics::TFont& font) {
    defaultFontName_ = font.Name();
    defaultFontHeight_ = font.Height();
    defaultFontStyle_ = font.Style();
    defaultFontCharset_ = font.Charset();
}

void TbsSkinMenu::SetAlphaBlend(bool on, uint8_t value, bool animate) {
    alphaBlend_ = on;
    alphaBlendValue_ = value;
    alphaBlendAnimation_ = animate;
}

TbsSkinPopupWindow* TbsSkinMenu::PopupAt(int level) const {
    if (level < 0 || level >= PopupCount()) return nullptr;
    return popups_[size_t(level)].get();
}

int TbsSkinMenu::LevelOf(const TbsSkinPopupWindow& window) const {
    for (int i = 0; i < PopupCount(); ++i) {
        if (popups_[size_t(i)].get() == &window) return i;
    }
    return -1;
}

graphics::TRect TbsSkinMenu::ReadWorkArea() const {
    for (ui::TComponent* c = frameOwner_; c != nullptr; c = c->Owner()) {
        auto* control = dynamic_cast<ui::TWinControl*>(c);
        if (control == nullptr || !control->HandleAllocated()) continue;
        HMONITOR monitor = MonitorFromWindow(control->Handle(), MONITOR_DEFAULTTONEAREST);
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (monitor != nullptr && GetMonitorInfo(monitor, &info)) {
            return graphics::TRect::FromRECT(info.rcWork);
        }
        break;
    }
    RECT area{};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    return graphics::TRect::FromRECT(area);
}

static TbsMenuLookSettings LookSettingsOf(const TbsSkinMenu& menu) {
    TbsMenuLookSettings s;
    s.useSkinFont = menu.UseSkinFont();
    s.defaultItemHeight = menu.DefaultItemHeight();
    s.defaultFontName = menu.DefaultItemFontName();
    s.defaultFontHeight = menu.DefaultItemFontHeight();
    s.defaultFontStyle = menu.DefaultItemFontStyle();
    s.defaultFontCharset = menu.DefaultItemFontCharset();
    return s;
}

static bool AnyVisibleFrom(const ui::TMenuItem& items, int first) {
    for (int i = first; i < items.Count(); ++i) {
        if (items.Items(i)->Visible()) return true;
    }
    return false;
}

void TbsSkinMenu::Popup(ui::TControl* opener, TbsSkinData* skinData, bool popupUp,
                        ui::TMenuItem& items, graphics::TRect anchor, int firstIndex,
                        std::function<void()> onClose) {
    if (visible_ || !popups_.empty()) CloseAll();
    workArea_ = ReadWorkArea();
    if (firstIndex < 0 || !AnyVisibleFrom(items, firstIndex)) return;
    skinData_ = skinData;
    visible_ = true;
    opener_ = std::make_unique<OpenerLink>(*this, opener, skinData);
    onClose_ = std::move(onClose);
    popups_.push_back(
        std::make_unique<TbsSkinPopupWindow>(*this, 0, items, firstIndex, LookSettingsOf(*this)));
    popups_.back()->Show(anchor, popupUp, false);
}

void TbsSkinMenu::ItemActivated(TbsSkinPopupWindow& window, int itemIndex, bool click) {
    const int level = LevelOf(window);
    if (level < 0 || itemIndex < 0 || itemIndex >= window.ItemCount()) return;
    const TbsSkinMenuItem& row = window.Item(itemIndex);
    ui::TMenuItem* item = row.MenuItem;
    const bool hasSubItems = row.HasSubItems();
    if (!click) {
        StopWaitTimer();
        CloseFrom(level + 1);
        if (hasSubItems) {
            waitWindow_ = &window;
            waitItem_ = itemIndex;
            window.StartWaitTimer();
        }
        return;
    }
    if (!hasSubItems) {
        // The command runs with no popup on screen.
        ComponentWatch watch(item);
        CloseAll();
        if (watch.Get() != nullptr) item->Click();
        return;
    }
    TbsSkinPopupWindow* w = &window;
    item->Click();
    if (LevelOf(*w) < 0) return;  // the command closed the menu
    OpenSubMenu(*w, itemIndex);
}

void TbsSkinMenu::OpenSubMenu(TbsSkinPopupWindow& window, int itemIndex) {
    StopWaitTimer();
    const int level = LevelOf(window);
    if (level < 0 || itemIndex < 0 || itemIndex >= window.ItemCount()) return;
    CloseFrom(level + 1);
    ui::TMenuItem& sub = *window.Item(itemIndex).MenuItem;
    if (!AnyVisibleFrom(sub, 0)) return;
    window.SetItemDown(itemIndex, true);
    popups_.push_back(
        std::make_unique<TbsSkinPopupWindow>(*this, level + 1, sub, 0, LookSettingsOf(*this)));
    popups_.back()->Show(window.ItemScreenRect(itemIndex), false, true);
}

void TbsSkinMenu::WaitTimerFired() {
    TbsSkinPopupWindow* window = waitWindow_;
    const int index = waitItem_;
    waitWindow_ = nullptr;
    waitItem_ = -1;
    if (window == nullptr || LevelOf(*window) < 0 || window->ActiveItem() != index) return;
    OpenSubMenu(*window, index);
}

void TbsSkinMenu::StopWaitTimer() {
    if (waitWindow_ != nullptr && LevelOf(*waitWindow_) >= 0) waitWindow_->StopWaitTimer();
    waitWindow_ = nullptr;
    waitItem_ = -1;
}

void TbsSkinMenu::CloseAll() {
    if (popups_.empty()) {
        if (visible_) AllClosed();
        return;
    }
    CloseFrom(0);
}

void TbsSkinMenu::CloseFrom(int level) {
    level = std::max(level, 0);
    if (level >= PopupCount()) return;
    if (waitWindow_ != nullptr && LevelOf(*waitWindow_) >= level) StopWaitTimer();
    while (PopupCount() > level) {
        std::unique_ptr<TbsSkinPopupWindow> window = std::move(popups_.back());
        popups_.pop_back();
        window.reset();
    }
    if (level > 0) {
        TbsSkinPopupWindow& parent = *popups_[size_t(level - 1)];
        for (int i = 0; i < parent.ItemCount(); ++i) parent.SetItemDown(i, false);
        return;
    }
    AllClosed();
}

void TbsSkinMenu::AllClosed() {
    visible_ = false;
    StopWaitTimer();
    // Taken out first: the notices may open another menu.
    std::unique_ptr<OpenerLink> opener = std::move(opener_);
    std::function<void()> onClose = std::move(onClose_);
    onClose_ = nullptr;
    if (opener != nullptr && opener->Control() != nullptr) {
        opener->Control()->Perform(WM_CLOSESKINMENU, 0, 0);
    }
    opener.reset();
    if (onClose) onClose();
    if (host_ != nullptr) host_->SkinMenuClose();
}

bool TbsSkinMenu::HandleKey(MSG& message) {
    const bool keyDown = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
    if (popups_.empty()) {
        if (!keyDown || message.wParam != WPARAM(VK_ESCAPE) || host_ == nullptr) return false;
        host_->SkinMenuClose();
        return true;
    }
    // Keys the menu has no use for are dropped rather than handed to the focused control
    // behind it, where Space, Tab or a letter would act unseen; the releases and characters
    // go with them (a skinned button clicks when Space is released).
    if (keyDown) popups_.back()->KeyDown(int(message.wParam));
    return keyDown || (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST);
}

}  // namespace skin
