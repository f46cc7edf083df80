#pragma once
// The skinned combo box in fixed-list style: a box painted from the skin object "combobox" (a
// hot image, a drop-down button with hot, pressed and disabled images, a text area with its
// own images) and a drop-down list that opens below the box (above it near the bottom of the
// work area), follows the pointer and the keys, and accepts or restores the choice on close.
#include <functional>
#include <string>
#include <vector>

#include "skinctrls/skin_control.h"
#include "skinctrls/skin_font.h"
#include "skinctrls/skin_list_box.h"

namespace skinctrls {

enum class TbsSkinCustomComboBoxStyle : uint8_t { bscbEditStyle, bscbFixedStyle };

// The canvas, the item's index, a state flag (shown as selected: focused, or always without
// HideSelection) and the text area rect.
using TbsComboDrawItemEvent = std::function<void(ui::TComponent* sender, graphics::TCanvas& canvas,
                                                 int index, bool selected, TRect rect)>;

class TbsSkinCustomComboBox : public TbsSkinCustomControl {
  public:
    explicit TbsSkinCustomComboBox(ui::TComponent* owner);
    ~TbsSkinCustomComboBox() override;
    const char* ClassName() const override { return "TbsSkinCustomComboBox"; }

    TbsSkinCustomComboBoxStyle Style() const { return style_; }
    void SetStyle(TbsSkinCustomComboBoxStyle value);
    // The items change through SetItems and AddItem, which keep them sorted when Sorted is on.
    const std::vector<std::string>& Items() const { return listBox_->Items(); }
    void SetItems(std::vector<std::string> items);
    // Adds an item (in its sorted place when Sorted is on) and returns its index.
    int AddItem(const std::string& item);
    // Keeps the items in alphabetical order, letter case aside; the selected item stays
    // selected where sorting moves it.
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    // Whether the selection look of the text area (the skin's focused item image and colour,
    // or the highlight colours of the plain look) goes while the box has no focus.
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value) {
        hideSelection_ = value;
        Invalidate();
    }
    int ItemIndex() const { return itemIndex_; }
    // Selects an item: the text becomes the item's, then OnClick and the change hook.
    void SetItemIndex(int value);
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int value) { dropDownCount_ = value < 1 ? 1 : value; }
    int ListBoxWidth() const { return listBoxWidth_; }
    void SetListBoxWidth(int value) { listBoxWidth_ = value < 0 ? 0 : value; }
    bool UseSkinSize() const { return useSkinSize_; }
    void SetUseSkinSize(bool value);
    bool ToolButtonStyle() const { return toolButtonStyle_; }
    void SetToolButtonStyle(bool value) { toolButtonStyle_ = value; }
    graphics::TColor DefaultColor() const { return defaultColor_; }
    void SetDefaultColor(graphics::TColor value) { defaultColor_ = value; }
    bool ListBoxUseSkinFont() const { return listBox_->UseSkinFont(); }
    void SetListBoxUseSkinFont(bool value) { listBox_->SetUseSkinFont(value); }
    bool ListBoxUseSkinItemHeight() const { return listBox_->UseSkinItemHeight(); }
    void SetListBoxUseSkinItemHeight(bool value) { listBox_->SetUseSkinItemHeight(value); }
    int ListBoxDefaultItemHeight() const { return listBox_->DefaultItemHeight(); }
    void SetListBoxDefaultItemHeight(int value) { listBox_->SetDefaultItemHeight(value); }
    graphics::TFont& ListBoxDefaultFont() { return listBox_->DefaultFont(); }
    // Translucency of the drop-down list (255 = opaque), faded in with the animation.
    bool AlphaBlend() const { return listBox_->AlphaBlend(); }
    void SetAlphaBlend(bool value) { listBox_->SetAlphaBlend(value); }
    std::uint8_t AlphaBlendValue() const { return listBox_->AlphaBlendValue(); }
    void SetAlphaBlendValue(std::uint8_t value) { listBox_->SetAlphaBlendValue(value); }
    bool AlphaBlendAnimation() const { return listBox_->AlphaBlendAnimation(); }
    void SetAlphaBlendAnimation(bool value) { listBox_->SetAlphaBlendAnimation(value); }

    // The drop-down list (a hidden popup until it opens).
    TbsSkinPopupListBox& ListBox() { return *listBox_; }
    bool ListOpen() const { return listOpen_; }
    bool ButtonPressed() const { return buttonPressed_; }
    bool MouseInButton() const { return mouseInButton_; }
    // The button and the text area at the control's present size.
    TRect ButtonRect() const;
    TRect TextAreaRect() const;

    void DropDown();
    // Closes the open list; `accept` takes the list's selection.
    void CloseUp(bool accept);

    void BindSkinObject() override;

    ui::TNotifyEvent OnChange;
    ui::TNotifyEvent OnCloseUp;
    ui::TNotifyEvent OnDropDown;
    TbsDrawItemEvent OnListBoxDrawItem;
    TbsComboDrawItemEvent OnComboBoxDrawItem;

  protected:
    // Runs after OnClick each time an item is selected.
    virtual void Change() {}
    void TextChanged() override;
    void RenderDefaultImage(graphics::TBitmap& bitmap) override;
    void RenderSkinImage(graphics::TBitmap& bitmap) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void MouseMove(ui::TShiftState shift, int x, int y) override;
    void MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, ui::TShiftState shift) override;
    void WndProc(ui::TMessage& message) override;
    void EnabledChanged() override;

  private:
    bool Hot() const { return MouseOver() || const_cast<TbsSkinCustomComboBox*>(this)->Focused(); }
    // The text area shows the current item as selected.
    bool SelectionShown() const {
        return !hideSelection_ || const_cast<TbsSkinCustomComboBox*>(this)->Focused();
    }
    void SortItems();
    bool OpensAt(int x, int y) const;
    void MoveSelection(int target);
    void DrawTextArea(graphics::TCanvas& canvas, const TRect& area,
                      const graphics::TBitmap* picture);
    void DrawItemText(graphics::TCanvas& canvas, const TRect& rect, bool selected);
    // Mouse input while the list is open (the box holds the capture); true when handled.
    bool ListMouse(ui::TMessage& message);
    // The screen rect the list opens at.
    TRect ListBounds(int rows);

    TbsSkinPopupListBox* listBox_;
    TbsSkinCustomComboBoxStyle style_ = TbsSkinCustomComboBoxStyle::bscbFixedStyle;
    int itemIndex_ = -1;
    int savedIndex_ = -1;
    int dropDownCount_ = 8;
    int listBoxWidth_ = 0;
    bool useSkinSize_ = true;
    bool toolButtonStyle_ = false;
    bool sorted_ = false;
    bool hideSelection_ = true;
    graphics::TColor defaultColor_ = graphics::clWindow;
    bool listOpen_ = false;
    bool buttonPressed_ = false;
    bool mouseInButton_ = false;
    // The press that opened the list: its release does not close it.
    bool openingPress_ = false;

    // Copied from the skin object.
    TRect activeSkinRect_, itemRect_, activeItemRect_, focusItemRect_, itemTextRect_;
    int itemLeftOffset_ = 0, itemRightOffset_ = 0;
    TbsSkinFont font_;
    graphics::TColor focusFontColor_ = 0, activeFontColor_ = 0;
    std::string listBoxName_;
    TRect buttonRect_, activeButtonRect_, downButtonRect_, unEnabledButtonRect_;
    bool itemStretchEffect_ = false, focusItemStretchEffect_ = false;
    bool showFocus_ = false;
};

class TbsSkinComboBox : public TbsSkinCustomComboBox {
  public:
    using TbsSkinCustomComboBox::TbsSkinCustomComboBox;
    const char* ClassName() const override { return "TbsSkinComboBox"; }
};

}  // namespace skinctrls
