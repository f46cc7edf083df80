// tembrin-ico-cli info, extract and preview: damaged icons named precisely, entries written
// as PNG, and the preview sheet drawn the way the platform draws icons.
#include "cli/cli_process.h"

namespace {

using namespace cli_testing;

void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
}
uint32_t GetU32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
           uint32_t(b[at + 3]) << 24;
}

class IconInspection : public CliTest {
  protected:
    // 16 and 32 as BMP, 64 as PNG.
    std::vector<uint8_t> GoodIcon() {
        std::string icon = Path("good.ico");
        EXPECT_EQ(
            Cli("build --sizes 16,32,64 --png-from 64 " + Picture("disc") + " " + icon).status, 0);
        return ReadBytes(icon);
    }

    // info on a damaged copy: exit 1 and the problem named.
    void ExpectProblem(const std::vector<uint8_t>& bytes, const std::string& problem) {
        std::string path = Path("damaged.ico");
        WriteBytes(path, bytes);
        CliRun run = Cli("info " + path);
        EXPECT_EQ(run.status, 1) << run.out << run.err;
        EXPECT_NE(run.out.find(path + ": " + problem), std::string::npos) << run.out;
        EXPECT_EQ(run.out.find(": valid"), std::string::npos);
    }
};

TEST_F(IconInspection, InfoNamesEachKindOfDamage) {
    const std::vector<uint8_t> good = GoodIcon();
    size_t dibAt = GetU32(good, 6 + 12), pngAt = GetU32(good, 6 + 32 + 12);

    std::vector<uint8_t> cut(good.begin(), good.end() - 100);
    ExpectProblem(cut, "entry 2: image data (" + std::to_string(good.size() - pngAt) +
                           " bytes at " + std::to_string(pngAt) +
                           ") extends past the end of the file (" + std::to_string(cut.size()) +
                           " bytes)");
    ExpectProblem({good.begin(), good.begin() + 30},
                  "the directory (3 entries) extends past the end of the file");

    std::vector<uint8_t> overlap = good;
    PutU32(overlap, 6 + 16 + 12, GetU32(good, 6 + 12) + 8);
    ExpectProblem(overlap, "entries 0 and 1 overlap");

    std::vector<uint8_t> wrongSize = good;
    wrongSize[6 + 16] = 31;
    ExpectProblem(wrongSize, "entry 1: the directory says 31x32, the image is 32x32");
    std::vector<uint8_t> wrongPng = good;
    wrongPng[6 + 32 + 1] = 63;
    ExpectProblem(wrongPng, "entry 2: the directory says 64x63, the image is 64x64");
    std::vector<uint8_t> wrongBits = good;
    wrongBits[6 + 6] = 8;
    ExpectProblem(wrongBits, "entry 0: the directory says 8 bits, the image has 32");

    std::vector<uint8_t> notDoubled = good;
    PutU32(notDoubled, dibAt + 8, 16);
    ExpectProblem(notDoubled, "entry 0: the image height is not doubled for the mask");

    std::vector<uint8_t> noMask = good;
    PutU32(noMask, 6 + 8, GetU32(good, 6 + 8) - 16 * 4);
    ExpectProblem(noMask, "entry 0: the AND mask is missing or cut short");

    std::vector<uint8_t> badPng = good;
    badPng[pngAt + 40] ^= 0xFF;  // inside IHDR or the first chunk: its checksum fails
    ExpectProblem(badPng, "entry 2: damaged PNG picture");

    std::vector<uint8_t> intoDirectory = good;
    PutU32(intoDirectory, 6 + 12, 10);
    ExpectProblem(intoDirectory, "entry 0: image data overlaps the directory");
}

// Icons that other programs wrote (no build of the tool's own).
using ForeignIconInspection = IconInspection;

TEST_F(ForeignIconInspection, InfoTellsAnIconFromOtherFilesAndAcceptsOtherWriters) {
    WriteBytes(Path("text.ico"), {'h', 'e', 'l', 'l', 'o', '!', '!'});
    WriteBytes(Path("empty.ico"), {});
    for (const char* name : {"text.ico", "empty.ico", "missing.ico"}) {
        CliRun run = Cli("info " + Path(name));
        EXPECT_EQ(run.status, 2) << name;
        EXPECT_EQ(run.err.rfind(Path(name) + ": ", 0), 0u) << run.err;
    }
    std::string png = Picture("disc");
    ASSERT_EQ(
        Shell("/usr/bin/convert " + png + " -define icon:auto-resize=48,16 " + Path("magick.ico")),
        0);
    ASSERT_EQ(Shell("/usr/bin/convert " + png + " -resize 32x32 " + Path("small.png") +
                    " && icotool -c -o " + Path("icotool.ico") + " " + Path("small.png")),
              0);
    for (const char* name : {"magick.ico", "icotool.ico"}) {
        CliRun run = Cli("info " + Path(name));
        EXPECT_EQ(run.status, 0) << name << "\n" << run.out;
    }
}

