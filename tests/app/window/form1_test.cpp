#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>
#include <tuple>

#include "app/export/icon_export.h"
#include "app/window/form1.h"
#include "app/window/startup.h"
#include "codecs/gif/gif_builder.h"
#include "codecs/gif/gif_image.h"
#include "codecs/register.h"
#include "graphics/color.h"
#include "graphics/picture.h"
#include "support/bmp_builder.h"
#include "ui/ui_fixture.h"

namespace app {
namespace {

using ui::Application;
using ui::TPoint;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class Form1Test : public ui::testing::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        codecs::RegisterPictureFormats();
        Application().SetTitle(kApplicationTitle);
        form_ = Application().CreateForm<TForm1>();
        form_->Show();
        Pump();
        // Both dialogs start in the test's folder.
        form_->bsknpndlg1->SetFileName((dir_ / "").string());
        form_->bsSkinSaveDialog1->SetFileName((dir_ / "").string());
    }

    // Clicks "打开图片" and types the name into the open dialog.
    void Open(const std::string& name) {
        form_->bsknpndlg1->SetFileName((dir_ / "").string());  // an empty edit in our folder
        Click(*form_->btn1);
        host_->Type(name);
        host_->PressKey(platform::VK_RETURN);
        Pump();
    }
    // Right-clicks the large view and picks the n-th popup item (1-based), then names the file.
    void ExportThroughPopup(int item, const std::string& name) {
        form_->bsSkinSaveDialog1->SetFileName((dir_ / "").string());
        TPoint p = CenterOf(*form_->img1);
        host_->Click(p.x, p.y, platform::kHostRightButton);
        // The skinned popup opens with its first item active.
        for (int i = 1; i < item; ++i) host_->PressKey(platform::VK_DOWN);
        host_->PressKey(platform::VK_RETURN);
        host_->Type(name);
        host_->PressKey(platform::VK_RETURN);
        Pump();
    }
    void ExportThroughButton(ui::TControl& button, const std::string& name) {
        form_->bsSkinSaveDialog1->SetFileName((dir_ / "").string());
        Click(button);
        host_->Type(name);
        host_->PressKey(platform::VK_RETURN);
        Pump();
    }
    // Where the view shows picture pixels of `rgb`; beyond them the skinned background of
    // the view's parent shows through.
    void ExpectPictureArea(ui::TImage& view, int w, int h, uint32_t rgb) {
        EXPECT_EQ(PixelOf(view, 0, 0), rgb);
        EXPECT_EQ(PixelOf(view, w - 1, h - 1), rgb);
        if (w < view.Width()) {
            EXPECT_NE(PixelOf(view, w, 0), rgb);
        }
        if (h < view.Height()) {
            EXPECT_NE(PixelOf(view, 0, h), rgb);
        }
    }

    TForm1* form_ = nullptr;
};

