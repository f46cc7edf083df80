// The skinned open and save dialogs driven through the virtual screen: keys are queued before
// Execute and the dialog's modal loop takes them. Set TEMBRIN_SCREENSHOT_DIALOG to a path to
// keep a picture of the open dialog as a BMP file.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <thread>

#include "skin_fixture.h"
#include "skinctrls/dialog_glyphs.h"
#include "skinctrls/skin_file_dialog.h"
#include "skinctrls/skin_open_dlg_form.h"
#include "ui/hint_tracker.h"
#include "ui/hint_window.h"

namespace skinctrls {
namespace {

namespace fs = std::filesystem;
using platform::VK_ESCAPE;
constexpr uint16_t VK_F12 = platform::VK_F1 + 11;
using platform::VK_RETURN;

class SkinFileDialogTest : public ui::testing::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        owner_ = ui::Application().CreateForm<ui::TForm>();
        owner_->SetBounds(0, 0, 100, 100);
        owner_->Show();
        Pump();
    }
    // Runs `probe` on the form of the run in progress when F12 reaches it (the form sees keys
    // before its controls).
    static void ProbeOnF12(TbsSkinOpenDialog& dialog, std::function<void(TbsOpenDlgForm&)> probe) {
        dialog.OnFolderChange = [&dialog, probe = std::move(probe)](ui::TComponent*) {
            TbsOpenDlgForm* form = dialog.Form();
            if (form == nullptr || form->OnKeyDown) return;
            form->OnKeyDown = [form, probe](ui::TComponent*, uint16_t& key, ui::TShiftState) {
                if (key != VK_F12) return;
                key = 0;
                probe(*form);
            };
        };
    }
    void Enter(const std::string& text) {
        host_->Type(text);
        host_->PressKey(VK_RETURN);
    }
    static void RunFor(int ms) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < end) {
            Pump();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    static std::string ShownHint() {
        ui::THintWindow* window = ui::Application().Hints().Window();
        if (window == nullptr || !window->HandleAllocated() ||
            !platform::IsWindowVisible(window->Handle()))
            return {};
        return window->Caption();
    }
    ui::TForm* owner_ = nullptr;
};

TEST_F(SkinFileDialogTest, NewComponentsStartWithTheirPublishedDefaults) {
    TbsSkinOpenDialog open(nullptr);
    TbsSkinSaveDialog save(nullptr);
    EXPECT_EQ(open.Title(), "Open file");
    EXPECT_EQ(save.Title(), "Save file");
    EXPECT_EQ(open.Filter(), "All files|*.*");
    EXPECT_EQ(open.FilterIndex(), 1);
    EXPECT_TRUE(open.CheckFileExists());
    EXPECT_FALSE(open.OverwritePromt());
    EXPECT_EQ(open.LVHeaderSkinDataName(), "resizebutton");
    EXPECT_EQ(open.AlphaBlendValue(), 225);
    EXPECT_EQ(open.DefaultFont().Name(), "Arial");
    EXPECT_EQ(open.DefaultFont().Height(), 14);
    EXPECT_EQ(open.ViewStyle(), TViewStyle::vsList);
    EXPECT_TRUE(save.SaveMode());
    EXPECT_FALSE(open.SaveMode());
}

TEST_F(SkinFileDialogTest, SaveAddsTheFilterExtensionOnlyToANameWithoutOne) {
    TbsSkinSaveDialog dialog(owner_);
    dialog.SetFilter("图标文件|*.ico");
    dialog.SetFileName((dir_ / "").string());
    int shown = 0, closed = 0;
    dialog.OnShow = [&](ui::TComponent*) { ++shown; };
    dialog.OnClose = [&](ui::TComponent*) {
        ++closed;
        EXPECT_NE(dialog.Form(), nullptr);  // still there while the close event runs
    };
    Enter("mine");
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), (dir_ / "mine.ico").string());
    EXPECT_EQ(dialog.FilterIndex(), 1);
    EXPECT_EQ(dialog.DialogWidth(), 450);
    EXPECT_EQ(dialog.DialogHeight(), 290);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(dialog.Form(), nullptr);
    // Nothing is written by the dialog itself.
    EXPECT_FALSE(fs::exists(dir_ / "mine.ico"));

    dialog.SetFileName((dir_ / "").string());
    Enter("photo.bmp");
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), (dir_ / "photo.bmp").string());
}

