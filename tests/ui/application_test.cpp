#include "core/exceptions.h"
#include "graphics/bitmap_canvas.h"
#include "ui/buttons.h"
#include "ui/form.h"
#include "ui/ui_fixture.h"

namespace ui {
namespace {

using testing::UiTest;

TEST(ErrorDisplayTextTest, AddsAFullStopOnlyAfterCharactersThatSortAfterIt) {
    EXPECT_EQ(ErrorDisplayText("Icon image is not valid"), "Icon image is not valid.");
    EXPECT_EQ(ErrorDisplayText("Unknown picture file extension (.png)"),
              "Unknown picture file extension (.png)");
    EXPECT_EQ(ErrorDisplayText("Done."), "Done.");
    EXPECT_EQ(ErrorDisplayText("trailing space "), "trailing space ");
    EXPECT_EQ(ErrorDisplayText("JPEG error #42"), "JPEG error #42.");
    EXPECT_EQ(ErrorDisplayText("文件无效"), "文件无效.");  // multi-byte characters sort after it
    EXPECT_EQ(ErrorDisplayText(""), "");
}

class ApplicationTest : public UiTest {
  protected:
    // A form with one button whose click runs `action`.
    TButton* FormWithButton(std::function<void()> action) {
        auto* form = Application().CreateForm<TForm>();
        form->SetBounds(50, 50, 10, 10);
        form->SetClientSize(200, 100);
        auto* button = Make<TButton>(form);
        button->SetParent(form);
        button->SetBounds(10, 10, 80, 25);
        button->OnClick = [action = std::move(action)](TComponent*) { action(); };
        form->Show();
        Pump();
        return button;
    }
};

TEST_F(ApplicationTest, AnExceptionFromACommandIsShownWithTheTitleAndTheLoopGoesOn) {
    Application().SetTitle("TembrinICO图标生成工具");
    int clicks = 0;
    TButton* button = FormWithButton([&] {
        ++clicks;
        throw core::EInvalidGraphic("Icon image is not valid");
    });
    Click(*button);
    Pump();
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "Icon image is not valid.");
    EXPECT_EQ(boxes_[0].caption, "TembrinICO图标生成工具");
    EXPECT_EQ(boxes_[0].flags, platform::MB_OK | platform::MB_ICONERROR);
    // Still running: the next click is handled too.
    Click(*button);
    Pump();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(boxes_.size(), 2u);
    EXPECT_FALSE(Application().Terminated());
}

class FormFailingToCreate : public TForm {
  public:
    explicit FormFailingToCreate(TComponent* owner) : TForm(owner) {
        OnCreate = [](TComponent*) { throw core::EInvalidGraphic("Cannot start the banner"); };
    }
};

TEST_F(ApplicationTest, AnExceptionFromTheCreateEventIsShownAndTheFormStillComesUp) {
    auto* form = Application().CreateForm<FormFailingToCreate>();
    EXPECT_EQ(Application().MainForm(), form);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "Cannot start the banner.");
    EXPECT_FALSE(Application().Terminated());
}

TEST_F(ApplicationTest, AbortIsSilentAndCaptureIsCancelledFirst) {
    TButton* button = FormWithButton([] { throw core::EAbort(); });
    Click(*button);
    Pump();
    EXPECT_TRUE(boxes_.empty());

    // A window holding the mouse is told to cancel its mode before the box shows.
    auto* form = Application().MainForm();
    bool cancelled = false;
    form->SetMessageHandler(platform::WM_CANCELMODE, [&](TMessage& m) {
        cancelled = true;
        form->DefaultHandler(m);
    });
    platform::SetCapture(form->Handle());
    Application().HandleException(std::make_exception_ptr(core::EInvalidGraphic("x")));
    EXPECT_TRUE(cancelled);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "x.");
}

TEST_F(ApplicationTest, TitleIsStoredThenBecomesTheApplicationWindowText) {
    Application().SetTitle("first");
    EXPECT_FALSE(Application().HandleAllocated());
    platform::HWND window = Application().Handle();
    char text[64] = {};
    platform::GetWindowText(window, text, sizeof text);
    EXPECT_STREQ(text, "first");
    Application().SetTitle("second");
    platform::GetWindowText(window, text, sizeof text);
    EXPECT_STREQ(text, "second");
    EXPECT_EQ(Application().Title(), "second");
}

