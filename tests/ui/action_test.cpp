#include "ui/action.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace ui {
namespace {

// A client that writes down what its link is told.
class RecordingLink : public TActionLink {
  public:
    using TActionLink::TActionLink;
    void SetCaption(const std::string& value) override { told.push_back("caption " + value); }
    void SetEnabled(bool value) override { told.push_back(value ? "enabled" : "disabled"); }
    void SetVisible(bool value) override { told.push_back(value ? "shown" : "hidden"); }
    void SetHint(const std::string& value) override { told.push_back("hint " + value); }
    void SetImageIndex(int value) override { told.push_back("image " + std::to_string(value)); }
    std::vector<std::string> told;
};

TEST(Action, ALinkTakesEveryPropertyAndEachLaterChange) {
    TAction action(nullptr);
    action.SetCaption("Open");
    action.SetHint("Opens a picture");
    action.SetImageIndex(2);
    RecordingLink link(&action);
    link.Refresh();
    EXPECT_EQ(link.told, (std::vector<std::string>{"caption Open", "enabled", "shown",
                                                   "hint Opens a picture", "image 2"}));
    link.told.clear();
    action.SetEnabled(false);
    action.SetVisible(false);
    action.SetCaption("Close");
    EXPECT_EQ(link.told, (std::vector<std::string>{"disabled", "hidden", "caption Close"}));
}

TEST(Action, ExecutesOnlyWhenEnabledAndHandled) {
    TAction action(nullptr);
    EXPECT_FALSE(action.Execute());
    TComponent* sender = nullptr;
    action.OnExecute = [&](TComponent* s) { sender = s; };
    EXPECT_TRUE(action.Execute());
    EXPECT_EQ(sender, &action);
    sender = nullptr;
    action.SetEnabled(false);
    EXPECT_FALSE(action.Execute());
    EXPECT_EQ(sender, nullptr);
}

TEST(Action, LinksAndActionsOutliveEachOtherSafely) {
    auto action = std::make_unique<TAction>(nullptr);
    auto gone = std::make_unique<RecordingLink>(action.get());
    RecordingLink stays(action.get());
    gone.reset();
    action->SetHint("still told");  // only the link that is left hears of it
    EXPECT_EQ(stays.told, std::vector<std::string>{"hint still told"});
    action.reset();
    EXPECT_EQ(stays.Action(), nullptr);
    EXPECT_FALSE(stays.Execute());
}

}  // namespace
}  // namespace ui