TEST_F(SkinFileDialogTest, OpenLooksForTheFirstFilterExtensionAndStaysOpenForAMissingFile) {
    const std::string existing = WriteBitmap("cat.bmp", 2, 2, 0);
    TbsSkinOpenDialog dialog(owner_);
    dialog.SetFilter("所有图片|*.bmp;*.jpg;*.gif;*.png;");
    dialog.SetFileName((dir_ / "").string());
    int probes = 0;
    ProbeOnF12(dialog, [&](TbsOpenDlgForm& form) {
        ++probes;
        EXPECT_EQ(form.FileNameEdit().Text(), "dog");  // still open after Enter on "dog"
        EXPECT_EQ(form.FilterCombo().Items().size(), 1u);
        EXPECT_EQ(form.FilterCombo().Mask(), "*.bmp;*.jpg;*.gif;*.png;");
        form.FileNameEdit().SetText("");
    });
    Enter("dog");
    host_->PressKey(VK_F12);
    Enter("cat");
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(probes, 1);
    EXPECT_EQ(dialog.FileName(), existing);
    EXPECT_EQ(dialog.SelectedFiles().size(), 0u);  // typed, not picked in the list
}

TEST_F(SkinFileDialogTest, EscapeAndCancelReturnFalseAndKeepFileName) {
    TbsSkinOpenDialog dialog(owner_);
    const std::string before = (dir_ / "keep.bmp").string();
    WriteBitmap("keep.bmp", 2, 2, 0);
    dialog.SetFileName(before);
    host_->Type("x");
    host_->PressKey(VK_ESCAPE);
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), before);

    // A mouse click on the cancel button, queued while the dialog is up.
    ProbeOnF12(dialog, [this](TbsOpenDlgForm& form) {
        const ui::TPoint p = CenterOf(form.CancelButton());
        host_->Click(p.x, p.y);
    });
    host_->PressKey(VK_F12);
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), before);
}

TEST_F(SkinFileDialogTest, StartsInTheFolderOfFileNameWithItsNameInTheEdit) {
    fs::create_directories(dir_ / "pics");
    const std::string cat = WriteBitmap("pics/cat.bmp", 2, 2, 0);
    TbsSkinOpenDialog dialog(owner_);
    dialog.SetFileName(cat);
    std::string folder, text;
    ProbeOnF12(dialog, [&](TbsOpenDlgForm& form) {
        folder = form.FileList().CurrentFolderPath();
        text = form.FileNameEdit().Text();
    });
    host_->PressKey(VK_F12);
    host_->PressKey(VK_RETURN);
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(folder, (dir_ / "pics").string());
    EXPECT_EQ(text, "cat.bmp");
    EXPECT_EQ(dialog.FileName(), cat);
}

TEST_F(SkinFileDialogTest, TypingAFolderPathOpensItAndTheBackButtonReturns) {
    fs::create_directories(dir_ / "sub");
    const std::string inner = WriteBitmap("sub/in.bmp", 2, 2, 0);
    TbsSkinOpenDialog dialog(owner_);
    dialog.SetFileName((dir_ / "").string());
    std::vector<std::string> seen;
    size_t historyInSub = 0;
    ProbeOnF12(dialog, [&](TbsOpenDlgForm& form) {
        seen.push_back(form.FileList().CurrentFolderPath());
        if (seen.size() == 1) {
            historyInSub = form.FolderHistory().size();
            form.BackButton().Click();
        }
    });
    Enter("sub/");  // a folder: the list goes there and the edit empties
    host_->PressKey(VK_F12);
    host_->PressKey(VK_F12);  // after going back
    Enter("nosuch/");         // a path that names no folder does nothing
    host_->PressKey(VK_ESCAPE);
    EXPECT_FALSE(dialog.Execute());
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], (dir_ / "sub").string());
    EXPECT_EQ(historyInSub, 2u);
    EXPECT_EQ(seen[1], dir_.string());

    // A typed folder then a name inside it.
    Enter("sub/");
    Enter("in.bmp");
    dialog.OnFolderChange = nullptr;
    dialog.SetFileName((dir_ / "").string());
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), inner);
}

