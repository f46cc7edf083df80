#include "ui/form.h"
#include "ui/buttons.h"
#include "ui/edit.h"
#include "ui/panels.h"
#include "ui/ui_fixture.h"

namespace ui {
namespace {

using testing::UiTest;

class FormTest : public UiTest {};

// A form whose create event records what it found already built.
class BuiltForm : public TForm {
  public:
    explicit BuiltForm(TComponent* owner) : TForm(owner) {
        OnCreate = [this](TComponent*) { controlsAtCreate = ControlCount(); };
        auto* button = Make<TButton>(this);
        button->SetParent(this);
    }
    int controlsAtCreate = -1;
};

TEST_F(FormTest, CreateEventRunsAfterTheWholeFormIsBuilt) {
    auto* form = Application().CreateForm<BuiltForm>();
    EXPECT_EQ(form->controlsAtCreate, 1);
}

TEST_F(FormTest, TabAndShiftTabMoveTheFocusInTabOrderRoundTheForm) {
    auto* form = Application().CreateForm<TForm>();
    form->SetBounds(10, 10, 300, 200);
    form->Show();
    auto add = [&](TWinControl* parent, int top) {
        auto* edit = Make<TEdit>(form);
        edit->SetParent(parent);
        edit->SetBounds(10, top, 100, 21);
        return edit;
    };
    TEdit* first = add(form, 10);
    auto* panel = Make<TPanel>(form);
    panel->SetParent(form);
    panel->SetBounds(120, 10, 150, 100);
    TEdit* inPanel = add(panel, 10);
    add(form, 40)->SetEnabled(false);
    add(form, 70)->SetTabStop(false);
    TEdit* last = add(form, 100);
    last->SetTabOrder(0);
    last->SetFocus();
    Pump();
    host_->PressKey(platform::VK_TAB);
    Pump();
    EXPECT_TRUE(first->Focused());
    host_->PressKey(platform::VK_TAB);
    Pump();
    EXPECT_TRUE(inPanel->Focused());  // the panel's controls follow the panel
    host_->PressKey(platform::VK_TAB);
    Pump();
    EXPECT_TRUE(last->Focused());  // past the disabled edit and the one without a tab stop
    host_->KeyDown(platform::VK_SHIFT);
    host_->PressKey(platform::VK_TAB);
    host_->KeyUp(platform::VK_SHIFT);
    Pump();
    EXPECT_TRUE(inPanel->Focused());
}

TEST_F(FormTest, HidingOrMovingAControlRepaintsWhatItCovered) {
    auto* form = Application().CreateForm<TForm>();
    form->SetBounds(10, 10, 300, 200);
    form->Show();
    auto* panel = Make<TPanel>(form);
    panel->SetParent(form);
    panel->SetBounds(100, 100, 60, 20);
    panel->SetColor(graphics::clRed);
    Pump();
    const uint32_t background = PixelOf(*form, 250, 150);
    ASSERT_EQ(PixelOf(*form, 105, 105), 0xFF0000u);
    // The form has a caption and a border: what the panel left is found in client coordinates.
    panel->SetBounds(150, 100, 60, 20);
    Pump();
    EXPECT_EQ(PixelOf(*form, 105, 105), background);
    EXPECT_EQ(PixelOf(*form, 155, 105), 0xFF0000u);
    panel->Hide();
    Pump();
    EXPECT_EQ(PixelOf(*form, 155, 105), background);
    EXPECT_EQ(PixelOf(*form, 205, 115), background);
}

class DialogFormTest : public FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        main_ = Application().CreateForm<TForm>();
        main_->SetBounds(10, 10, 200, 150);
        main_->Show();
        dialog_ = Make<TForm>(nullptr);
        dialog_->SetBounds(300, 200, 10, 10);
        dialog_->SetClientSize(200, 100);
        edit_ = Make<TEdit>(dialog_);
        edit_->SetParent(dialog_);
        edit_->SetBounds(10, 10, 120, 21);
        ok_ = Make<TButton>(dialog_);
        ok_->SetParent(dialog_);
        ok_->SetBounds(10, 50, 70, 25);
        ok_->SetModalResult(mrOk);
        ok_->SetDefault(true);
        cancel_ = Make<TButton>(dialog_);
        cancel_->SetParent(dialog_);
        cancel_->SetBounds(100, 50, 70, 25);
        cancel_->SetModalResult(mrCancel);
        cancel_->SetCancel(true);
        dialog_->SetActiveControl(edit_);
        Pump();
    }
    void TearDown() override {
        delete dialog_;
        FormTest::TearDown();
    }
    TForm* main_ = nullptr;
    TForm* dialog_ = nullptr;
    TEdit* edit_ = nullptr;
    TButton* ok_ = nullptr;
    TButton* cancel_ = nullptr;
};

