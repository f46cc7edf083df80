// What the user meets when something goes wrong in the main window: the error box over it.
// These tests show the program's real box (a modal window on the virtual screen) and close it
// with Enter shortly after it comes up.
#include <algorithm>
#include <string>
#include <vector>

#include "app/window/form1.h"
#include "app/window/startup.h"
#include "codecs/register.h"
#include "core/exceptions.h"
#include "ui/ui_fixture.h"

namespace app {
namespace {

using ui::Application;
using ui::TPoint;

platform::VirtualHost* gHost = nullptr;
// The caption bar's ink of each box shown, read before it is answered.
std::vector<std::vector<bool>> gCaptionInk;

// The columns of a caption bar that hold text of another colour than the bar.
std::vector<bool> CaptionInkColumns(platform::HWND box) {
    platform::RECT window{};
    platform::GetWindowRect(box, &window);
    TPoint client{0, 0};
    platform::ClientToScreen(box, reinterpret_cast<platform::POINT*>(&client));
    const int frame = client.x - window.left;
    const int top = window.top + frame;
    const uint32_t bar = gHost->PixelAt(window.left + frame + 1, top + 1);
    std::vector<bool> ink;
    for (int x = window.left + frame; x < window.right - frame; ++x) {
        bool any = false;
        // The bar ends one row above the client area.
        for (int y = top; y < client.y - 1; ++y) any = any || gHost->PixelAt(x, y) != bar;
        ink.push_back(any);
    }
    return ink;
}

void ReadCaptionAndAnswer(platform::HWND, platform::UINT, platform::UINT_PTR id, platform::DWORD) {
    platform::KillTimer(nullptr, id);
    platform::MSG msg;
    platform::PeekMessage(&msg, nullptr, 0, 0, platform::PM_NOREMOVE);  // paint and present
    std::vector<bool> ink = CaptionInkColumns(platform::GetActiveWindow());
    // A slow run (under the thread sanitizer) may come before the box's caption is drawn:
    // look again a little later, for three seconds at most.
    static int looks = 0;
    if (std::find(ink.begin(), ink.end(), true) == ink.end() && ++looks < 100) {
        platform::SetTimer(nullptr, 0, 30, ReadCaptionAndAnswer);
        return;
    }
    looks = 0;
    gCaptionInk.push_back(ink);
    gHost->PressKey(platform::VK_RETURN);
}

class Form1ErrorTest : public ui::testing::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        gHost = host_;
        gCaptionInk.clear();
        codecs::RegisterPictureFormats();
        Application().SetTitle(kApplicationTitle);
        // Every error is recorded, then shown in the real box, which Enter answers.
        Application().SetMessageBoxFunction([this](platform::HWND owner, const std::string& text,
                                                   const std::string& caption,
                                                   platform::UINT flags) {
            boxes_.push_back({text, caption, flags});
            // A program that raises the same error at each repaint would go on for ever.
            if (boxes_.size() > 12) return platform::IDOK;
            platform::SetTimer(nullptr, 0, 30, ReadCaptionAndAnswer);
            return platform::MessageBox(owner, text.c_str(), caption.c_str(), flags);
        });
    }
    void ShowForm() {
        form_ = Application().CreateForm<TForm1>();
        form_->Show();
        Pump();
    }
    // Clicks "打开图片" and types the name into the open dialog.
    void Open(const std::string& name) {
        form_->bsknpndlg1->SetFileName((dir_ / "").string());
        Click(*form_->btn1);
        host_->Type(name);
        host_->PressKey(platform::VK_RETURN);
        Pump();
    }
    // A directory that names one 32 x 32 image of 8 bytes: the file loads, and the image
    // fails to decode when it is first drawn.
    static std::string IconThatFailsToDecode() {
        const unsigned char bytes[] = {0,  0,  1, 0, 1, 0,  // header: icon, 1 entry
                                       32, 32, 0, 0, 1, 0, 32, 0, 8, 0, 0, 0,
                                       22, 0,  0, 0, 1, 2, 3,  4, 5, 6, 7, 8};
        return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
    }

