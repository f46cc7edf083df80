#pragma once
// Components: objects with an owner that frees them, a name unique among the owner's
// components, and notification when a component they refer to goes away.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/exceptions.h"
#include "core/persistent.h"

namespace ui {

class TComponent;

class EComponentError : public core::Exception {
  public:
    using Exception::Exception;
    const char* ClassName() const override { return "EComponentError"; }
};

enum class TOperation { opInsert, opRemove };

enum TComponentStateFlag : uint8_t { csLoading = 1, csDestroying = 2, csDesigning = 4 };

using TNotifyEvent = std::function<void(TComponent* sender)>;

class TComponent : public core::TPersistent {
  public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    const char* ClassName() const override { return "TComponent"; }

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    // Raises EComponentError when the owner already has a component of that name (names are
    // compared without regard to case).
    void SetName(const std::string& name);

    int ComponentCount() const { return int(components_.size()); }
    TComponent* Components(int index) const { return components_.at(size_t(index)); }
    TComponent* FindComponent(const std::string& name) const;

    // Asks to be told (Notification with opRemove) when `component` is destroyed.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    uint8_t ComponentState() const { return state_; }
    bool Destroying() const { return (state_ & csDestroying) != 0; }

    // Runs once construction is complete (forms fire their create event here).
    virtual void AfterConstruction() {}

  protected:
    // Called on the owner and on every free-notification subscriber when a component is
    // inserted or removed; the default passes the news on to the owned components.
    virtual void Notification(TComponent* component, TOperation operation);
    // Frees every owned component, the newest first.
    void DestroyComponents();
    void SetDestroying() { state_ |= csDestroying; }

  private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);

    TComponent* owner_ = nullptr;
    std::string name_;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    uint8_t state_ = 0;
};

// Creates a component that `owner` frees.
template <typename T, typename... Args>
T* Make(TComponent* owner, Args&&... args) {
    T* component = new T(owner, std::forward<Args>(args)...);
    component->AfterConstruction();
    return component;
}

}  // namespace ui
