#pragma once
// Actions: one command with a caption, an enabled and a visible state, a hint and an image,
// shown and run by every control linked to it. A link takes all of the action's properties
// when it is made and each later change of one of them.
#include <string>
#include <vector>

#include "ui/component.h"

namespace ui {

class TActionLink;

class TAction : public TComponent {
  public:
    explicit TAction(TComponent* owner);
    ~TAction() override;
    const char* ClassName() const override { return "TAction"; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);

    TNotifyEvent OnExecute;
    // Runs OnExecute with the action as sender; false when the action is disabled or has no
    // handler.
    bool Execute();

  private:
    friend class TActionLink;
    template <typename F>
    void ForEachLink(F apply);

    std::string caption_;
    bool enabled_ = true;
    bool visible_ = true;
    std::string hint_;
    int imageIndex_ = -1;
    std::vector<TActionLink*> links_;
};

// The tie between an action and one client. A client derives from it and passes each
// property on to the matching one of its own; a property the client lacks is left alone.
class TActionLink {
  public:
    explicit TActionLink(TAction* action);
    virtual ~TActionLink();
    TActionLink(const TActionLink&) = delete;
    TActionLink& operator=(const TActionLink&) = delete;

    // The linked action; null once it has been destroyed.
    TAction* Action() const { return action_; }
    // Passes every property of the action to the client, as a new link does.
    void Refresh();
    // Runs the action; false without one or when it did not run.
    bool Execute() { return action_ != nullptr && action_->Execute(); }

    virtual void SetCaption(const std::string&) {}
    virtual void SetEnabled(bool) {}
    virtual void SetVisible(bool) {}
    virtual void SetHint(const std::string&) {}
    virtual void SetImageIndex(int) {}

  private:
    friend class TAction;
    TAction* action_;
};

}  // namespace ui
