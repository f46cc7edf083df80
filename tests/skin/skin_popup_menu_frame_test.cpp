// The skinned popup menu on a form with its skinned frame: the frame supplies the engine and
// the skin, routes keys to the menu and closes it when the form is clicked.
#include "frame_fixture.h"
#include "skin/skin_menu.h"
#include "skin/skin_popup_menu.h"
#include "skin/skin_popup_window.h"
#include "ui/buttons.h"
#include "ui/panels.h"

namespace skin_test {
namespace {

class FramedPopupMenuTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        LoadAndShow();
        panel_ = ui::Make<ui::TPanel>(form_);
        panel_->SetParent(form_);
        panel_->SetAlign(ui::TAlign::alClient);
        menu_ = ui::Make<skin::TbsSkinPopupMenu>(form_);
        for (const char* caption :
             {"导出为（64X64）ICO图标", "导出为（32X32）ICO图标", "导出为（16X16）ICO图标"}) {
            auto* item = ui::Make<ui::TMenuItem>(form_);
            item->SetCaption(caption);
            item->OnClick = [this, caption](ui::TComponent*) {
                clicked_.push_back(caption);
                openWhenClicked_ = Engine().Visible();
            };
            menu_->Items().Add(item);
        }
        menu_->OnMenuClose = [this](ui::TComponent*) { ++closed_; };
        panel_->SetPopupMenu(menu_);
        Pump();
    }
    skin::TbsSkinMenu& Engine() { return frame_->SkinMenu(); }
    void RightClick(graphics::TPoint p) {
        host_->Click(p.x, p.y, platform::kHostRightButton);
        Pump();
    }

    ui::TPanel* panel_ = nullptr;
    skin::TbsSkinPopupMenu* menu_ = nullptr;
    std::vector<std::string> clicked_;
    bool openWhenClicked_ = true;
    int closed_ = 0;
};

TEST_F(FramedPopupMenuTest, ARightClickShowsTheSkinnedMenuAndKeysChooseAnItem) {
    const graphics::TPoint p = panel_->ClientToScreen({60, 80});
    RightClick(p);
    ASSERT_TRUE(Engine().Visible());
    skin::TbsSkinPopupWindow* popup = Engine().PopupAt(0);
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->Look().Skinned());
    EXPECT_EQ(popup->BoundsRect(), graphics::Bounds(p.x, p.y, popup->BoundsRect().Width(), 70));
    // Keys reach the menu through the form, which keeps the focus.
    host_->PressKey(platform::VK_DOWN);
    Pump();
    EXPECT_EQ(popup->ActiveItem(), 1);
    host_->PressKey(platform::VK_RETURN);
    Pump();
    EXPECT_EQ(clicked_, std::vector<std::string>{"导出为（32X32）ICO图标"});
    EXPECT_FALSE(openWhenClicked_);
    EXPECT_EQ(closed_, 1);
    EXPECT_FALSE(frame_->SkinMenuVisible());
}

TEST_F(FramedPopupMenuTest, AClickOnTheFormOutsideThePopupClosesItWithoutRunningAnItem) {
    // On a control of the form, and on the frame's caption.
    const graphics::TPoint outside[] = {panel_->ClientToScreen({300, 300}), Screen(200, 12)};
    for (const graphics::TPoint& p : outside) {
        RightClick(panel_->ClientToScreen({60, 80}));
        ASSERT_TRUE(Engine().Visible());
        host_->Click(p.x, p.y);
        Pump();
        EXPECT_FALSE(Engine().Visible()) << p.x << "," << p.y;
        EXPECT_EQ(host_->VisibleWindows().size(), 1u);
    }
    EXPECT_TRUE(clicked_.empty());
    EXPECT_EQ(closed_, 2);
    // Escape afterwards is the form's again.
    host_->PressKey(platform::VK_ESCAPE);
    Pump();
    EXPECT_EQ(closed_, 2);
}

