// tembrin-ico-cli build: the icons it writes, checked through other programs' readers and
// byte by byte.
#include "cli/cli_process.h"
#include "core/stream.h"
#include "support/bmp_builder.h"
#include "tembrin_version.h"

namespace {

using namespace cli_testing;

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
           uint32_t(b[at + 3]) << 24;
}

// The image data of directory record `index`.
std::vector<uint8_t> EntryBytes(const std::vector<uint8_t>& icon, size_t index) {
    size_t record = 6 + 16 * index;
    size_t bytes = U32(icon, record + 8), offset = U32(icon, record + 12);
    return {icon.begin() + long(offset), icon.begin() + long(offset + bytes)};
}

class IconBuild : public CliTest {
  protected:
    // Extracts `icon` and has Pillow, icoutils and ImageMagick read it back.
    void ExpectReadersAgree(const std::string& icon) {
        std::string extracted = Path("extracted"), work = Path("work");
        ASSERT_EQ(Cli("extract " + icon + " " + extracted).status, 0);
        std::filesystem::create_directories(work);
        std::string report = Path("readers.txt");
        int status = Shell("/usr/bin/python3 " + Script("compare_readers.py") + " " + icon + " " +
                           extracted + " " + work + " > " + report + " 2>&1");
        EXPECT_EQ(status, 0) << Slurp(report);
        std::filesystem::remove_all(extracted);
        std::filesystem::remove_all(work);
    }

    Pixels Entry(const std::string& icon, int index, const std::string& name) {
        std::string folder = Path("entry");
        std::filesystem::remove_all(folder);
        EXPECT_EQ(Cli("extract " + icon + " " + folder).status, 0);
        std::string stem = std::filesystem::path(icon).stem().string();
        return ReadPicture(folder + "/" + stem + "_" + std::to_string(index) + "_" + name + ".png");
    }

    std::string SampleBmp() {
        testing_support::BmpSpec s;  // 8 x 4, white with a red 4 x 2 block in the middle
        s.width = 8;
        s.height = 4;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 8; ++x) {
                bool red = x >= 2 && x < 6 && y >= 1 && y < 3;
                s.pixels.insert(s.pixels.end(),
                                {uint8_t(red ? 0 : 255), uint8_t(red ? 0 : 255), 255});
            }
        std::string path = Path("sample.bmp");
        core::TMemoryStream(testing_support::MakeBmp(s)).SaveToFile(path);
        return path;
    }
};

TEST_F(IconBuild, DefaultSizesAreReadBackIdenticallyByPillowIcotoolAndImageMagick) {
    std::string icon = Path("disc.ico");
    CliRun run = Cli("build " + Picture("disc") + " " + icon);
    ASSERT_EQ(run.status, 0) << run.err;
    CliRun info = Cli("info " + icon);
    EXPECT_EQ(info.status, 0) << info.out;
    EXPECT_NE(info.out.find(icon + ": 7 entries\n"), std::string::npos);
    for (const char* line :
         {" 0    16x16  32 bits  BMP", " 3    48x48  32 bits  BMP", " 6  256x256  32 bits  PNG"})
        EXPECT_NE(info.out.find(line), std::string::npos) << line << "\n" << info.out;
    EXPECT_NE(info.out.find(icon + ": valid\n"), std::string::npos);
    ExpectReadersAgree(icon);
    // The disc's red survives at every size, its surroundings stay transparent.
    Pixels small = Entry(icon, 0, "16x16_32");
    ASSERT_EQ(small.width, 16);
    EXPECT_EQ(small.At(0, 0)[3], 0);
    const uint8_t red[4] = {200, 40, 40, 255};  // Lanczos may ring by a step or two
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(small.At(2, 8)[c], red[c], 2) << c;
}