    // What makes the views paint again: a window moved over all four and away, minimising
    // with the caption button and restoring, the popup menu opened over the large view and
    // closed.
    void DisturbTheViews() {
        auto* other = Application().CreateForm<ui::TForm>();
        const TPoint views = form_->bskngrpbx1->ClientToScreen({0, 0});
        other->SetBounds(views.x, views.y, 400, 300);
        other->Show();
        Pump();
        other->SetBounds(views.x + 150, views.y + 150, 400, 300);
        Pump();
        delete other;
        Pump();
        skin::TbsActiveSkinObject* minimize = form_->bsform1->FindObject("minbutton");
        ASSERT_NE(minimize, nullptr);
        const graphics::TRect r = minimize->ObjectRect;
        host_->Click(form_->Left() + (r.left + r.right) / 2, form_->Top() + (r.top + r.bottom) / 2);
        Pump();
        ASSERT_TRUE(platform::IsIconic(form_->Handle()));
        form_->bsform1->Restore();
        Pump();
        const TPoint p = CenterOf(*form_->img1);
        host_->Click(p.x, p.y, platform::kHostRightButton);
        Pump();
        ASSERT_TRUE(form_->bsform1->SkinMenuVisible());
        host_->PressKey(platform::VK_ESCAPE);
        Pump();
    }

    TForm1* form_ = nullptr;
};

TEST_F(Form1ErrorTest, AnIconThatCannotBeDecodedShowsAtMostOneBoxPerViewWhateverRepaints) {
    ShowForm();
    WriteFile("bad.ico", IconThatFailsToDecode());
    Open("bad.ico");
    EXPECT_GE(boxes_.size(), 1u);
    for (int round = 0; round < 2; ++round) {
        DisturbTheViews();
        // Each view has decoded once, at its first paint, and said so once.
        EXPECT_EQ(boxes_.size(), 4u) << "round " << round;
    }
    for (const auto& box : boxes_) EXPECT_EQ(box.text, "Icon image is not valid.");

    // The program goes on and shows the next picture.
    WriteBitmap("good.bmp", 20, 10, 0x30A040);
    Open("good.bmp");
    EXPECT_EQ(boxes_.size(), 4u);
    EXPECT_EQ(PixelOf(*form_->img1, 0, 0), 0x30A040u);
    EXPECT_EQ(PixelOf(*form_->img4, 0, 0), 0x30A040u);
}

TEST_F(Form1ErrorTest, TheErrorBoxIsWideEnoughForTheWholeTitle) {
    ShowForm();
    // An empty JPEG file loads and fails when first drawn, with a message short enough that
    // the title is what the box has to be wide for.
    WriteFile("empty.jpg", "");
    Open("empty.jpg");
    ASSERT_GE(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "JPEG error #42.");
    EXPECT_EQ(boxes_[0].caption, "TembrinICO图标生成工具");
    ASSERT_GE(gCaptionInk.size(), 1u);

    // The title drawn whole, in the font every window's caption starts with.
    platform::HDC dc = platform::CreateCompatibleDC(nullptr);
    platform::RECT whole{0, 0, 0, 0};
    platform::DrawText(dc, kApplicationTitle, -1, &whole,
                       platform::DT_CALCRECT | platform::DT_SINGLELINE | platform::DT_NOPREFIX);
    platform::DeleteDC(dc);
    // On the screen the title's ink spans as far as the whole title (a cut one ends in "..."
    // inside the bar, narrower than the title).
    const std::vector<bool>& ink = gCaptionInk[0];
    const auto first = std::find(ink.begin(), ink.end(), true);
    const auto last = std::find(ink.rbegin(), ink.rend(), true);
    ASSERT_NE(first, ink.end());
    const int span = int(ink.rend() - last) - int(first - ink.begin());
    EXPECT_NEAR(span, whole.right - whole.left, 2);
}

// A main window whose making fails the way a broken description does: a method it binds is
// missing.
class TFailingForm1 : public TForm1 {
  public:
    explicit TFailingForm1(ui::TComponent* owner) : TForm1(owner) {
        throw core::EReadError("Invalid property value: method btn5Click");
    }
};

// Its window is never made, so it starts no banner download.
using Form1ThatFailsToStart = Form1ErrorTest;

TEST_F(Form1ThatFailsToStart, AFailureWhileTheMainWindowIsMadeIsShownAndEndsTheProgramWithAnError) {
    ::testing::internal::CaptureStderr();
    const int code =
        RunProgram([](ui::TApplication& application) { application.CreateForm<TFailingForm1>(); });
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(code, 1);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "Invalid property value: method btn5Click.");
    EXPECT_EQ(boxes_[0].caption, kApplicationTitle);
    EXPECT_EQ(boxes_[0].flags & platform::MB_ICONERROR, platform::MB_ICONERROR);
    EXPECT_EQ(gCaptionInk.size(), 1u);  // the real box came up and was answered
    EXPECT_NE(err.find("Invalid property value: method btn5Click"), std::string::npos) << err;
    // Nothing of the program is left behind.
    EXPECT_EQ(Application().MainForm(), nullptr);
    EXPECT_TRUE(Application().Forms().empty());
}

}  // namespace
}  // namespace app