TEST_F(SkinFileDialogTest, ASelectedFileFillsTheEditAndIsTheResult) {
    WriteBitmap("a.bmp", 2, 2, 0);
    const std::string b = WriteBitmap("b.bmp", 2, 2, 0);
    TbsSkinOpenDialog dialog(owner_);
    dialog.SetFileName((dir_ / "").string());
    std::string shown;
    int changes = 0;
    ProbeOnF12(dialog, [&](TbsOpenDlgForm& form) {
        EXPECT_EQ(form.FileNameEdit().Text(), "");  // the focused first item is not chosen
        dialog.OnFolderChange = [&](ui::TComponent*) { ++changes; };
        form.FileList().SetItemIndex(1);
        shown = form.FileNameEdit().Text();
    });
    host_->PressKey(VK_F12);
    host_->PressKey(VK_RETURN);
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(shown, "b.bmp");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(dialog.FileName(), b);
    EXPECT_EQ(dialog.SelectedFiles(), std::vector<std::string>{b});
}

TEST_F(SkinFileDialogTest, FilterIndexSizeAndViewStyleCarryOverToTheNextRun) {
    TbsSkinOpenDialog dialog(owner_);
    dialog.SetFilter("A|*.a|B|*.b|C|*.c");
    dialog.SetFilterIndex(2);
    dialog.SetFileName((dir_ / "").string());
    std::string firstMask, listMask;
    ProbeOnF12(dialog, [&](TbsOpenDlgForm& form) {
        firstMask = form.FilterCombo().Mask();
        listMask = form.FileList().Mask();
        form.FilterCombo().SetItemIndex(2);
        form.ViewMenu().Items().Items(3)->Click();
        form.SetClientSize(520, 330);
    });
    host_->PressKey(VK_F12);
    host_->PressKey(VK_ESCAPE);
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(firstMask, "*.b");
    EXPECT_EQ(listMask, "*.b");
    EXPECT_EQ(dialog.FilterIndex(), 3);
    EXPECT_EQ(dialog.DialogWidth(), 520);
    EXPECT_EQ(dialog.DialogHeight(), 330);
    EXPECT_EQ(dialog.ViewStyle(), TViewStyle::vsReport);

    int width = 0;
    bool detailsChecked = false;
    ProbeOnF12(dialog, [&](TbsOpenDlgForm& form) {
        width = form.ClientWidth();
        detailsChecked = form.ViewMenu().Items().Items(3)->Checked() &&
                         !form.ViewMenu().Items().Items(2)->Checked();
    });
    host_->PressKey(VK_F12);
    host_->PressKey(VK_ESCAPE);
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(width, 520);
    EXPECT_TRUE(detailsChecked);
}

TEST_F(SkinFileDialogTest, SaveModeFilterChangeReplacesTheTypedExtension) {
    TbsOpenDlgForm form(nullptr, true, nullptr);
    form.FilterCombo().SetFilter("Icons|*.ico|Bitmaps|*.bmp|Any|*.*");
    form.FileNameEdit().SetText("picture.ico");
    form.FilterCombo().SetItemIndex(1);
    EXPECT_EQ(form.FileNameEdit().Text(), "picture.bmp");
    EXPECT_EQ(form.FileList().Mask(), "*.bmp");
    form.FilterCombo().SetItemIndex(2);  // "*.*" has no extension to give
    EXPECT_EQ(form.FileNameEdit().Text(), "picture.bmp");
    form.FileNameEdit().SetText("plain");
    form.FilterCombo().SetItemIndex(0);
    EXPECT_EQ(form.FileNameEdit().Text(), "plain.ico");
}

