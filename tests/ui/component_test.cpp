#include <gtest/gtest.h>

#include "ui/component.h"
#include "ui/control.h"
#include "ui/menus.h"

namespace ui {
namespace {

// Counts its own destruction and the removals it is told about.
class Probe : public TComponent {
  public:
    Probe(TComponent* owner, int* destroyed) : TComponent(owner), destroyed_(destroyed) {}
    ~Probe() override { ++*destroyed_; }
    std::vector<TComponent*> removed;

  protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == TOperation::opRemove) removed.push_back(component);
    }

  private:
    int* destroyed_;
};

TEST(ComponentTest, OwnerFreesItsComponentsAndFindsThemByNameInAnyCase) {
    int destroyed = 0;
    {
        TComponent owner(nullptr);
        auto* a = Make<Probe>(&owner, &destroyed);
        a->SetName("btn1");
        auto* b = Make<Probe>(a, &destroyed);  // owned one level down
        b->SetName("inner");
        EXPECT_EQ(owner.ComponentCount(), 1);
        EXPECT_EQ(owner.FindComponent("BTN1"), a);
        EXPECT_EQ(owner.FindComponent("inner"), nullptr);
        EXPECT_EQ(a->FindComponent("Inner"), b);
        EXPECT_EQ(b->Owner(), a);
    }
    EXPECT_EQ(destroyed, 2);
}

TEST(ComponentTest, NamesMustBeValidAndUniqueAmongTheOwnersComponents) {
    TComponent owner(nullptr);
    auto* a = Make<TComponent>(&owner);
    auto* b = Make<TComponent>(&owner);
    a->SetName("img1");
    EXPECT_THROW(b->SetName("IMG1"), EComponentError);
    EXPECT_THROW(b->SetName("1img"), EComponentError);
    EXPECT_THROW(b->SetName("img 2"), EComponentError);
    b->SetName("img2");
    EXPECT_EQ(b->Name(), "img2");
    a->SetName("img1");  // renaming to its own name is fine
}

TEST(ComponentTest, FreeNotificationTellsSubscribersAndAControlForgetsItsPopupMenu) {
    int destroyed = 0;
    TComponent owner(nullptr);
    auto* watcher = Make<Probe>(nullptr, &destroyed);
    auto* menu = Make<TPopupMenu>(&owner);
    auto* control = Make<TControl>(&owner);
    control->SetPopupMenu(menu);
    watcher->FreeNotification(menu);
    EXPECT_EQ(control->PopupMenu(), menu);
    delete menu;
    EXPECT_EQ(control->PopupMenu(), nullptr);
    ASSERT_EQ(watcher->removed.size(), 1u);
    EXPECT_EQ(watcher->removed[0], menu);
    delete watcher;
    EXPECT_EQ(destroyed, 1);
}

TEST(ComponentTest, RemovedSubscriberIsNoLongerToldAndMenuItemsLeaveTheirParent) {
    int destroyed = 0;
    auto* watcher = Make<Probe>(nullptr, &destroyed);
    TComponent owner(nullptr);
    auto* other = Make<TComponent>(&owner);
    watcher->FreeNotification(other);
    watcher->RemoveFreeNotification(other);
    delete other;
    EXPECT_TRUE(watcher->removed.empty());
    delete watcher;

    TPopupMenu menu(nullptr);
    auto* item = Make<TMenuItem>(&owner);
    menu.Items().Add(item);
    EXPECT_EQ(menu.Items().Count(), 1);
    delete item;
    EXPECT_EQ(menu.Items().Count(), 0);
}

}  // namespace
}  // namespace ui