TEST_F(DialogFormTest, ShowModalEndsOnAButtonsModalResultAndDisablesTheOtherForms) {
    // The click waits in the queue until the modal loop runs.
    bool mainDisabled = false;
    ok_->OnClick = [&](TComponent*) { mainDisabled = !platform::IsWindowEnabled(main_->Handle()); };
    dialog_->HandleNeeded();
    TPoint p = ok_->ClientToScreen({5, 5});
    host_->Click(p.x, p.y);
    EXPECT_EQ(dialog_->ShowModal(), mrOk);
    EXPECT_TRUE(mainDisabled);
    EXPECT_TRUE(platform::IsWindowEnabled(main_->Handle()));
    EXPECT_FALSE(dialog_->Visible());
    EXPECT_FALSE(dialog_->Modal());
}

TEST_F(DialogFormTest, EscapePressesTheCancelButtonAndTypingReachesTheActiveEdit) {
    host_->Type("abc");
    host_->PressKey(platform::VK_ESCAPE);
    EXPECT_EQ(dialog_->ShowModal(), mrCancel);
    EXPECT_EQ(edit_->Text(), "abc");
    EXPECT_EQ(dialog_->ActiveControl(), edit_);

    // Enter presses the default button.
    host_->PressKey(platform::VK_RETURN);
    EXPECT_EQ(dialog_->ShowModal(), mrOk);
}

TEST_F(DialogFormTest, KeyPreviewLetsTheFormTakeKeysBeforeTheControl) {
    std::vector<std::string> order;
    edit_->OnKeyDown = [&](TComponent*, uint16_t& key, TShiftState) {
        if (key == 'Q') order.push_back("edit");
    };
    dialog_->OnKeyDown = [&](TComponent*, uint16_t& key, TShiftState) {
        if (key == 'Q') order.push_back("form");
        if (key == 'Z') key = 0;  // swallowed: the edit never sees it
    };
    edit_->OnKeyDown = [&, inner = edit_->OnKeyDown](TComponent* s, uint16_t& key, TShiftState sh) {
        if (key == 'Z') order.push_back("edit saw Z");
        inner(s, key, sh);
    };
    dialog_->SetKeyPreview(true);
    host_->PressKey('Q');
    host_->PressKey('Z');
    host_->PressKey(platform::VK_ESCAPE);
    dialog_->ShowModal();
    EXPECT_EQ(order, (std::vector<std::string>{"form", "edit"}));

    order.clear();
    dialog_->SetKeyPreview(false);
    host_->PressKey('Q');
    host_->PressKey(platform::VK_ESCAPE);
    dialog_->ShowModal();
    EXPECT_EQ(order, (std::vector<std::string>{"edit"}));
}

TEST_F(DialogFormTest, ClosingAModalFormCancelsItAndAVisibleFormCannotBeModal) {
    dialog_->HandleNeeded();
    platform::PostMessage(dialog_->Handle(), platform::WM_CLOSE, 0, 0);
    EXPECT_EQ(dialog_->ShowModal(), mrCancel);
    main_->Show();
    EXPECT_THROW(main_->ShowModal(), core::EInvalidOperation);
}

}  // namespace
}  // namespace ui