TEST_F(Form1Test, WindowIsLaidOutAsDescribed) {
    EXPECT_EQ(form_->Caption(), "TembrinICO图标生成工具V1.0");
    EXPECT_EQ(form_->ClientWidth(), 468);
    EXPECT_EQ(form_->ClientHeight(), 482);
    // Stored at 231, 213; the skinned frame centres the window on the screen when it shows.
    EXPECT_EQ(form_->Width(), 476);
    EXPECT_EQ(form_->Height(), 513);
    EXPECT_EQ(form_->Left(), 1024 / 2 - 476 / 2);
    EXPECT_EQ(form_->Top(), 768 / 2 - 513 / 2);
    EXPECT_TRUE(form_->bsform1->SkinActive());
    EXPECT_EQ(form_->bsform1->SkinData(), form_->bsskindata1);
    EXPECT_EQ(form_->bsform1->BorderIcons(), skin::biMinimize | skin::biMaximize);
    EXPECT_EQ(form_->BorderIcons(), 0);
    EXPECT_EQ(form_->Font().Name(), "新宋体");
    EXPECT_EQ(form_->Font().Height(), -12);

    EXPECT_EQ(form_->WebBrowser1->BoundsRect(), graphics::Rect(0, 0, 468, 100));
    EXPECT_EQ(form_->bspanel1->BoundsRect(), graphics::Rect(0, 100, 468, 221));
    EXPECT_EQ(form_->bsknscrlbx1->BoundsRect(), graphics::Rect(0, 221, 468, 482));
    EXPECT_EQ(form_->img1->BoundsRect(), graphics::Bounds(0, 0, 468, 261));
    // Aligned left inside the skinned panel's client rect (2, 2)-(466, 119).
    EXPECT_EQ(form_->bskngrpbx1->BoundsRect(), graphics::Rect(2, 2, 202, 119));
    EXPECT_EQ(form_->img2->BoundsRect(), graphics::Bounds(16, 24, 64, 64));
    EXPECT_EQ(form_->img3->BoundsRect(), graphics::Bounds(104, 56, 32, 32));
    EXPECT_EQ(form_->img4->BoundsRect(), graphics::Bounds(160, 72, 16, 16));
    // The skinned labels size themselves to their text in the font they draw with.
    for (auto [label, left, top] :
         {std::tuple{form_->lbl1, 36, 97}, std::tuple{form_->lbl2, 107, 96},
          std::tuple{form_->lbl3, 153, 96}}) {
        platform::SIZE text = label->MeasureText();
        EXPECT_EQ(label->BoundsRect(), graphics::Bounds(left, top, text.cx, text.cy));
    }
    EXPECT_EQ(form_->btn1->BoundsRect(), graphics::Bounds(224, 18, 73, 22));
    EXPECT_EQ(form_->btn2->BoundsRect(), graphics::Bounds(320, 18, 73, 22));
    EXPECT_EQ(form_->btn3->BoundsRect(), graphics::Bounds(224, 66, 73, 22));
    EXPECT_EQ(form_->btn4->BoundsRect(), graphics::Bounds(320, 66, 73, 22));
    EXPECT_EQ(form_->btn1->Caption(), "打开图片");
    EXPECT_EQ(form_->btn1->DefaultFont().Name(), "宋体");
    EXPECT_EQ(form_->lbl2->Caption(), "32*32");
    EXPECT_TRUE(form_->img2->Stretch());
    EXPECT_TRUE(form_->img1->Proportional());
    EXPECT_FALSE(form_->img1->Stretch());

    // The views and labels sit on the group box in their creation order.
    ASSERT_EQ(form_->bskngrpbx1->ControlCount(), 6);
    EXPECT_EQ(form_->bskngrpbx1->Controls(0), form_->img2);
    EXPECT_EQ(form_->bskngrpbx1->Controls(5), form_->lbl3);
    EXPECT_EQ(form_->bsknscrlbx1->PopupMenu(), form_->bsknpmn1);
    EXPECT_EQ(form_->FindComponent("bsknpndlg1"), form_->bsknpndlg1);

    // The window on the screen: the client area where the form says.
    TPoint origin = form_->ClientToScreen({0, 0});
    platform::RECT rect{};
    platform::GetWindowRect(form_->bsknscrlbx1->Handle(), &rect);
    EXPECT_EQ(rect.top - origin.y, 221);
    EXPECT_EQ(rect.bottom - origin.y, 482);
}

TEST_F(Form1Test, StartUpRegistersTheOleEntryThenTheCodecsAfterTheCoreFormats) {
    std::vector<graphics::TFileFormat> entries = graphics::TFileFormatsList::Instance().Entries();
    ASSERT_GE(entries.size(), 6u);
    EXPECT_EQ(entries[3].extension, "bmp");
    EXPECT_EQ(entries[4].extension, "");
    EXPECT_EQ(entries[5].extension, "gif");
    // Registering again adds nothing.
    codecs::RegisterPictureFormats();
    EXPECT_EQ(graphics::TFileFormatsList::Instance().Entries().size(), entries.size());
}

TEST_F(Form1Test, PublishedMethodsAreFoundByNameInDeclarationOrder) {
    const auto& table = TForm1::MethodTable();
    ASSERT_EQ(table.size(), 11u);
    EXPECT_STREQ(table.front().name, "FormCreate");
    EXPECT_STREQ(table[4].name, "outIco");
    EXPECT_STREQ(table.back().name, "BitmapToIcon");
    const TPublishedMethod* outIco = TForm1::MethodAddress("outIco");
    ASSERT_NE(outIco, nullptr);
    EXPECT_TRUE(std::holds_alternative<TExportMethod>(outIco->address));
    const TPublishedMethod* toIcon = TForm1::MethodAddress("bitmaptoicon");
    ASSERT_NE(toIcon, nullptr);
    EXPECT_TRUE(std::holds_alternative<TBitmapToIconMethod>(toIcon->address));
    EXPECT_EQ(TForm1::MethodAddress("missing"), nullptr);

    // The table's entries are the window's own methods.
    graphics::TBitmap bitmap;
    bitmap.SetWidth(16);
    bitmap.SetHeight(16);
    const TBitmapToIconMethod* method = std::get_if<TBitmapToIconMethod>(&toIcon->address);
    ASSERT_NE(method, nullptr);
    EXPECT_TRUE(*method == &TForm1::BitmapToIcon);
    std::unique_ptr<graphics::TIcon> icon = form_->BitmapToIcon(bitmap);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->Width(), 32);
}