TEST_F(IconBuild, PaletteEntriesOfEachDepthAreReadBackIdentically) {
    std::string source = Picture("disc");
    for (const char* depth : {"8", "4", "1"}) {
        SCOPED_TRACE(depth);
        std::string icon = Path(std::string("depth") + depth + ".ico");
        ASSERT_EQ(Cli(Words({"build --depth", depth, "--sizes 16,32,256", source, icon})).status,
                  0);
        CliRun info = Cli("info " + icon);
        EXPECT_EQ(info.status, 0) << info.out;
        EXPECT_NE(info.out.find(" 0    16x16  " + std::string(depth[1] ? "" : " ") + depth +
                                " bits  BMP"),
                  std::string::npos)
            << info.out;
        EXPECT_NE(info.out.find(": 6 entries"), std::string::npos) << info.out;
        ExpectReadersAgree(icon);
    }
}

TEST_F(IconBuild, PngFromChoosesTheCompressedEntries) {
    std::string source = Picture("disc");
    std::string never = Path("never.ico"), from64 = Path("from64.ico");
    ASSERT_EQ(Cli("build --png-from 0 " + source + " " + never).status, 0);
    ASSERT_EQ(Cli("build --png-from 64 " + source + " " + from64).status, 0);
    EXPECT_EQ(Cli("info " + never).out.find("PNG"), std::string::npos);
    std::string listed = Cli("info " + from64).out;
    EXPECT_NE(listed.find("48x48  32 bits  BMP"), std::string::npos) << listed;
    EXPECT_NE(listed.find("64x64  32 bits  PNG"), std::string::npos) << listed;
    EXPECT_NE(listed.find("128x128  32 bits  PNG"), std::string::npos) << listed;
    ExpectReadersAgree(from64);
    ExpectReadersAgree(never);
}

TEST_F(IconBuild, SizesOptionTakesAnyOneTo256AndRejectsTheRest) {
    std::string icon = Path("odd.ico");
    ASSERT_EQ(Cli("build --sizes 20,1,256,20 " + Picture("disc") + " " + icon).status, 0);
    std::string listed = Cli("info " + icon).out;
    EXPECT_NE(listed.find(": 3 entries"), std::string::npos) << listed;
    EXPECT_NE(listed.find(" 0      1x1  32 bits"), std::string::npos) << listed;
    EXPECT_NE(listed.find(" 1    20x20  32 bits"), std::string::npos) << listed;
    for (const char* bad : {"0", "257", "16,x", ","}) {
        CliRun run = Cli(std::string("build --sizes ") + bad + " a.png b.ico");
        EXPECT_EQ(run.status, 2) << bad;
        EXPECT_NE(run.err.find("tembrin-ico-cli: "), std::string::npos);
    }
    EXPECT_EQ(Cli("build --depth 16 a.png b.ico").status, 2);
    EXPECT_EQ(Cli("build --filter cubic a.png b.ico").status, 2);
    EXPECT_EQ(Cli("build --key-colour red a.png b.ico").status, 2);
    EXPECT_EQ(Cli("build a.png").status, 2);
}

// Down-scaling works on premultiplied colour: the hidden green never tints the red edge, and
// the AND mask is 1 exactly where alpha is 0.
TEST_F(IconBuild, TransparentColourDoesNotBleedAndTheMaskFollowsAlpha) {
    std::string icon = Path("bleed.ico");
    std::string source = Picture("bleed");
    for (const char* filter : {"box", "lanczos"}) {
        SCOPED_TRACE(filter);
        ASSERT_EQ(Cli(Words({"build --filter", filter, "--sizes 24", source, icon})).status, 0);
        std::vector<uint8_t> dib = EntryBytes(ReadBytes(icon), 0);
        ASSERT_EQ(dib.size(), 40u + 24 * 24 * 4 + 24 * 4);
        int shown = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x) {
                const uint8_t* bgra = &dib[40 + (size_t(y) * 24 + size_t(x)) * 4];
                bool masked =
                    dib[40 + 24 * 24 * 4 + size_t(y) * 4 + size_t(x) / 8] & (0x80 >> (x % 8));
                EXPECT_EQ(masked, bgra[3] == 0) << x << "," << y;
                if (bgra[3] > 0) {
                    EXPECT_EQ(bgra[1], 0) << "green at " << x << "," << y;
                }
                shown += bgra[3] > 0;
            }
        EXPECT_GE(shown, 24 * 12);
    }
}