TEST_F(SkinFileDialogTest, NewFolderButtonNumbersTheSecondFolder) {
    TbsOpenDlgForm form(nullptr, false, nullptr);
    form.FileList().OpenFolderPath(dir_.string());
    form.NewFolderButton().Click();
    form.NewFolderButton().Click();
    EXPECT_TRUE(fs::is_directory(dir_ / "New Folder"));
    EXPECT_TRUE(fs::is_directory(dir_ / "New Folder(2)"));
    EXPECT_EQ(form.NewFolderCounter(), 2);
    // The list was reloaded and shows both.
    int found = 0;
    for (int i = 0; i < form.FileList().Count(); ++i)
        found += form.FileList().Folders(i).ItemDisplayName().rfind("New Folder", 0) == 0;
    EXPECT_EQ(found, 2);
    // An existing name: the counter moves on and nothing is created.
    fs::create_directories(dir_ / "New Folder(3)");
    form.NewFolderButton().Click();
    EXPECT_EQ(form.NewFolderCounter(), 3);
    EXPECT_FALSE(fs::exists(dir_ / "New Folder(4)"));
    form.NewFolderButton().Click();
    EXPECT_TRUE(fs::is_directory(dir_ / "New Folder(4)"));
}

TEST_F(SkinFileDialogTest, OverwritePromptAsksAndOnlyOkTakesTheExistingFile) {
    const std::string old = WriteBitmap("old.ico", 2, 2, 0);
    TbsSkinSaveDialog dialog(owner_);
    dialog.SetFilter("图标文件|*.ico");
    dialog.SetOverwritePromt(true);
    dialog.SetFileName((dir_ / "").string());
    ui::Application().SetMessageBoxFunction([this](platform::HWND, const std::string& text,
                                                   const std::string& caption,
                                                   platform::UINT flags) {
        boxes_.push_back({text, caption, flags});
        return boxes_.size() == 1 ? platform::IDCANCEL : platform::IDOK;
    });
    Enter("old");  // cancelled: the dialog stays
    Enter("");     // the edit still holds "old"; this time OK
    ASSERT_TRUE(dialog.Execute());
    ASSERT_EQ(boxes_.size(), 2u);
    EXPECT_EQ(boxes_[0].text, "Do you want to overwrite old file?");
    EXPECT_EQ(boxes_[0].caption, "Warning");
    EXPECT_EQ(dialog.FileName(), old);
}

TEST_F(SkinFileDialogTest, GlyphsAreSixteenSquareWithATransparentGround) {
    for (const char* name : {"BS_BACK", "BS_UP", "BS_NEWFOLDER", "BS_LVSTYLE"}) {
        graphics::TBitmap glyph;
        ASSERT_TRUE(LoadDialogGlyph(name, glyph)) << name;
        EXPECT_EQ(glyph.Width(), 16);
        EXPECT_EQ(glyph.Height(), 16);
        EXPECT_EQ(testing::Pixel(glyph, 0, 0), kDialogGlyphGround) << name;
        int ink = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) ink += testing::Pixel(glyph, x, y) != kDialogGlyphGround;
        EXPECT_GT(ink, 20) << name;
    }
    graphics::TBitmap none;
    EXPECT_FALSE(LoadDialogGlyph("BS_NOPE", none));
}

