// How the frame follows its skin: the messages of a load, the skinned controls of its form,
// switching the skinned look off, and the menu host lookup.
#include <gtest/gtest.h>

#include <algorithm>

#include "frame_fixture.h"
#include "platform/thread/sync.h"
#include "platform/user/user.h"
#include "ui/panels.h"

using namespace skin;

namespace skin_test {
namespace {

// A control that paints from a skin: it records the calls around a skin change.
class FakeSkinnedControl : public ui::TGraphicControl, public TbsSkinnableControl {
  public:
    FakeSkinnedControl(ui::TComponent* owner, TbsSkinData* data)
        : ui::TGraphicControl(owner), data_(data) {}
    TbsSkinData* SkinData() const override { return data_; }
    void ResetSkinBinding() override {
        ++resets;
        boundEmpty = data_ != nullptr && data_->Empty();
    }
    void ApplySkinChange() override {
        ++applies;
        appliedWithSkin = data_ != nullptr && !data_->Empty();
    }
    int resets = 0, applies = 0;
    bool boundEmpty = false, appliedWithSkin = false;

  private:
    TbsSkinData* data_;
};

class FrameSkinChangeTest : public FrameTest {};

TEST_F(FrameSkinChangeTest, SkinChangeReachesTheSkinnedControlsOfTheForm) {
    auto* panel = ui::Make<ui::TPanel>(form_);
    panel->SetParent(form_);
    auto* direct = ui::Make<FakeSkinnedControl>(form_, skinData_);
    direct->SetParent(form_);
    auto* nested = ui::Make<FakeSkinnedControl>(form_, skinData_);
    nested->SetParent(panel);
    TbsSkinData other(nullptr);
    auto* foreign = ui::Make<FakeSkinnedControl>(form_, &other);
    foreign->SetParent(panel);

    std::vector<std::string> events;
    frame_->OnBeforeChangeSkinData = [&](ui::TComponent*) { events.push_back("before"); };
    frame_->OnChangeSkinData = [&](ui::TComponent*) { events.push_back("change"); };
    frame_->OnAfterChangeSkinData = [&](ui::TComponent*) { events.push_back("after"); };
    LoadAndShow();

    EXPECT_EQ(events, (std::vector<std::string>{"before", "change", "after"}));
    for (FakeSkinnedControl* control : {direct, nested}) {
        EXPECT_EQ(control->resets, 1);
        EXPECT_EQ(control->applies, 1);
        EXPECT_TRUE(control->appliedWithSkin);
    }
    EXPECT_EQ(foreign->resets, 0);
    EXPECT_EQ(foreign->applies, 0);

    // A message naming no skin data reaches every skinnable control.
    platform::SendMessage(Window(), WM_CHANGESKINDATA, 0, kSkinMessageParam2);
    EXPECT_EQ(foreign->applies, 1);
    EXPECT_EQ(direct->applies, 2);
}

TEST_F(FrameSkinChangeTest, TheFramesFormHearsItsOwnSkinDataFirst) {
    // A second skinned form sharing the skin data.
    auto* second = ui::Make<ui::TForm>(nullptr);
    auto* secondFrame = ui::Make<TbsSkinFrame>(second);
    secondFrame->SetSkinData(skinData_);
    std::vector<std::string> order;
    secondFrame->OnChangeSkinData = [&](ui::TComponent*) { order.push_back("second"); };
    frame_->OnChangeSkinData = [&](ui::TComponent*) { order.push_back("owner"); };
    // The second form registered later, but the skin data lives on the first.
    TbsSkinFormList::Screen().Remove(frame_);
    TbsSkinFormList::Screen().Add(frame_);
    skinData_->SetCompressedStoredSkin(stored_);
    EXPECT_EQ(order, (std::vector<std::string>{"owner", "second"}));
    EXPECT_TRUE(secondFrame->SkinActive());
    delete second;
    EXPECT_EQ(std::count(TbsSkinFormList::Screen().Forms().begin(),
                         TbsSkinFormList::Screen().Forms().end(),
                         static_cast<TbsSkinMessageReceiver*>(secondFrame)),
              0);
}

TEST_F(FrameSkinChangeTest, SkinnableFormSwitchesTheSkinnedFrameOff) {
    LoadAndShow();
    ASSERT_TRUE(frame_->SkinActive());
    skinData_->SetSkinnableForm(false);
    EXPECT_FALSE(frame_->SkinActive());
    EXPECT_TRUE(frame_->Objects().empty());
    EXPECT_EQ(frame_->WindowRegion(), nullptr);
    EXPECT_EQ(frame_->Insets().Left, 3);
    EXPECT_EQ(form_->ClientWidth(), 468);  // the client keeps its size
    skinData_->SetSkinnableForm(true);
    EXPECT_TRUE(frame_->SkinActive());
    EXPECT_EQ(form_->Width(), 476);
    EXPECT_EQ(form_->Height(), 513);
}

TEST_F(FrameSkinChangeTest, FreeingTheSkinDataLeavesThePlainFrame) {
    LoadAndShow();
    delete skinData_;
    skinData_ = nullptr;
    EXPECT_EQ(frame_->SkinData(), nullptr);
    EXPECT_FALSE(frame_->SkinActive());
    EXPECT_EQ(HitAt(100, 10), platform::HTCAPTION);  // the plain caption
}

TEST_F(FrameSkinChangeTest, ClientSizeIsAppliedAfterASkinChange) {
    frame_->SetClientWidth(300);
    frame_->SetClientHeight(200);
    skinData_->SetCompressedStoredSkin(stored_);
    EXPECT_EQ(form_->ClientWidth(), 300);
    EXPECT_EQ(form_->ClientHeight(), 200);
}

TEST_F(FrameSkinChangeTest, HotButtonGoesColdWhenTheCursorLeaves) {
    LoadAndShow();
    host_->MouseMove(Screen(460, 15).x, Screen(460, 15).y);
    Pump();
    TbsActiveSkinObject* close = frame_->FindObject("closebutton");
    EXPECT_TRUE(close->Active);
    host_->MouseMove(Screen(200, 300).x, Screen(200, 300).y);
    for (int i = 0; i < 20 && close->Active; ++i) {
        platform::Sleep(10);
        Pump();
    }
    EXPECT_FALSE(close->Active);
}

TEST_F(FrameSkinChangeTest, MenuHostIsFoundFromTheFormsComponents) {
    auto* popup = ui::Make<ui::TPopupMenu>(form_);
    auto* item = ui::Make<ui::TMenuItem>(popup);
    auto* panel = ui::Make<ui::TPanel>(form_);
    panel->SetParent(form_);
    EXPECT_EQ(TbsSkinMenuHost::Find(popup), frame_);
    EXPECT_EQ(TbsSkinMenuHost::Find(item), frame_);
    EXPECT_EQ(TbsSkinMenuHost::Find(panel), frame_);
    EXPECT_EQ(TbsSkinMenuHost::Find(form_), frame_);
    auto* bare = ui::Make<ui::TForm>(nullptr);
    auto* lone = ui::Make<ui::TPopupMenu>(bare);
    EXPECT_EQ(TbsSkinMenuHost::Find(lone), nullptr);
    EXPECT_EQ(TbsSkinMenuHost::Find(nullptr), nullptr);
    delete bare;
    EXPECT_EQ(frame_->MenuSkinData(), skinData_);
}

TEST_F(FrameSkinChangeTest, OnlyAFormCanOwnTheFrame) {
    auto* panel = ui::Make<ui::TPanel>(form_);
    EXPECT_THROW(ui::Make<TbsSkinFrame>(panel), core::EInvalidOperation);
}

}  // namespace
}  // namespace skin_test