TEST_F(Form1Test, OpeningABitmapShowsItAtItsSizeAndSqueezedInThePreviews) {
    WriteBitmap("pic.bmp", 200, 100, 0xC03020);
    Open("pic.bmp");
    ASSERT_TRUE(boxes_.empty()) << boxes_[0].text;
    for (ui::TImage* view : {form_->img1, form_->img2, form_->img3, form_->img4}) {
        ASSERT_NE(view->Picture().Graphic(), nullptr);
        EXPECT_EQ(view->Picture().Width(), 200);
    }
    // Each view holds its own copy.
    EXPECT_NE(form_->img1->Picture().Graphic(), form_->img2->Picture().Graphic());
    ExpectPictureArea(*form_->img1, 200, 100, 0xC03020);
    ExpectPictureArea(*form_->img2, 64, 64, 0xC03020);
    ExpectPictureArea(*form_->img3, 32, 32, 0xC03020);
    ExpectPictureArea(*form_->img4, 16, 16, 0xC03020);
}

TEST_F(Form1Test, LargePicturesShrinkWithTheirRatioKept) {
    WriteBitmap("wide.bmp", 1000, 500, 0x2080F0);
    Open("wide.bmp");
    EXPECT_EQ(form_->img1->DestRect(), graphics::Rect(0, 0, 468, 234));
    ExpectPictureArea(*form_->img1, 468, 234, 0x2080F0);

    WriteBitmap("tall.bmp", 300, 600, 0x30A040);
    Open("tall.bmp");
    EXPECT_EQ(form_->img1->DestRect(), graphics::Rect(0, 0, 130, 261));
    ExpectPictureArea(*form_->img1, 130, 261, 0x30A040);
}

