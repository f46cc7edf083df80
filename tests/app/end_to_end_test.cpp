// The real program under a virtual X server: a click on "打开图片" with real X input, a typed
// file name, and the large view's pixels read back from a screenshot of the X screen.
#include <cstdlib>
#include <fstream>

#include "app/window/form1.h"
#include "support/required_tools.h"
#include "ui/ui_fixture.h"

namespace app {
namespace {

using ui::Application;
using ui::TPoint;

class EndToEndTest : public ui::testing::UiTest {};

TEST_F(EndToEndTest, OpeningAPictureWithRealInputShowsItInTheLargeView) {
    for (const char* tool : {"xvfb-run", "xdotool", "import", "convert"})
        TEMBRIN_REQUIRE(testing_support::HaveProgram(tool), tool);
    const std::string program = std::string(TEMBRIN_BINARY_DIR) + "/src/app/tembrin-ico";
    TEMBRIN_REQUIRE(testing_support::HaveFile(program), "the built tembrin-ico");

    // Where things are: the same window on the virtual screen (no window manager moves it
    // under the X server either).
    auto* form = Application().CreateForm<TForm1>();
    form->Show();
    Pump();
    TPoint button = CenterOf(*form->btn1);
    TPoint view = form->img1->ClientToScreen({0, 0});

    const std::string picture = WriteBitmap("e2e.bmp", 200, 100, 0xD04010);
    const std::string shot = (dir_ / "shot.png").string();
    const std::string script = (dir_ / "run.sh").string();
    {
        std::ofstream out(script);
        out << "#!/bin/sh\n"
            << "cd '" << dir_.string()
            << "'\n"
            // Bounded even when this script is cut short: the program never outlives the test.
            << "timeout -s KILL 90 '" << program << "' >app.log 2>&1 &\n"
            << "APP=$!\n"
            // Waits end on what the screen shows, so a loaded machine only makes them longer.
            << "xdotool search --sync --onlyvisible --name 'TembrinICO' >/dev/null\n"
            << "sleep 0.5\n"
            << "xdotool mousemove " << button.x << " " << button.y
            << " click 1\n"
            // The picture dialog (titled "Open file") is up and takes the keys.
            << "timeout 30 xdotool search --sync --onlyvisible --name '^Open file$' >/dev/null\n"
            << "sleep 0.5\n"
            << "xdotool type --delay 30 '" << picture << "'\n"
            << "xdotool key Return\n"
            << "for i in $(seq 100); do\n"
            << "  import -window root -crop 1x1+" << view.x << "+" << view.y
            << " txt:- | grep -qF '(208,64,16)' && break\n"
            << "  sleep 0.2\n"
            << "done\n"
            << "sleep 0.3\n"
            << "import -window root '" << shot << "'\n"
            << "kill $APP\n"
            << "wait $APP || true\n";
    }
    std::string command = "timeout 120 xvfb-run -a -s '-screen 0 1024x768x24' sh '" + script +
                          "' >'" + (dir_ / "xvfb.log").string() + "' 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << "see " << dir_ / "xvfb.log";
    ASSERT_TRUE(std::filesystem::exists(shot));
    // Kept for a look with an image viewer.
    std::filesystem::copy_file(shot,
                               std::filesystem::temp_directory_path() / "tembrin_e2e_shot.png",
                               std::filesystem::copy_options::overwrite_existing);

    const std::string bmp = (dir_ / "shot.bmp").string();
    ASSERT_EQ(std::system(("convert '" + shot + "' BMP3:'" + bmp + "'").c_str()), 0);
    graphics::TBitmap screen;
    screen.LoadFile(bmp);
    auto pixel = [&](int x, int y) {
        uint32_t c = screen.Canvas().ReadPixel(x, y) & 0xFFFFFF;
        return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    };
    // The picture at its own size at the top-left of the large view, background beside it.
    EXPECT_EQ(pixel(view.x, view.y), 0xD04010u);
    EXPECT_EQ(pixel(view.x + 199, view.y + 99), 0xD04010u);
    EXPECT_EQ(pixel(view.x + 100, view.y + 50), 0xD04010u);
    EXPECT_NE(pixel(view.x + 200, view.y + 50), 0xD04010u);
    EXPECT_NE(pixel(view.x + 100, view.y + 100), 0xD04010u);
    // And squeezed into the 64 x 64 preview.
    TPoint preview = form->img2->ClientToScreen({0, 0});
    EXPECT_EQ(pixel(preview.x + 63, preview.y + 63), 0xD04010u);
}

}  // namespace
}  // namespace app
