// The real program under a virtual X server: a click on "打开图片" with real X input, a typed
// file name, and the large view's pixels read back from a screenshot of the X screen.
#include <sstream>

#include "app/window/form1.h"
#include "app/xvfb_run.h"
#include "ui/ui_fixture.h"

namespace app {
namespace {

using ui::Application;
using ui::TPoint;

class EndToEndTest : public ui::testing::UiTest {};

TEST_F(EndToEndTest, OpeningAPictureWithRealInputShowsItInTheLargeView) {
    const std::string missing = testing::MissingXTool();
    if (!missing.empty()) GTEST_SKIP() << missing << " is not installed";
    const std::string program = std::string(TEMBRIN_BINARY_DIR) + "/src/app/tembrin-ico";
    if (!std::filesystem::exists(program)) GTEST_SKIP() << "tembrin-ico is not built";

    // Where things are: the same window on the virtual screen (no window manager moves it
    // under the X server either).
    auto* form = Application().CreateForm<TForm1>();
    form->Show();
    Pump();
    TPoint button = CenterOf(*form->btn1);
    TPoint view = form->img1->ClientToScreen({0, 0});

    const std::string picture = WriteBitmap("e2e.bmp", 200, 100, 0xD04010);
    const std::filesystem::path shot = dir_ / "shot.png";
    std::ostringstream script;
    // Bounded even when this script is cut short: the program never outlives the test.
    script << "timeout -s KILL 40 '" << program << "' >app.log 2>&1 &\n"
           << "APP=$!\n"
           << "xdotool search --sync --onlyvisible --name 'TembrinICO' >/dev/null\n"
           << "sleep 1\n"
           << "xdotool mousemove " << button.x << " " << button.y << " click 1\n"
           << "sleep 1\n"
           << "xdotool type --delay 30 '" << picture << "'\n"
           << "xdotool key Return\n"
           << "sleep 2\n"
           << "import -window root '" << shot.string() << "'\n"
           << "kill $APP\n"
           << "wait $APP || true\n";
    ASSERT_TRUE(testing::RunUnderXvfb(dir_, script.str())) << "see " << dir_ / "xvfb.log";
    ASSERT_TRUE(std::filesystem::exists(shot));
    // Kept for a look with an image viewer.
    std::filesystem::copy_file(shot,
                               std::filesystem::temp_directory_path() / "tembrin_e2e_shot.png",
                               std::filesystem::copy_options::overwrite_existing);

    testing::Screenshot screen(shot);
    ASSERT_TRUE(screen.Loaded());
    // The picture at its own size at the top-left of the large view, background beside it.
    EXPECT_EQ(screen.Pixel(view.x, view.y), 0xD04010u);
    EXPECT_EQ(screen.Pixel(view.x + 199, view.y + 99), 0xD04010u);
    EXPECT_EQ(screen.Pixel(view.x + 100, view.y + 50), 0xD04010u);
    EXPECT_NE(screen.Pixel(view.x + 200, view.y + 50), 0xD04010u);
    EXPECT_NE(screen.Pixel(view.x + 100, view.y + 100), 0xD04010u);
    // And squeezed into the 64 x 64 preview.
    TPoint preview = form->img2->ClientToScreen({0, 0});
    EXPECT_EQ(screen.Pixel(preview.x + 63, preview.y + 63), 0xD04010u);
}

}  // namespace
}  // namespace app