TEST_F(FramedPopupMenuTest, ClickingAnItemRunsItWithThePopupGone) {
    RightClick(panel_->ClientToScreen({60, 80}));
    skin::TbsSkinPopupWindow* popup = Engine().PopupAt(0);
    ASSERT_NE(popup, nullptr);
    const graphics::TRect row = popup->ItemScreenRect(2);
    host_->Click((row.left + row.right) / 2, (row.top + row.bottom) / 2);
    Pump();
    EXPECT_EQ(clicked_, std::vector<std::string>{"导出为（16X16）ICO图标"});
    EXPECT_FALSE(openWhenClicked_);
    EXPECT_EQ(host_->VisibleWindows().size(), 1u);
}

TEST_F(FramedPopupMenuTest, EscapeClosesTheMenu) {
    RightClick(panel_->ClientToScreen({60, 80}));
    ASSERT_TRUE(Engine().Visible());
    host_->PressKey(platform::VK_ESCAPE);
    Pump();
    EXPECT_FALSE(Engine().Visible());
    EXPECT_FALSE(frame_->SkinMenuVisible());
    EXPECT_TRUE(clicked_.empty());
    EXPECT_EQ(closed_, 1);
}

// While a skinned menu is open no key reaches the control that has the focus behind it
// (a plain control hears key-downs and characters; the releases matter to the skinned
// button, whose tests cover them).
TEST_F(FramedPopupMenuTest, KeysThatTheMenuDoesNotUseStayWithTheOpenMenu) {
    auto* button = ui::Make<ui::TButton>(form_);
    button->SetParent(panel_);
    button->SetBounds(10, 10, 80, 24);
    std::vector<std::string> reached;
    button->OnKeyDown = [&](ui::TComponent*, uint16_t& key, ui::TShiftState) {
        reached.push_back("down " + std::to_string(key));
    };
    button->OnKeyPress = [&](ui::TComponent*, char32_t& key) {
        reached.push_back("char " + std::to_string(uint32_t(key)));
    };
    button->SetFocus();
    ASSERT_TRUE(button->Focused());
    auto pressTheOtherKeys = [&] {
        for (int key : {platform::VK_SPACE, platform::VK_TAB, int('Q'), platform::VK_F1})
            host_->PressKey(unsigned(key));
        host_->Type("q ");
        Pump();
    };

    // The export menu on the panel.
    RightClick(panel_->ClientToScreen({200, 120}));
    ASSERT_TRUE(Engine().Visible());
    skin::TbsSkinPopupWindow* popup = Engine().PopupAt(0);
    ASSERT_NE(popup, nullptr);
    const int active = popup->ActiveItem();
    pressTheOtherKeys();
    EXPECT_TRUE(reached.empty()) << reached.front();
    EXPECT_TRUE(Engine().Visible());
    EXPECT_EQ(Engine().PopupAt(0), popup);
    EXPECT_EQ(popup->ActiveItem(), active);
    EXPECT_TRUE(clicked_.empty());
    EXPECT_TRUE(button->Focused());
    host_->PressKey(platform::VK_ESCAPE);
    Pump();
    ASSERT_FALSE(Engine().Visible());

    // The system menu on the caption.
    const graphics::TPoint caption{form_->Left() + 100, form_->Top() + 12};
    host_->Click(caption.x, caption.y, platform::kHostRightButton);
    Pump();
    ASSERT_TRUE(frame_->SkinMenuVisible());
    pressTheOtherKeys();
    EXPECT_TRUE(reached.empty()) << reached.front();
    EXPECT_TRUE(frame_->SkinMenuVisible());
    EXPECT_TRUE(button->Focused());
    host_->PressKey(platform::VK_ESCAPE);
    Pump();
    ASSERT_FALSE(frame_->SkinMenuVisible());

    // With the menus closed, the keys are the focused control's again.
    host_->PressKey(platform::VK_SPACE);
    Pump();
    EXPECT_EQ(reached, std::vector<std::string>{"down 32"});
}

}  // namespace
}  // namespace skin_test