TEST_F(IconBuild, EachSizeIsResampledFromTheSourceItself) {
    std::string source = Picture("disc");
    for (const char* filter : {"box", "lanczos", "nearest"}) {
        SCOPED_TRACE(filter);
        std::string all = Path("all.ico"), alone = Path("alone.ico");
        ASSERT_EQ(Cli(Words({"build --filter", filter, source, all})).status, 0);
        ASSERT_EQ(Cli(Words({"build --filter", filter, "--sizes 24", source, alone})).status, 0);
        EXPECT_EQ(EntryBytes(ReadBytes(all), 1), EntryBytes(ReadBytes(alone), 0));
    }
}

TEST_F(IconBuild, UpScalingRepeatsPixelsAndKeepsProportions) {
    std::string icon = Path("pixels.ico");
    ASSERT_EQ(Cli("build --sizes 16 " + Picture("pixels") + " " + icon).status, 0);
    Pixels big = Entry(icon, 0, "16x16_32");
    ASSERT_EQ(big.width, 16);
    const uint8_t quarters[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const uint8_t* q = quarters[(y / 8) * 2 + x / 8];
            ASSERT_EQ(std::vector<uint8_t>(big.At(x, y), big.At(x, y) + 4),
                      (std::vector<uint8_t>{q[0], q[1], q[2], 255}))
                << x << "," << y;
        }
    // 64 x 32 in a 32 x 32 entry: 32 x 16 in the middle, clear above and below.
    std::string wide = Path("wide.ico");
    ASSERT_EQ(Cli("build --sizes 32 " + Picture("wide") + " " + wide).status, 0);
    Pixels entry = Entry(wide, 0, "32x32_32");
    for (int y = 0; y < 32; ++y) EXPECT_EQ(entry.At(5, y)[3], y >= 8 && y < 24 ? 255 : 0) << y;
    EXPECT_EQ(entry.At(5, 16)[2], 255);
}

TEST_F(IconBuild, KeyColourMakesPicturesWithoutAlphaTransparent) {
    std::string bmp = SampleBmp(), icon = Path("keyed.ico");
    // 8 x 4 centred in 8 x 8: rows 2..5; the red block is at x 2..5, rows 3..4.
    ASSERT_EQ(Cli("build --sizes 8 " + bmp + " " + icon).status, 0);
    Pixels opaque = Entry(icon, 0, "8x8_32");
    EXPECT_EQ(opaque.At(0, 2)[3], 255);
    EXPECT_EQ(opaque.At(0, 0)[3], 0);  // outside the picture
    ASSERT_EQ(Cli("build --key-colour corner --sizes 8 " + bmp + " " + icon).status, 0);
    Pixels corner = Entry(icon, 0, "8x8_32");
    EXPECT_EQ(corner.At(0, 2)[3], 0);
    EXPECT_EQ(std::vector<uint8_t>(corner.At(3, 3), corner.At(3, 3) + 4),
              (std::vector<uint8_t>{255, 0, 0, 255}));
    ASSERT_EQ(Cli("build --key-colour FF0000 --sizes 8 " + bmp + " " + icon).status, 0);
    Pixels red = Entry(icon, 0, "8x8_32");
    EXPECT_EQ(red.At(3, 3)[3], 0);
    EXPECT_EQ(red.At(0, 2)[3], 255);
}

