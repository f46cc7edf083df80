// The program as a user gets it: installed into a prefix of its own, away from the source and
// build folders, started with a picture on its command line under a virtual X server.
#include <fstream>
#include <sstream>
#include <utility>

#include "app/window/form1.h"
#include "app/xvfb_run.h"
#include "support/required_tools.h"
#include "ui/ui_fixture.h"

namespace app {
namespace {

using ui::Application;
using ui::TPoint;

class InstalledProgramTest : public ui::testing::UiTest {
  protected:
    // Installs the build into dir_/prefix; false (with the reason logged) when that failed.
    bool Install() {
        const std::string command = "cmake --install '" + std::string(TEMBRIN_BINARY_DIR) +
                                    "' --prefix '" + Prefix().string() + "' >'" +
                                    (dir_ / "install.log").string() + "' 2>&1";
        return std::system(command.c_str()) == 0;
    }
    // Width and height from a PNG file's header (0 x 0 when it is not one).
    static std::pair<uint32_t, uint32_t> PngSize(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        unsigned char header[24] = {};
        in.read(reinterpret_cast<char*>(header), sizeof header);
        if (!in || std::string(reinterpret_cast<char*>(header) + 1, 3) != "PNG") return {0, 0};
        auto word = [&](int at) {
            return uint32_t(header[at]) << 24 | uint32_t(header[at + 1]) << 16 |
                   uint32_t(header[at + 2]) << 8 | uint32_t(header[at + 3]);
        };
        return {word(16), word(20)};
    }
    static bool Passes(const std::string& validator, const std::filesystem::path& file) {
        return std::system((validator + " '" + file.string() + "' >/dev/null 2>&1").c_str()) == 0;
    }

    std::filesystem::path Prefix() const { return dir_ / "prefix"; }
};

TEST_F(InstalledProgramTest, TheInstallHoldsTheProgramsTheirDataAndTheDesktopFiles) {
    TEMBRIN_REQUIRE(
        testing_support::HaveFile(std::string(TEMBRIN_BINARY_DIR) + "/src/cli/tembrin-ico-cli"),
        "the built programs");
    for (const char* tool : {"convert", "desktop-file-validate", "appstreamcli"})
        TEMBRIN_REQUIRE(testing_support::HaveProgram(tool), tool);
    ASSERT_TRUE(Install()) << "see " << dir_ / "install.log";
    const auto share = Prefix() / "share";
    for (const auto& file :
         {Prefix() / "bin/tembrin-ico", Prefix() / "bin/tembrin-ico-cli",
          share / "tembrin-ico/banner/index.html", share / "man/man1/tembrin-ico.1.gz",
          share / "man/man1/tembrin-ico-cli.1.gz"})
        EXPECT_TRUE(std::filesystem::exists(file)) << file;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const auto icon = share / "icons/hicolor" / name / "apps/tembrin-ico.png";
        EXPECT_EQ(PngSize(icon), std::make_pair(uint32_t(size), uint32_t(size))) << icon;
        testing::Screenshot decoded(icon);  // an independent reader takes it
        EXPECT_TRUE(decoded.Loaded()) << icon;
    }
    const auto desktop = share / "applications/tembrin-ico.desktop";
    const auto metainfo = share / "metainfo/io.github.tembrin.TembrinICO.metainfo.xml";
    ASSERT_TRUE(std::filesystem::exists(desktop));
    ASSERT_TRUE(std::filesystem::exists(metainfo));
    EXPECT_TRUE(Passes("desktop-file-validate", desktop));
    EXPECT_TRUE(Passes("appstreamcli validate --no-net", metainfo));
}

TEST_F(InstalledProgramTest, TheInstalledProgramOpensThePictureNamedOnItsCommandLine) {
    for (const char* tool : {"xvfb-run", "xdotool", "import", "convert"})
        TEMBRIN_REQUIRE(testing_support::HaveProgram(tool), tool);
    TEMBRIN_REQUIRE(
        testing_support::HaveFile(std::string(TEMBRIN_BINARY_DIR) + "/src/cli/tembrin-ico-cli"),
        "the built programs");
    ASSERT_TRUE(Install()) << "see " << dir_ / "install.log";

    auto* form = Application().CreateForm<TForm1>();
    form->Show();
    Pump();
    const TPoint view = form->img1->ClientToScreen({0, 0});
    const TPoint strip = form->WebBrowser1->ClientToScreen({0, 0});

    const std::string first = WriteBitmap("first.bmp", 120, 60, 0x30A050);
    const std::string second = WriteBitmap("second.bmp", 120, 60, 0xD04010);
    const std::filesystem::path shot = dir_ / "shot.png";
    std::ostringstream script;
    // Started from the test's folder with the installed copy only: the banner page can come
    // from the prefix alone.
    script << "timeout -s KILL 40 '" << (Prefix() / "bin/tembrin-ico").string()
           << "' first.bmp second.bmp >app.log 2>&1 &\n"
           << "APP=$!\n"
           << "xdotool search --sync --onlyvisible --name 'TembrinICO' >/dev/null\n"
           << "sleep 3\n"
           << "import -window root '" << shot.string() << "'\n"
           << "kill $APP\n"
           << "wait $APP || true\n";
    ASSERT_TRUE(testing::RunUnderXvfb(dir_, script.str())) << "see " << dir_ / "xvfb.log";
    testing::Screenshot screen(shot);
    ASSERT_TRUE(screen.Loaded()) << "see " << dir_ / "xvfb.log";
    EXPECT_EQ(screen.Pixel(view.x, view.y), 0x30A050u);
    EXPECT_EQ(screen.Pixel(view.x + 119, view.y + 59), 0x30A050u);
    EXPECT_NE(screen.Pixel(view.x + 120, view.y + 30), 0x30A050u);
    // The banner page found beside the installed program: its colour fills the strip.
    EXPECT_EQ(screen.Pixel(strip.x + 2, strip.y + 2), 0x1F4E8Cu);
    EXPECT_EQ(screen.Pixel(strip.x + 460, strip.y + 95), 0x1F4E8Cu);
}

}  // namespace
}  // namespace app
