#include "skin/skin_popup_menu.h"
#include "menu_fixture.h"

namespace skin_test {
namespace {

class SkinPopupMenuTest : public SkinMenuTest {
  protected:
    void SetUp() override {
        SkinMenuTest::SetUp();
        popupMenu_ = ui::Make<skin::TbsSkinPopupMenu>(form_);
        for (int i = 0; i < 3; ++i) {
            auto* item = ui::Make<ui::TMenuItem>(form_);
            item->SetCaption(kExportCaptions[i]);
            item->OnClick = [this, i](ui::TComponent*) {
                clicked_.push_back(kExportCaptions[i]);
                popupsWhenClicked_.push_back(menu_->PopupCount());
            };
            popupMenu_->Items().Add(item);
        }
        popupMenu_->OnPopup = [this](ui::TComponent*) { ++onPopup_; };
        popupMenu_->OnMenuClose = [this](ui::TComponent* sender) {
            EXPECT_EQ(sender, popupMenu_);
            ++onMenuClose_;
        };
    }
    skin::TbsSkinPopupMenu* popupMenu_ = nullptr;
    int onPopup_ = 0;
    int onMenuClose_ = 0;
};

TEST_F(SkinPopupMenuTest, WithoutAFrameNothingIsShown) {
    popupMenu_->Popup(300, 200);
    EXPECT_EQ(onPopup_, 1);
    EXPECT_EQ(popupMenu_->LastPopupPoint(), (graphics::TPoint{300, 200}));
    EXPECT_FALSE(menu_->Visible());
    EXPECT_EQ(host_->opens, 0);
    EXPECT_EQ(screen_->VisibleWindows().size(), 1u);
}

TEST_F(SkinPopupMenuTest, TheFramesEngineShowsTheItemsWithTheFramesSkin) {
    popupMenu_->SetSkinFrame(host_.get());
    popupMenu_->Popup(300, 200);
    EXPECT_EQ(host_->opens, 1);
    ASSERT_TRUE(menu_->Visible());
    EXPECT_TRUE(Popup().Look().Skinned());
    EXPECT_EQ(Popup().BoundsRect(), graphics::Bounds(300, 200, Popup().BoundsRect().Width(), 70));
    const graphics::TPoint p = RowCentre(2);
    screen_->Click(p.x, p.y);
    Pump();
    EXPECT_EQ(clicked_, std::vector<std::string>{kExportCaptions[2]});
    EXPECT_EQ(popupsWhenClicked_, std::vector<int>{0});
    EXPECT_EQ(onMenuClose_, 1);
    EXPECT_EQ(host_->closes, 1);
}

TEST_F(SkinPopupMenuTest, ItsOwnSkinDataWinsOverTheFrames) {
    skin::TbsSkinData plain(nullptr);
    popupMenu_->SetSkinData(&plain);
    popupMenu_->SetSkinFrame(host_.get());
    popupMenu_->Popup(300, 200);
    ASSERT_TRUE(menu_->Visible());
    EXPECT_FALSE(Popup().Look().Skinned());
    EXPECT_EQ(Popup().BoundsRect().Height(), 64);
    menu_->CloseAll();
    EXPECT_EQ(onMenuClose_, 1);
}

TEST_F(SkinPopupMenuTest, ASkinDataFreedBeforeTheMenuIsForgotten) {
    auto* own = ui::Make<skin::TbsSkinData>(form_);
    popupMenu_->SetSkinData(own);
    delete own;
    EXPECT_EQ(popupMenu_->SkinData(), nullptr);
    popupMenu_->SetSkinFrame(host_.get());
    popupMenu_->Popup(300, 200);
    EXPECT_TRUE(Popup().Look().Skinned());  // the frame's skin again
}

TEST_F(SkinPopupMenuTest, ARightClickOnItsControlOpensItAtThePointer) {
    popupMenu_->SetSkinFrame(host_.get());
    opener_->SetPopupMenu(popupMenu_);
    screen_->Click(250, 260, platform::kHostRightButton);
    Pump();
    ASSERT_TRUE(menu_->Visible());
    EXPECT_EQ(Popup().BoundsRect().left, 250);
    EXPECT_EQ(Popup().BoundsRect().top, 260);
    EXPECT_TRUE(clicked_.empty());  // the button came up before the popup was there
    // Opening it again closes the first one once.
    popupMenu_->Popup(400, 300);
    EXPECT_EQ(onMenuClose_, 1);
    EXPECT_EQ(host_->opens, 2);
    EXPECT_EQ(menu_->PopupCount(), 1);
    Key(platform::VK_RETURN);
    EXPECT_EQ(clicked_, std::vector<std::string>{kExportCaptions[0]});
    EXPECT_EQ(closeMessages_, 2);  // the panel asked for the menu: it hears each close
}

TEST_F(SkinPopupMenuTest, AMenuWithNothingVisibleDoesNotEnterTheMenuState) {
    popupMenu_->SetSkinFrame(host_.get());
    for (int i = 0; i < 3; ++i) popupMenu_->Items().Items(i)->SetVisible(false);
    popupMenu_->Popup(300, 200);
    EXPECT_EQ(onPopup_, 1);
    EXPECT_EQ(host_->opens, 0);
    EXPECT_FALSE(menu_->Visible());
}

TEST_F(SkinPopupMenuTest, TheOpenerIsTheControlThatAskedForTheMenu) {
    popupMenu_->SetSkinFrame(host_.get());
    popupMenu_->SetPopupComponent(opener_);
    popupMenu_->Popup(300, 200);
    Key(platform::VK_ESCAPE);
    EXPECT_EQ(closeMessages_, 1);
    EXPECT_EQ(onMenuClose_, 1);
    EXPECT_TRUE(clicked_.empty());
}

TEST_F(SkinPopupMenuTest, AMenuFreedWhileOpenIsNotCalledBack) {
    popupMenu_->SetSkinFrame(host_.get());
    popupMenu_->Popup(300, 200);
    ASSERT_TRUE(menu_->Visible());
    delete popupMenu_;
    popupMenu_ = nullptr;
    menu_->CloseAll();
    EXPECT_EQ(onMenuClose_, 0);
    EXPECT_EQ(host_->closes, 1);
}

}  // namespace
}  // namespace skin_test
