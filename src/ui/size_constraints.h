#pragma once
// The limits a control's size is kept within: a minimum and a maximum width and height, 0 for
// no limit. Every bounds change of the control passes through them, and changing a limit
// re-applies the control's bounds at once.
#include <functional>

namespace ui {

class TSizeConstraints {
  public:
    TSizeConstraints() = default;
    // A copy of the limits alone is Assign; the change handler belongs to one control.
    TSizeConstraints(const TSizeConstraints&) = delete;
    TSizeConstraints& operator=(const TSizeConstraints&) = delete;

    int MinWidth() const { return minWidth_; }
    int MinHeight() const { return minHeight_; }
    int MaxWidth() const { return maxWidth_; }
    int MaxHeight() const { return maxHeight_; }
    // A negative limit counts as none. A minimum above the maximum raises the maximum, a
    // maximum below the minimum lowers the minimum, so the limits never contradict each other.
    void SetMinWidth(int value);
    void SetMinHeight(int value);
    void SetMaxWidth(int value);
    void SetMaxHeight(int value);

    // Takes the other's four limits, with one change notice.
    void Assign(const TSizeConstraints& other);
    // Removes every limit.
    void Clear();
    bool IsEmpty() const;

    // Brings a size within the limits.
    void Apply(int& width, int& height) const;

    // Fired after a limit changed.
    std::function<void()> OnChange;

  private:
    void Set(int& limit, int value);
    void Changed();

    int minWidth_ = 0;
    int minHeight_ = 0;
    int maxWidth_ = 0;
    int maxHeight_ = 0;
};

}  // namespace ui