TEST_F(Form1Test, AnAnimatedGifPlaysInAllFourViews) {
    // Two frames of 60 ms each, played once; the builder's colour i is (10i, 20i, 30i).
    const auto bytes = gif_test::GifBuilder(10, 10)
                           .GraphicControl(0, 5, 0)
                           .LiteralImage(0, 0, 10, 10, std::vector<int>(100, 1))
                           .GraphicControl(0, 5, 0)
                           .LiteralImage(0, 0, 10, 10, std::vector<int>(100, 2))
                           .Trailer()
                           .bytes();
    WriteFile("anim.gif", std::string(bytes.begin(), bytes.end()));
    Open("anim.gif");
    ASSERT_TRUE(boxes_.empty()) << boxes_[0].text;
    const std::vector<ui::TImage*> views = {form_->img1, form_->img2, form_->img3, form_->img4};
    auto showing = [&](uint32_t rgb) {
        for (ui::TImage* view : views)
            if (PixelOf(*view, 0, 0) != rgb) return false;
        return true;
    };
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    bool sawFirst = false;
    while (!showing(0x14283C) && std::chrono::steady_clock::now() < end) {
        sawFirst |= PixelOf(*form_->img1, 0, 0) == 0x0A141E;
        Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(sawFirst);
    EXPECT_TRUE(showing(0x14283C));
    for (ui::TImage* view : views) {
        auto* gif = dynamic_cast<codecs::gif::TGIFImage*>(view->Picture().Graphic());
        ASSERT_NE(gif, nullptr);
        EXPECT_NE(gif->OffscreenBitmap(), nullptr);  // each view composes its own animation
    }
}

TEST_F(Form1Test, CancellingTheOpenDialogChangesNothing) {
    WriteBitmap("pic.bmp", 20, 10, 0x102030);
    Open("pic.bmp");
    graphics::TGraphic* before = form_->img1->Picture().Graphic();
    ASSERT_NE(before, nullptr);
    WriteBitmap("other.bmp", 20, 10, 0x405060);
    form_->bsknpndlg1->SetFileName((dir_ / "").string());
    Click(*form_->btn1);
    host_->Type("other.bmp");
    host_->PressKey(platform::VK_ESCAPE);
    Pump();
    EXPECT_EQ(form_->img1->Picture().Graphic(), before);
    EXPECT_EQ(PixelOf(*form_->img1, 0, 0), 0x102030u);
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(Form1Test, UnreadablePicturesEndInTheErrorBoxAndLeaveTheViewsAlone) {
    WriteFile("photo.png", "\x89PNG\r\n\x1a\n");
    Open("photo.png");
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "Unknown picture file extension (.png)");
    EXPECT_EQ(boxes_[0].caption, "TembrinICO图标生成工具");
    EXPECT_EQ(boxes_[0].flags & platform::MB_ICONERROR, platform::MB_ICONERROR);
    EXPECT_EQ(form_->img1->Picture().Graphic(), nullptr);

    WriteFile("broken.ico", std::string(40, '\x7f'));
    Open("broken.ico");
    ASSERT_EQ(boxes_.size(), 2u);
    EXPECT_EQ(boxes_[1].text, "Icon image is not valid.");
    EXPECT_EQ(form_->img4->Picture().Graphic(), nullptr);
    // The program is still running and opens the next file.
    WriteBitmap("good.bmp", 8, 8, 0xFFFFFF);
    Open("good.bmp");
    EXPECT_NE(form_->img4->Picture().Graphic(), nullptr);
}

TEST_F(Form1Test, ExportButtonsAndPopupItemsWriteTheIconOfTheirSize) {
    // A picture whose three renderings differ, so each command's size shows in its file.
    graphics::TBitmap picture;
    picture.SetWidth(48);
    picture.SetHeight(48);
    const graphics::TColor colors[] = {graphics::clRed,   graphics::clBlue, graphics::clYellow,
                                       graphics::clBlack, graphics::clLime, graphics::clWhite};
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
            picture.Canvas().WritePixel(x, y, colors[(x * 7 + y * 3 + x * y) % 6]);
    std::string path = (dir_ / "busy.bmp").string();
    picture.SaveFile(path);
    Open("busy.bmp");
    ASSERT_TRUE(boxes_.empty());

    graphics::TGraphic* shown = form_->img1->Picture().Graphic();
    std::string expected64 = ReadAll(ExportIcon(shown, 64, 64, (dir_ / "ref64").string()));
    std::string expected32 = ReadAll(ExportIcon(shown, 32, 32, (dir_ / "ref32").string()));
    std::string expected16 = ReadAll(ExportIcon(shown, 16, 16, (dir_ / "ref16").string()));
    ASSERT_EQ(expected64.size(), 766u);
    ASSERT_NE(expected64, expected32);
    ASSERT_NE(expected32, expected16);
    ASSERT_NE(expected64, expected16);

    ExportThroughButton(*form_->btn2, "b64");
    ExportThroughButton(*form_->btn4, "b16");
    ExportThroughPopup(1, "p64");
    ExportThroughPopup(2, "p32");
    ExportThroughPopup(3, "p16");
    ASSERT_TRUE(boxes_.empty()) << boxes_[0].text;
    EXPECT_EQ(ReadAll((dir_ / "b64.ico").string()), expected64);
    EXPECT_EQ(ReadAll((dir_ / "b16.ico").string()), expected16);
    EXPECT_EQ(ReadAll((dir_ / "p64.ico").string()), expected64);
    EXPECT_EQ(ReadAll((dir_ / "p32.ico").string()), expected32);
    EXPECT_EQ(ReadAll((dir_ / "p16.ico").string()), expected16);

    // Cancelling the save dialog writes nothing.
    form_->bsSkinSaveDialog1->SetFileName((dir_ / "").string());
    Click(*form_->btn3);
    host_->Type("never");
    host_->PressKey(platform::VK_ESCAPE);
    Pump();
    EXPECT_FALSE(std::filesystem::exists(dir_ / "never.ico"));
}

TEST_F(Form1Test, RightClickBeforeAnyPictureOffersTheThreeExportCommands) {
    int popups = 0;
    form_->bsknpmn1->OnPopup = [&](ui::TComponent*) { ++popups; };
    ASSERT_EQ(form_->bsknpmn1->Items().Count(), 3);
    EXPECT_EQ(form_->bsknpmn1->Items().Items(0)->Caption(), "导出为（64X64）ICO图标");
    EXPECT_EQ(form_->bsknpmn1->Items().Items(1)->Caption(), "导出为（32X32）ICO图标");
    EXPECT_EQ(form_->bsknpmn1->Items().Items(2)->Caption(), "导出为（16X16）ICO图标");
    ExportThroughPopup(3, "empty");
    EXPECT_EQ(popups, 1);
    std::string expected = ReadAll(ExportIcon(nullptr, 16, 16, (dir_ / "ref").string()));
    EXPECT_EQ(ReadAll((dir_ / "empty.ico").string()), expected);
    EXPECT_EQ(expected.size(), 766u);
}

std::string AsText(const std::vector<uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// A 33 x 33 1-bit picture with black odd columns; `whiteFirst` picks the order of its table.
std::string StripedOneBitBmp(bool whiteFirst) {
    testing_support::BmpSpec s;
    s.width = s.height = 33;
    s.bits = 1;
    s.palette =
        whiteFirst ? std::vector<uint32_t>{0xFFFFFF, 0} : std::vector<uint32_t>{0, 0xFFFFFF};
    for (int row = 0; row < 33; ++row) {
        std::vector<uint8_t> line(8, 0);
        for (int x = 0; x < 33; ++x)
            if ((x % 2 == 1) == whiteFirst) line[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
        s.pixels.insert(s.pixels.end(), line.begin(), line.end());
    }
    return AsText(testing_support::MakeBmp(s));
}

// The previews draw a 1-bit picture in the paint context's BLACKONWHITE mode, so shrinking
// ANDs the colours of each group: the 32 x 32 preview's column 15 (source columns 15 and 16)
// is black, and the table's order changes nothing.
TEST_F(Form1Test, PreviewsShrinkAOneBitPictureTheSameWhateverTheOrderOfItsTable) {
    std::vector<std::vector<uint32_t>> shown;
    for (bool whiteFirst : {false, true}) {
        std::string name = whiteFirst ? "white_first.bmp" : "black_first.bmp";
        WriteFile(name, StripedOneBitBmp(whiteFirst));
        Open(name);
        ASSERT_TRUE(boxes_.empty()) << boxes_[0].text;
        EXPECT_EQ(PixelOf(*form_->img3, 14, 0), 0xFFFFFFu) << name;
        EXPECT_EQ(PixelOf(*form_->img3, 15, 0), 0x000000u) << name;
        EXPECT_EQ(PixelOf(*form_->img3, 16, 31), 0x000000u) << name;
        std::vector<uint32_t> pixels;
        for (ui::TImage* view : {form_->img2, form_->img3, form_->img4})
            for (int y = 0; y < view->Height(); ++y)
                for (int x = 0; x < view->Width(); ++x) pixels.push_back(PixelOf(*view, x, y));
        shown.push_back(pixels);
    }
    EXPECT_EQ(shown[0], shown[1]);
}

// A compressed file the raster cannot decode (here RLE8 stored top-down) is refused with the
// reader's message, and every view keeps the picture it showed.
TEST_F(Form1Test, UndecodableCompressedBitmapsEndInTheErrorBoxAndTheViewsKeepTheirPictures) {
    WriteBitmap("good.bmp", 20, 10, 0x3060C0);
    Open("good.bmp");
    ASSERT_TRUE(boxes_.empty()) << boxes_[0].text;
    const std::vector<ui::TImage*> views = {form_->img1, form_->img2, form_->img3, form_->img4};
    std::vector<graphics::TGraphic*> before;
    before.reserve(views.size());
    for (ui::TImage* view : views) before.push_back(view->Picture().Graphic());

    testing_support::BmpSpec s;
    s.width = 4;
    s.height = -2;
    s.bits = 8;
    s.compression = 1;  // RLE8
    s.pixels = {0x04, 0x01, 0x00, 0x00, 0x04, 0x02, 0x00, 0x01};
    s.imageSize = uint32_t(s.pixels.size());
    for (uint32_t i = 0; i < 256; ++i) s.palette.push_back(i * 0x010101);
    WriteFile("top_down_rle.bmp", AsText(testing_support::MakeBmp(s)));
    Open("top_down_rle.bmp");
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "Bitmap image is not valid.");
    for (size_t i = 0; i < views.size(); ++i) EXPECT_EQ(views[i]->Picture().Graphic(), before[i]);
    ExpectPictureArea(*form_->img1, 20, 10, 0x3060C0);
    ExpectPictureArea(*form_->img4, 16, 16, 0x3060C0);
}

}  // namespace
}  // namespace app
