// The real program's open dialog under a virtual X server with real X input: resting on a
// tool button brings up the hint as a new top-level window, a right click on the file list
// opens the item menu, its Rename with a typed name renames the file on disk, and so does F2
// right after Escape closed the menu.
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/window/form1.h"
#include "skinctrls/skin_file_dialog.h"
#include "skinctrls/skin_open_dlg_form.h"
#include "support/required_tools.h"
#include "ui/ui_fixture.h"

namespace app {
namespace {

using ui::Application;
using ui::TPoint;
constexpr uint16_t kProbeKey = platform::VK_F1 + 11;  // F12

std::string Read(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

int Lines(const std::string& text) {
    int lines = 0;
    for (char c : text) lines += c == '\n';
    return lines;
}

// Where the dialog's parts stand: the same dialog run on the virtual screen, which has the
// size of the X screen (no window manager moves windows there either).
struct DialogPlaces {
    TPoint openButton, upButton, firstItem;
};

class DialogEndToEndTest : public ui::testing::UiTest {
  protected:
    // The folder the dialog browses: its one picture is the list's first item.
    std::filesystem::path Browsed() const { return dir_ / "browse"; }
    DialogPlaces Measure(TForm1& form) {
        DialogPlaces places;
        places.openButton = CenterOf(*form.btn1);
        skinctrls::TbsSkinOpenDialog& dialog = *form.bsknpndlg1;
        dialog.SetFileName((Browsed() / "").string());
        dialog.OnFolderChange = [&](ui::TComponent*) {
            skinctrls::TbsOpenDlgForm* shown = dialog.Form();
            if (shown == nullptr || shown->OnKeyDown) return;
            shown->OnKeyDown = [&, shown](ui::TComponent*, uint16_t& key, ui::TShiftState) {
                if (key != kProbeKey) return;
                places.upButton = CenterOf(shown->UpButton());
                const graphics::TRect cell = shown->FileList().ItemRect(0);
                places.firstItem = shown->FileList().ClientToScreen(
                    {cell.left + 30, cell.top + cell.Height() / 2});
            };
        };
        host_->PressKey(kProbeKey);
        host_->PressKey(platform::VK_ESCAPE);
        dialog.Execute();
        dialog.OnFolderChange = nullptr;
        dialog.SetFileName("");
        return places;
    }

    std::string Shot(const char* name) const { return (dir_ / name).string(); }

    // The script's shell functions: the program started in the background, the visible
    // top-level windows and their count, waiting up to 20 s for a condition, and screen shots
    // to compare. Each step waits for what it caused (a window count, a name on disk, a changed
    // screen) instead of sleeping a fixed time: under a loaded machine the program can take
    // seconds.
    void WriteScriptHelpers(std::ostream& out, const std::string& program) const {
        // Visible top-level windows, one per line.
        const std::string windows = "xdotool search --onlyvisible --maxdepth 1 --name ''";
        out << "#!/bin/sh\n"
            << "cd '" << dir_.string() << "'\n"
            << "timeout -s KILL 150 '" << program << "' >app.log 2>&1 &\n"
            << "APP=$!\n"
            << "windows() { " << windows << "; }\n"
            << "count() { windows | wc -l; }\n"
            // Up to 20 s for a condition, checked every tenth of a second.
            << "wait_for() { i=0; until eval \"$1\"; do i=$((i+1)); "
            << "[ $i -ge 200 ] && { echo \"timed out: $1\" >>waits.log; return 0; }; sleep 0.1; "
               "done; }\n"
            << "listed() { [ \"$(ls '" << Browsed().string() << "')\" = \"$1\" ]; }\n"
            << "shot() { import -window root \"$1\"; }\n"
            // Until the screen differs from the shot named.
            << "changed() { shot now.png; ! compare -metric AE \"$1\" now.png null: 2>/dev/null; "
               "}\n";
    }

    // The dialog opened with the open button, the temporary folder typed, the hint brought up
    // over the up button, and the item menu opened with a right click on the first item.
    void WriteHintAndMenuSteps(std::ostream& out, const DialogPlaces& at) const {
        out << "xdotool search --sync --onlyvisible --name 'TembrinICO' >/dev/null\n"
            << "sleep 1\n"
            << "BASE=$(count)\n"
            << "xdotool mousemove " << at.openButton.x << " " << at.openButton.y << " click 1\n"
            << "wait_for '[ $(count) -gt $BASE ]'\n"
            << "sleep 0.5\n"
            // Into the temporary folder by typing its path.
            << "xdotool type --delay 20 '" << Browsed().string() << "/'\n"
            << "shot typed-path.png\n"
            << "xdotool key Return\n"
            << "wait_for 'changed typed-path.png'\n"
            << "sleep 0.5\n"
            << "windows >before.txt\n"
            << "BEFORE=$(count)\n"
            << "xdotool mousemove " << at.upButton.x << " " << at.upButton.y << "\n"
            << "wait_for '[ $(count) -gt $BEFORE ]'\n"
            << "windows >hint.txt\n"
            << "shot '" << Shot("hint.png") << "'\n"
            << "xdotool mousemove " << at.firstItem.x << " " << at.firstItem.y << "\n"
            << "wait_for '[ $(count) -eq $BEFORE ]'\n"
            << "xdotool click 3\n"
            << "wait_for '[ $(count) -gt $BEFORE ]'\n"
            << "sleep 0.3\n"
            << "windows >menu.txt\n"
            << "shot '" << Shot("menu.png") << "'\n";
    }

    // The menu's Rename with a new name typed over the selected old one; then the menu again,
    // closed with Escape, and F2, which renames at once with no click needed.
    void WriteRenameSteps(std::ostream& out) const {
        // Rename, the entry below Open, then the new name over the selected old one.
        out << "xdotool key Down Return\n"
            << "wait_for '[ $(count) -eq $BEFORE ] && changed " << Shot("menu.png") << "'\n"
            << "sleep 0.3\n"
            << "shot '" << Shot("rename.png") << "'\n"
            << "xdotool type --delay 20 'renamed.bmp'\n"
            << "wait_for 'changed " << Shot("rename.png") << "'\n"
            << "shot '" << Shot("typed.png") << "'\n"
            << "xdotool key Return\n"
            << "wait_for 'listed renamed.bmp'\n"
            << "ls '" << Browsed().string()
            << "' >renamed.txt\n"
            // The menu again, closed with Escape: F2 renames at once, no click needed.
            << "xdotool click 3\n"
            << "wait_for '[ $(count) -gt $BEFORE ]'\n"
            << "sleep 0.3\n"
            << "shot closing.png\n"
            << "xdotool key Escape\n"
            << "wait_for '[ $(count) -eq $BEFORE ]'\n"
            << "sleep 0.3\n"
            << "shot before-f2.png\n"
            << "xdotool key F2\n"
            << "wait_for 'changed before-f2.png'\n"
            << "sleep 0.3\n"
            << "xdotool type --delay 20 'again.bmp'\n"
            << "xdotool key Return\n"
            << "wait_for 'listed again.bmp'\n"
            << "shot '" << Shot("again.png") << "'\n"
            << "ls '" << Browsed().string() << "' >again.txt\n"
            << "xdotool key Escape\n"
            << "sleep 0.5\n"
            << "kill $APP\n"
            << "wait $APP || true\n";
    }
};

TEST_F(DialogEndToEndTest, HintAndItemMenuWorkWithRealInput) {
    for (const char* tool : {"xvfb-run", "xdotool", "import", "convert"})
        TEMBRIN_REQUIRE(testing_support::HaveProgram(tool), tool);
    const std::string program = std::string(TEMBRIN_BINARY_DIR) + "/src/app/tembrin-ico";
    TEMBRIN_REQUIRE(testing_support::HaveFile(program), "the built tembrin-ico");

    auto* form = Application().CreateForm<TForm1>();
    form->Show();
    Pump();
    std::filesystem::create_directories(Browsed());
    std::filesystem::rename(WriteBitmap("picture.bmp", 8, 8, 0x2080C0), Browsed() / "picture.bmp");
    const DialogPlaces at = Measure(*form);
    ASSERT_GT(at.upButton.x, 0);

    const std::string script = (dir_ / "run.sh").string();
    {
        std::ofstream out(script);
        WriteScriptHelpers(out, program);
        WriteHintAndMenuSteps(out, at);
        WriteRenameSteps(out);
    }
    std::string command = "timeout 240 xvfb-run -a -s '-screen 0 1024x768x24' sh '" + script +
                          "' >'" + (dir_ / "xvfb.log").string() + "' 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << "see " << dir_ / "xvfb.log";
    for (const char* name : {"hint.png", "menu.png", "rename.png", "typed.png", "again.png"}) {
        ASSERT_TRUE(std::filesystem::exists(Shot(name))) << name;
        std::filesystem::copy_file(
            Shot(name),
            std::filesystem::temp_directory_path() / (std::string("tembrin_dialog_e2e_") + name),
            std::filesystem::copy_options::overwrite_existing);
    }
    // A wake-up from the folder watcher that met a menu being destroyed used to end the
    // program with an X error.
    EXPECT_EQ(Read(dir_ / "app.log").find("X Error"), std::string::npos) << Read(dir_ / "app.log");
    EXPECT_EQ(Read(dir_ / "waits.log"), "") << "steps whose effect never came";
    const int before = Lines(Read(dir_ / "before.txt"));
    EXPECT_GT(before, 0);
    EXPECT_EQ(Lines(Read(dir_ / "hint.txt")), before + 1) << "the hint window";
    EXPECT_EQ(Lines(Read(dir_ / "menu.txt")), before + 1) << "the item menu";
    EXPECT_EQ(Read(dir_ / "renamed.txt"), "renamed.bmp\n") << "see typed.png";
    EXPECT_EQ(Read(dir_ / "again.txt"), "again.bmp\n") << "see again.png";

    // The hint's tooltip colour below the pointer.
    const std::string bmp = Shot("hint.bmp");
    ASSERT_EQ(std::system(("convert '" + Shot("hint.png") + "' BMP3:'" + bmp + "'").c_str()), 0);
    graphics::TBitmap screen;
    screen.LoadFile(bmp);
    int tooltip = 0;
    for (int y = at.upButton.y; y < at.upButton.y + 60; ++y)
        for (int x = at.upButton.x - 100; x < at.upButton.x + 150; ++x)
            tooltip += (screen.Canvas().ReadPixel(x, y) & 0xFFFFFF) == 0xE1FFFF;  // BGR
    EXPECT_GT(tooltip, 100);
}

}  // namespace
}  // namespace app