TEST_F(ApplicationTest, FirstFormIsTheMainFormAndClosingItEndsRun) {
    auto* first = Application().CreateForm<TForm>();
    auto* second = Application().CreateForm<TForm>();
    EXPECT_EQ(Application().MainForm(), first);
    EXPECT_TRUE(first->HandleAllocated());
    EXPECT_FALSE(second->HandleAllocated());
    // The close request is queued; Run shows the main form and ends when it closes.
    platform::PostMessage(first->Handle(), platform::WM_CLOSE, 0, 0);
    Application().Run();
    EXPECT_TRUE(Application().Terminated());
    EXPECT_FALSE(Application().Running());
}

TEST_F(ApplicationTest, RunShowsTheMainFormAsTheStartUpShowCommandAsks) {
    struct Case {
        int command;
        bool zoomed;
        bool iconic;
    };
    for (Case c : {Case{platform::SW_SHOWNORMAL, false, false},
                   Case{platform::SW_SHOWMAXIMIZED, true, false},
                   Case{platform::SW_SHOWMINNOACTIVE, false, true}}) {
        Application().Reset();
        TApplication::SetStartupShowCommand(c.command);
        auto* form = Application().CreateForm<TForm>();
        bool zoomed = false, iconic = false, visible = false;
        // Looked at from inside the loop, before the queued close request ends it.
        form->SetMessageHandler(platform::WM_CLOSE, [&](TMessage& m) {
            zoomed = platform::IsZoomed(form->Handle());
            iconic = platform::IsIconic(form->Handle());
            visible = platform::IsWindowVisible(form->Handle());
            form->Close();
            m.Result = 0;
        });
        platform::PostMessage(form->Handle(), platform::WM_CLOSE, 0, 0);
        Application().Run();
        EXPECT_TRUE(visible) << c.command;
        EXPECT_EQ(zoomed, c.zoomed) << c.command;
        EXPECT_EQ(iconic, c.iconic) << c.command;
    }
    TApplication::SetStartupShowCommand(platform::SW_SHOWNORMAL);
}

TEST_F(ApplicationTest, InitializeRunsTheStartUpHooksOnceAndResetUndoesThem) {
    static int started = 0;
    static int ended = 0;
    started = ended = 0;
    TApplication::AddInitProc([] { ++started; }, [] { ++ended; });
    Application().Initialize();
    Application().Initialize();
    EXPECT_EQ(started, 1);
    Application().Reset();
    EXPECT_EQ(ended, 1);
}

TEST_F(ApplicationTest, BitmapCanvasContextsAreReleasedAfterEachMessage) {
    graphics::TBitmap bitmap;
    bitmap.SetWidth(4);
    bitmap.SetHeight(4);
    TButton* button = FormWithButton([&] { bitmap.Canvas().WritePixel(1, 1, graphics::clRed); });
    Click(*button);
    // Down, up: the click's drawing leaves a context that the loop hands back.
    Pump();
    EXPECT_EQ(graphics::MemoryContextCount(), 0);
    EXPECT_EQ(bitmap.Canvas().ReadPixel(1, 1) & 0xFFFFFF, uint32_t(graphics::clRed));
    graphics::FreeMemoryContexts();
}

TEST_F(ApplicationTest, MessageFilterSeesMessagesFirstAndCanSwallowThem) {
    int clicks = 0;
    TButton* button = FormWithButton([&] { ++clicks; });
    int seen = 0;
    Application().SetMessageFilter([&](platform::MSG& m) {
        if (m.message == platform::WM_LBUTTONDOWN || m.message == platform::WM_LBUTTONUP) {
            ++seen;
            return true;
        }
        return false;
    });
    Click(*button);
    Pump();
    EXPECT_EQ(seen, 2);
    EXPECT_EQ(clicks, 0);
    Application().SetMessageFilter(nullptr);
    Click(*button);
    Pump();
    EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace ui