TEST_F(IconBuild, AFailingBuildNamesTheFileAndLeavesTheOldIcon) {
    std::string icon = Path("kept.ico");
    WriteBytes(icon, {'o', 'l', 'd'});
    std::vector<uint8_t> png = ReadBytes(Picture("disc"));
    std::string cut = Path("cut.png"), garbage = Path("garbage.png"), odd = Path("picture.xyz");
    WriteBytes(cut, {png.begin(), png.begin() + long(png.size() / 2)});
    WriteBytes(garbage, {0x89, 'P', 'N', 'G', 1, 2, 3});
    WriteBytes(odd, png);
    for (const std::string& input : {cut, garbage, odd, Path("missing.png"), Path("missing.bmp")}) {
        CliRun run = Cli(Words({"build", input, icon}));
        EXPECT_EQ(run.status, 1) << input;
        EXPECT_EQ(run.err.rfind(input + ": ", 0), 0u) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
        EXPECT_EQ(Slurp(icon), "old");
    }
    CliRun unwritable = Cli("build " + Picture("disc") + " " + Path("no/such/folder/x.ico"));
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("Cannot create file"), std::string::npos) << unwritable.err;
}

TEST_F(IconBuild, SeveralInputsGoToAFolderAndAFailureSparesTheOthers) {
    std::string broken = Path("broken.png"), out = Path("icons");
    WriteBytes(broken, {1, 2, 3});
    CliRun run = Cli("build --sizes 16,32 " + Picture("disc") + " " + broken + " " +
                     Picture("bleed") + " " + SampleBmp() + " -o " + out);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(broken + ": "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("1 of 4 inputs failed"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('['), std::string::npos) << "no progress bar without a terminal";
    for (const char* name : {"disc", "bleed", "sample"})
        EXPECT_EQ(Cli("info " + out + "/" + name + ".ico").status, 0) << name;
    EXPECT_FALSE(std::filesystem::exists(out + "/broken.ico"));
    CliRun good = Cli("build " + Picture("pixels") + " -o " + out);
    EXPECT_EQ(good.status, 0) << good.err;
    EXPECT_EQ(Cli("info " + out + "/pixels.ico").status, 0);
}

// On a terminal (a pseudo-terminal from script(1)) the progress bar counts to the end.
TEST_F(IconBuild, SeveralInputsShowAProgressBarOnATerminal) {
    std::string typescript = Path("terminal.txt");
    std::string command = std::string(TEMBRIN_BINARY_DIR) +
                          "/src/cli/tembrin-ico-cli build --sizes 16 " + Picture("pixels") + " " +
                          Picture("wide") + " -o " + Path("icons");
    ASSERT_EQ(Shell("script -qec '" + command + "' /dev/null > " + typescript), 0);
    std::string shown = Slurp(typescript);
    EXPECT_NE(shown.find("\r[" + std::string(40, '#') + "] 2/2"), std::string::npos) << shown;
    EXPECT_NE(shown.find("] 0/2"), std::string::npos) << shown;
}

using CliHelp = IconBuild;

TEST_F(CliHelp, DescribesEveryCommandAndVersionIsTheProjects) {
    CliRun help = Cli("--help");
    EXPECT_EQ(help.status, 0);
    for (const char* usage :
         {"export --size 64|32|16 INPUT OUTPUT", "render INPUT OUTPUT.bmp [--size WxH]",
          "build [options] INPUT OUTPUT.ico", "build [options] INPUT... -o DIR", "--sizes LIST",
          "--png-from N", "--depth 32|8|4|1", "--filter box|lanczos|nearest",
          "--key-colour corner|RRGGBB", "info FILE.ico", "extract FILE.ico DIR",
          "preview FILE.ico SHEET.png", "--version"})
        EXPECT_NE(help.out.find(usage), std::string::npos) << usage;
    EXPECT_EQ(Cli("build --help").out, help.out);
    CliRun version = Cli("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("tembrin-ico-cli ") + TEMBRIN_VERSION + "\n");
}

}  // namespace
