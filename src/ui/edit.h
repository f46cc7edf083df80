#pragma once
// A single-line text edit over the platform's edit window class, and a plain drop-down box
// that offers a list of texts.
#include <string>
#include <vector>

#include "ui/win_control.h"

namespace ui {

// The case an edit keeps its letters in, typed and set alike.
enum class TEditCharCase : uint8_t { ecNormal, ecUpperCase, ecLowerCase };

class TEdit : public TWinControl {
  public:
    explicit TEdit(TComponent* owner);
    const char* ClassName() const override { return "TEdit"; }
    // The current text (what the user typed).
    std::string Text();
    void SetText(const std::string& value) override;
    TNotifyEvent OnChange;

    void WndProc(TMessage& message) override;

  protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
};

class TComboBox : public TCustomControl {
  public:
    explicit TComboBox(TComponent* owner);
    const char* ClassName() const override { return "TComboBox"; }

    std::vector<std::string>& Items() { return items_; }
    void SetItems(std::vector<std::string> items);
    int ItemIndex() const { return itemIndex_; }
    // Selects an item (−1 for none) and fires OnChange when the selection changed.
    void SetItemIndex(int index);
    std::string Text() const;
    TNotifyEvent OnChange;

    // Opens the list below the box and takes the chosen item.
    void DropDown();

  protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;

  private:
    std::vector<std::string> items_;
    int itemIndex_ = -1;
};

}  // namespace ui