TEST_F(SkinFileDialogTest, LayoutWithTheStoredSkin) {
    testing::LoadedSkin skin;
    skin.LoadEmbedded(owner_);
    TbsSkinOpenDialog dialog(owner_);
    dialog.SetSkinData(skin.data);
    dialog.SetCtrlSkinData(skin.data);
    dialog.SetFilter("所有图片|*.bmp;*.jpg;*.gif;*.png;");
    WriteBitmap("a.bmp", 2, 2, 0);
    fs::create_directories(dir_ / "folder");
    dialog.SetFileName((dir_ / "").string());
    bool probed = false;
    ProbeOnF12(dialog, [&](TbsOpenDlgForm& form) {
        probed = true;
        const int w = form.ClientWidth();
        EXPECT_GE(w, 450);
        EXPECT_EQ(form.ToolBar().Height(), 32);
        EXPECT_EQ(form.BottomPanel().Height(), 80);
        EXPECT_EQ(form.BottomPanel().Top(), form.ClientHeight() - 80);
        EXPECT_EQ(form.FileNameEdit().Left(), 70);
        EXPECT_EQ(form.FileNameEdit().Top(), 10);
        EXPECT_EQ(form.FileNameEdit().Width(), w - 160);
        EXPECT_EQ(form.FilterCombo().Top(), 45);
        EXPECT_EQ(form.OpenButton().Left(), w - 80);
        EXPECT_EQ(form.CancelButton().Top(), 45);
        EXPECT_EQ(form.OpenButton().Caption(), "&Open");
        EXPECT_EQ(form.LookInLabel().Caption(), "Look in: ");
        EXPECT_EQ(form.UpButton().Hint(), "Up One Level");
        // Tool buttons right of the folder box, the view button at the right edge.
        EXPECT_LT(form.FolderCombo().Left(), form.BackButton().Left());
        EXPECT_LT(form.BackButton().Left(), form.UpButton().Left());
        EXPECT_LT(form.UpButton().Left(), form.NewFolderButton().Left());
        EXPECT_LT(form.NewFolderButton().Left(), form.ViewMenuButton().Left());
        EXPECT_GE(form.ViewMenuButton().Left() + form.ViewMenuButton().Width(), w - 10);
        EXPECT_EQ(form.FileList().Count(), 2);  // the folder and the bitmap
        EXPECT_EQ(form.FileList().ItemIndex(), 0);
        EXPECT_TRUE(form.FileNameEdit().Focused());
        Pump();  // let the dialog paint
        // The skinned frame draws something different from the client area's middle.
        const ui::TPoint origin = form.ClientToScreen({0, 0});
        EXPECT_NE(host_->PixelAt(origin.x + w / 2, origin.y - 5),
                  host_->PixelAt(origin.x + w / 2, origin.y + 100));
        if (const char* path = std::getenv("TEMBRIN_SCREENSHOT_DIALOG")) {
            EXPECT_TRUE(host_->SaveScreenshot(path));
        }
    });
    host_->PressKey(VK_F12);
    host_->PressKey(VK_ESCAPE);
    EXPECT_FALSE(dialog.Execute());
    EXPECT_TRUE(probed);
}

TEST_F(SkinFileDialogTest, ToolButtonsShowTheirHintsWhenThePointerRestsOnThem) {
    TbsSkinOpenDialog dialog(owner_);
    dialog.SetFileName((dir_ / "").string());
    std::vector<std::string> hints;
    size_t windowsBefore = 0, windowsWithHint = 0;
    ProbeOnF12(dialog, [&](TbsOpenDlgForm& form) {
        Pump();
        windowsBefore = host_->VisibleWindows().size();
        for (ui::TControl* button : std::initializer_list<ui::TControl*>{
                 &form.BackButton(), &form.UpButton(), &form.NewFolderButton(),
                 &form.ViewMenuButton()}) {
            const ui::TPoint p = CenterOf(*button);
            host_->MouseMove(p.x, p.y);
            RunFor(button == &form.BackButton() ? 650 : 30);  // the pause only for the first
            hints.push_back(ShownHint());
            if (windowsWithHint == 0) windowsWithHint = host_->VisibleWindows().size();
        }
        const ui::TPoint list = CenterOf(form.FileList());
        host_->MouseMove(list.x, list.y);
        Pump();
        hints.push_back(ShownHint());
    });
    host_->PressKey(VK_F12);
    host_->PressKey(VK_ESCAPE);
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(hints, (std::vector<std::string>{"Go To Last Folder Visited", "Up One Level",
                                               "Create New Folder", "View Menu", ""}));
    EXPECT_EQ(windowsWithHint, windowsBefore + 1);
}

