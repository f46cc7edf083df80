#include "ui/menus.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/panels.h"
#include "ui/ui_fixture.h"

namespace ui {
namespace {

using testing::UiTest;

class MenusTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        form_ = Application().CreateForm<TForm>();
        form_->SetBounds(100, 100, 10, 10);
        form_->SetClientSize(300, 200);
        box_ = Make<TScrollBox>(form_);
        box_->SetParent(form_);
        box_->SetAlign(TAlign::alClient);
        view_ = Make<TImage>(form_);
        view_->SetParent(box_);
        view_->SetBounds(0, 0, 100, 100);
        menu_ = Make<TPopupMenu>(form_);
        for (const char* caption : {"one", "two", "three"}) {
            auto* item = Make<TMenuItem>(form_);
            item->SetCaption(caption);
            item->OnClick = [this, caption](TComponent*) { clicked_.push_back(caption); };
            menu_->Items().Add(item);
        }
        box_->SetPopupMenu(menu_);
        form_->Show();
        Pump();
    }
    TForm* form_ = nullptr;
    TScrollBox* box_ = nullptr;
    TImage* view_ = nullptr;
    TPopupMenu* menu_ = nullptr;
    std::vector<std::string> clicked_;
};

TEST_F(MenusTest, RightClickOnAViewWithoutMenuOpensItsParentsMenuThroughThePlatformPopup) {
    int popups = 0;
    menu_->OnPopup = [&](TComponent*) { ++popups; };
    TPoint p = view_->ClientToScreen({10, 10});
    host_->Click(p.x, p.y, platform::kHostRightButton);
    host_->PressKey(platform::VK_DOWN);
    host_->PressKey(platform::VK_DOWN);
    host_->PressKey(platform::VK_RETURN);
    Pump();
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(menu_->PopupComponent(), box_);
    EXPECT_EQ(menu_->PopupPoint(), p);
    EXPECT_EQ(clicked_, std::vector<std::string>{"two"});
}

TEST_F(MenusTest, EscapeClosesWithoutAChoiceAndDisabledOrHiddenItemsAreSkipped) {
    host_->Click(150, 150, platform::kHostRightButton);
    host_->PressKey(platform::VK_ESCAPE);
    Pump();
    EXPECT_TRUE(clicked_.empty());

    menu_->Items().Items(0)->SetVisible(false);
    menu_->Items().Items(1)->SetEnabled(false);
    bool popupOpen = true;
    menu_->Items().Items(2)->OnClick = [&](TComponent*) {
        popupOpen = host_->VisibleWindows().size() > 1;
        clicked_.push_back("three");
    };
    TMenuItem* chosen = nullptr;
    TPopupMenu::SetTracker([&](TMenuItem& items, int, int) {
        chosen = items.Items(2);
        return chosen;
    });
    menu_->Popup(120, 120);
    TPopupMenu::SetTracker(nullptr);
    EXPECT_EQ(clicked_, std::vector<std::string>{"three"});

    // Through the platform: one Down reaches "three" past the hidden and the disabled items,
    // and the popup window is gone by the time the command runs.
    clicked_.clear();
    popupOpen = true;
    host_->PressKey(platform::VK_DOWN);
    host_->PressKey(platform::VK_RETURN);
    menu_->Popup(120, 120);
    EXPECT_EQ(clicked_, std::vector<std::string>{"three"});
    EXPECT_FALSE(popupOpen);
}

}  // namespace
}  // namespace ui