TEST_F(IconInspection, ExtractWritesEveryEntryWithItsTransparency) {
    std::string icon = Path("one.ico");
    ASSERT_EQ(Cli("build --depth 1 --sizes 16 " + Picture("bleed") + " " + icon).status, 0);
    CliRun run = Cli("extract " + icon + " " + Path("out"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              Path("out") + "/one_0_16x16_1.png\n" + Path("out") + "/one_1_16x16_32.png\n");
    // The 1-bit entry: the mask makes the left half transparent, the red half is white.
    Pixels mono = ReadPicture(Path("out/one_0_16x16_1.png"));
    ASSERT_EQ(mono.width, 16);
    EXPECT_EQ(mono.At(2, 5)[3], 0);
    EXPECT_EQ(std::vector<uint8_t>(mono.At(12, 5), mono.At(12, 5) + 4),
              (std::vector<uint8_t>{0, 0, 0, 255}))
        << "red is dark: black";
    WriteBytes(Path("broken.ico"),
               {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0, 0xFF, 0, 0, 0, 22, 0, 0, 0});
    CliRun broken = Cli("extract " + Path("broken.ico") + " " + Path("out2"));
    EXPECT_EQ(broken.status, 1);
    EXPECT_EQ(broken.err, Path("broken.ico") +
                              ": entry 0: image data (255 bytes at 22) extends past the end of the "
                              "file (22 bytes)\n");
    // A cut icon: the entries still whole are extracted, the cut one is named.
    std::vector<uint8_t> good = GoodIcon();
    WriteBytes(Path("cut.ico"), {good.begin(), good.end() - 10});
    CliRun cut = Cli("extract " + Path("cut.ico") + " " + Path("out3"));
    EXPECT_EQ(cut.status, 1);
    EXPECT_NE(cut.err.find("cut.ico: entry 2: image data"), std::string::npos) << cut.err;
    EXPECT_EQ(cut.out,
              Path("out3") + "/cut_0_16x16_32.png\n" + Path("out3") + "/cut_1_32x32_32.png\n");
    CliRun preview = Cli("preview " + Path("cut.ico") + " " + Path("cut.png"));
    EXPECT_EQ(preview.status, 1);
    EXPECT_NE(preview.err.find("the icon is damaged; no preview written"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(Path("cut.png")));
}

TEST_F(IconInspection, PreviewDrawsEachEntryOverLightDarkAndChecker) {
    // A 4-bit entry (AND mask, then XOR colour) and a 32-bit one (alpha blended), 64 x 64 each.
    std::string icon = Path("sheet.ico"), sheet = Path("sheet.png");
    ASSERT_EQ(Cli("build --depth 4 --sizes 64 --png-from 0 " + Picture("disc") + " " + icon).status,
              0);
    CliRun run = Cli("preview " + icon + " " + sheet);
    ASSERT_EQ(run.status, 0) << run.err;
    Pixels p = ReadPicture(sheet);
    ASSERT_GT(p.width, 2 * 64);
    auto rgb = [&](int x, int y) {
        return std::vector<int>{p.At(x, y)[0], p.At(x, y)[1], p.At(x, y)[2]};
    };
    // Columns start 8 pixels in, 8 apart; rows are 64 + 8 high, after an 8-pixel margin.
    for (int column : {8, 8 + 64 + 8}) {
        SCOPED_TRACE(column);
        EXPECT_EQ(rgb(column, 8), (std::vector<int>{248, 248, 248}));    // light, outside the disc
        EXPECT_EQ(rgb(column, 80), (std::vector<int>{32, 32, 32}));      // dark
        EXPECT_EQ(rgb(column, 152), (std::vector<int>{255, 255, 255}));  // checker, first square
        EXPECT_EQ(rgb(column + 8, 152), (std::vector<int>{204, 204, 204}));
        for (int row : {8, 80, 152}) {
            std::vector<int> red = rgb(column + 8, row + 32);  // inside the disc
            EXPECT_NEAR(red[0], 200, 24);
            EXPECT_NEAR(red[1], 40, 24);
        }
    }
    // The half-transparent square is blended with what lies under it in the 32-bit column.
    EXPECT_NE(rgb(80 + 32, 8 + 32), rgb(80 + 32, 80 + 32));
    int dark = 0;  // the label under the entry
    for (int y = 152 + 64; y < p.height; ++y)
        for (int x = 8; x < 8 + 64; ++x) dark += p.At(x, y)[0] < 96;
    EXPECT_GT(dark, 10);
    WriteBytes(Path("bad.ico"), {1, 2, 3});
    CliRun bad = Cli("preview " + Path("bad.ico") + " " + sheet);
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, Path("bad.ico") + ": not an icon file\n");
}

}  // namespace