TEST_F(SkinFileDialogTest, TransparentToolButtonsAndTheDefaultFontReachTheirControls) {
    testing::LoadedSkin skin;
    skin.LoadEmbedded(owner_);
    TbsSkinOpenDialog dialog(owner_);
    dialog.SetSkinData(skin.data);
    dialog.SetCtrlSkinData(skin.data);
    dialog.DefaultFont().SetName("Liberation Serif");
    dialog.SetFileName((dir_ / "").string());
    std::vector<std::string> fonts;
    struct Look {
        bool flat = false;
        uint32_t idle = 0, hot = 0;  // a pixel of the up button's edge
    };
    auto run = [&](bool transparent) {
        Look look;
        dialog.SetToolButtonsTransparent(transparent);
        ProbeOnF12(dialog, [&](TbsOpenDlgForm& form) {
            fonts = {form.OpenButton().DefaultFont().Name(),
                     form.CancelButton().DefaultFont().Name(),
                     form.FolderCombo().DefaultFont().Name(),
                     form.FolderCombo().ListBoxDefaultFont().Name(), form.FileList().Font().Name()};
            look.flat =
                form.BackButton().Flat() && form.UpButton().Flat() && form.NewFolderButton().Flat();
            Pump();
            TbsSkinSpeedButton& up = form.UpButton();
            look.idle = PixelOf(up, 1, 1);
            const ui::TPoint p = CenterOf(up);
            host_->MouseMove(p.x, p.y);
            Pump();
            look.hot = PixelOf(up, 1, 1);
        });
        host_->PressKey(VK_F12);
        host_->PressKey(VK_ESCAPE);
        EXPECT_FALSE(dialog.Execute());
        return look;
    };
    const Look solid = run(false);
    const Look flat = run(true);
    EXPECT_EQ(fonts, std::vector<std::string>(5, "Liberation Serif"));
    EXPECT_FALSE(solid.flat);
    EXPECT_TRUE(flat.flat);
    // Idle, the flat button shows no button image; under the pointer both show the hot one.
    EXPECT_NE(flat.idle, solid.idle);
    EXPECT_EQ(flat.hot, solid.hot);
}

TEST_F(SkinFileDialogTest, ATypedFullPathGoesThroughTheAcceptChecks) {
    const std::string old = WriteBitmap("old.ico", 2, 2, 0);
    TbsSkinSaveDialog dialog(owner_);
    dialog.SetFilter("图标文件|*.ico");
    dialog.SetOverwritePromt(true);
    fs::create_directories(dir_ / "elsewhere");
    dialog.SetFileName((dir_ / "elsewhere" / "").string());
    ui::Application().SetMessageBoxFunction([this](platform::HWND, const std::string& text,
                                                   const std::string& caption,
                                                   platform::UINT flags) {
        boxes_.push_back({text, caption, flags});
        return boxes_.size() == 1 ? platform::IDCANCEL : platform::IDOK;
    });
    Enter(old);  // asked, cancelled: the dialog stays
    Enter("");   // asked again, this time OK
    ASSERT_TRUE(dialog.Execute());
    ASSERT_EQ(boxes_.size(), 2u);
    EXPECT_EQ(boxes_[0].text, "Do you want to overwrite old file?");
    EXPECT_EQ(dialog.FileName(), old);

    // Open mode: a full path to an existing file is the result as typed.
    TbsSkinOpenDialog open(owner_);
    open.SetFileName((dir_ / "elsewhere" / "").string());
    Enter(old);
    ASSERT_TRUE(open.Execute());
    EXPECT_EQ(open.FileName(), old);
}

TEST_F(SkinFileDialogTest, AlphaBlendMakesTheDialogTranslucentAndFadesItIn) {
    TbsSkinOpenDialog dialog(owner_);
    dialog.SetFileName((dir_ / "").string());
    std::vector<float> seen;
    ProbeOnF12(dialog, [&](TbsOpenDlgForm&) {
        seen.push_back(host_->WindowOpacity(host_->VisibleWindows().back()));
        RunFor(400);
        seen.push_back(host_->WindowOpacity(host_->VisibleWindows().back()));
    });
    host_->PressKey(VK_F12);
    host_->PressKey(VK_ESCAPE);
    EXPECT_FALSE(dialog.Execute());  // off by default: opaque
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], 1.0f);

    dialog.SetAlphaBlend(true);
    dialog.SetAlphaBlendValue(200);
    host_->PressKey(VK_F12);
    host_->PressKey(VK_ESCAPE);
    EXPECT_FALSE(dialog.Execute());
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_FLOAT_EQ(seen[2], 200 / 255.0f);  // at once without the animation

    dialog.SetAlphaBlendAnimation(true);
    host_->PressKey(VK_F12);
    host_->PressKey(VK_ESCAPE);
    EXPECT_FALSE(dialog.Execute());
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_LT(seen[4], 200 / 255.0f);  // still fading in
    EXPECT_FLOAT_EQ(seen[5], 200 / 255.0f);
}

TEST_F(SkinFileDialogTest, CtrlAlphaBlendMakesTheDropDownListsAndMenusTranslucent) {
    TbsSkinOpenDialog dialog(owner_);
    dialog.SetFileName((dir_ / "").string());
    WriteBitmap("a.bmp", 2, 2, 0);
    // The opacity of the topmost window right after each list or menu opened and a while
    // later, then whether the dialog itself stayed opaque.
    std::vector<float> seen;
    ProbeOnF12(dialog, [&](TbsOpenDlgForm& form) {
        auto top = [this] { return host_->WindowOpacity(host_->VisibleWindows().back()); };
        auto look = [&](const std::function<void()>& open, const std::function<void()>& close) {
            const size_t before = host_->VisibleWindows().size();
            open();
            Pump();
            EXPECT_EQ(host_->VisibleWindows().size(), before + 1);
            seen.push_back(top());
            RunFor(400);
            seen.push_back(top());
            close();
            Pump();
        };
        auto clickOn = [this](ui::TControl& control) {
            return [this, &control] { Click(control); };
        };
        auto escape = [this] { host_->PressKey(VK_ESCAPE); };
        look(clickOn(form.FolderCombo()), clickOn(form.FolderCombo()));
        look(clickOn(form.FilterCombo()), clickOn(form.FilterCombo()));
        look(clickOn(form.ViewMenuButton()), escape);
        look(
            [&] {
                const ui::TPoint p = CenterOf(form.FileList());
                host_->Click(p.x, p.y, platform::kHostRightButton);
            },
            escape);
        seen.push_back(host_->WindowOpacity(host_->VisibleWindows().back()));
    });
    auto run = [&] {
        seen.clear();
        host_->PressKey(VK_F12);
        host_->PressKey(VK_ESCAPE);
        EXPECT_FALSE(dialog.Execute());
        return seen;
    };
    EXPECT_EQ(run(), std::vector<float>(9, 1.0f));  // off by default

    dialog.SetCtrlAlphaBlend(true);
    dialog.SetCtrlAlphaBlendValue(150);
    std::vector<float> translucent(8, 150 / 255.0f);
    translucent.push_back(1.0f);  // the dialog itself keeps AlphaBlend's opacity
    const std::vector<float> atOnce = run();
    ASSERT_EQ(atOnce.size(), translucent.size());
    for (size_t i = 0; i < atOnce.size(); ++i) EXPECT_FLOAT_EQ(atOnce[i], translucent[i]) << i;

    dialog.SetCtrlAlphaBlendAnimation(true);
    const std::vector<float> faded = run();
    ASSERT_EQ(faded.size(), translucent.size());
    for (size_t i = 0; i < 8; i += 2) {
        EXPECT_LT(faded[i], 150 / 255.0f) << i;  // still fading in
        EXPECT_FLOAT_EQ(faded[i + 1], 150 / 255.0f) << i;
    }
}

}  // namespace
}  // namespace skinctrls
