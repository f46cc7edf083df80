#include <gtest/gtest.h>

#include <array>

#include "core/exceptions.h"
#include "package_fixture.h"
#include "skin/embedded_skin.h"
#include "skin/skin_data.h"

using namespace skin;
using namespace skin_test;

namespace {

// A form that records what it hears.
struct RecordingForm : TbsSkinMessageReceiver {
    struct Heard {
        std::string form;
        uint32_t message;
        TbsSkinData* data;
        int32_t param2;
        bool empty;
    };
    RecordingForm(std::string n, std::vector<Heard>& log) : name(std::move(n)), log_(log) {}
    void SkinDataMessage(uint32_t message, TbsSkinData* data, int32_t param2) override {
        log_.push_back({name, message, data, param2, data->Empty()});
    }
    std::string name;
    std::vector<Heard>& log_;
};

// Registers forms on the screen list for one test.
struct ScreenForms {
    explicit ScreenForms(std::initializer_list<RecordingForm*> forms) : forms_(forms) {
        for (auto* f : forms_) TbsSkinFormList::Screen().Add(f);
    }
    ~ScreenForms() {
        for (auto* f : forms_) TbsSkinFormList::Screen().Remove(f);
    }
    std::vector<RecordingForm*> forms_;
};

TbsCompressedStoredSkin EmbeddedStoredSkin() {
    TbsCompressedStoredSkin stored;
    std::span<const uint8_t> bytes = EmbeddedSkinPackage();
    stored.SetCompressedData(bytes.data(), static_cast<int64_t>(bytes.size()));
    return stored;
}

std::vector<uint8_t> SmallPackage(int version, std::string_view text = kSmallSkinText) {
    PackageBuilder p;
    p.Int(version)
        .Flag(0)
        .Bmp(TinyBmp(4, 3, 24))
        .Flag(1)
        .Flag(1)
        .Int(1)
        .Bmp(TinyBmp(2, 2, 8))
        .Text(text);
    return p.Bytes();
}

core::TMemIniFile Ini(std::string_view text) {
    core::TMemIniFile ini;
    ini.SetText(text);
    return ini;
}

}  // namespace

TEST(SkinData, LoadsTheProgramsOwnSkin) {
    TbsSkinData data;
    EXPECT_TRUE(data.Empty());
    EXPECT_EQ(data.HintWindow().FontHeight, 12);
    TbsCompressedStoredSkin stored = EmbeddedStoredSkin();
    data.SetCompressedStoredSkin(&stored);
    ASSERT_FALSE(data.Empty());
    EXPECT_FALSE(data.ChangingSkin());
    EXPECT_EQ(data.FramePicture().Width(), 285);
    EXPECT_EQ(data.FramePicture().Height(), 210);
    EXPECT_TRUE(data.InactiveFramePicture().Empty());
    EXPECT_EQ(data.FrameMask().BitCount(), 8);
    ASSERT_EQ(data.ActivePictures().size(), 8u);
    EXPECT_EQ(data.ActivePicture(4)->Width(), 556);
    EXPECT_EQ(data.ActivePicture(8), nullptr);
    EXPECT_EQ(data.ActivePicture(-1), nullptr);
    EXPECT_EQ(data.ActivePicturesNames()[7], "hintwindowmask.bmp");
    EXPECT_EQ(data.MaskName(), "mask.bmp");

    const char* objects[] = {"closebutton",        "maxbutton",        "minbutton",
                             "rollupbutton",       "sysmenubutton",    "caption",
                             "menuitem",           "mainmenubaritem",  "menubarsysmenubutton",
                             "menubarclosebutton", "menubarmaxbutton", "menubarminbutton",
                             "traybutton"};
    ASSERT_EQ(data.ObjectList().size(), 13u);
    for (size_t i = 0; i < 13; ++i) EXPECT_EQ(data.ObjectList()[i]->IDName, objects[i]);
    EXPECT_EQ(data.CtrlList().size(), 64u);
    EXPECT_EQ(data.GetControlIndex("Button"), -1);
    EXPECT_EQ(data.GetControlIndex("button"), 0);
    EXPECT_EQ(data.GetIndex("caption"), 5);
    EXPECT_EQ(data.GetIndex("nothing"), -1);

    auto* button = dynamic_cast<TbsDataSkinButtonControl*>(data.CtrlList()[0].get());
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->SkinRect, (TRect{458, 272, 500, 294}));
    EXPECT_EQ(button->LTPoint, (TPoint{3, 9}));
    EXPECT_EQ(button->RTPoint, (TPoint{35, 11}));
    EXPECT_EQ(button->ClRect, (TRect{2, 2, 40, 20}));
    auto* groupbox = dynamic_cast<TbsDataSkinPanelControl*>(
        data.CtrlList()[data.GetControlIndex("groupbox")].get());
    ASSERT_NE(groupbox, nullptr);
    EXPECT_EQ(groupbox->CaptionRect, (TRect{1, 1, 58, 14}));
    EXPECT_EQ(groupbox->FontColor, 11168318);
    EXPECT_NE(dynamic_cast<TbsDataSkinStdLabelControl*>(
                  data.CtrlList()[data.GetControlIndex("stdlabel")].get()),
              nullptr);
    EXPECT_NE(dynamic_cast<TbsDataSkinScrollBoxControl*>(
                  data.CtrlList()[data.GetControlIndex("scrollbox")].get()),
              nullptr);
    EXPECT_NE(
        dynamic_cast<TbsDataSkinListView*>(data.CtrlList()[data.GetControlIndex("listview")].get()),
        nullptr);

    const TbsSkinFormInfo& info = data.FormInfo();
    EXPECT_EQ(info.ClRect, (TRect{4, 27, 281, 206}));
    EXPECT_EQ(info.MaskRectArea, (TRect{4, 3, 282, 206}));
    EXPECT_EQ(info.InActiveEffect, TbsInactiveEffect::ieGrayscale);
    EXPECT_EQ(data.SkinColors().cBtnFace, 16641763);
    EXPECT_EQ(data.SkinColors().cBtnShadow, 14401450);
    EXPECT_EQ(data.HintWindow().FontHeight, 14);
}

TEST(SkinData, TheSkinGivesThePopupAndCaptionGeometryTheWindowRelieson) {
    TbsSkinData data;
    TbsCompressedStoredSkin stored = EmbeddedStoredSkin();
    data.SetCompressedStoredSkin(&stored);
    const TbsDataSkinPopupWindow& popup = data.PopupWindow();
    const TbsSkinPicture* window = data.ActivePicture(popup.WindowPictureIndex);
    ASSERT_NE(window, nullptr);
    auto* item =
        dynamic_cast<TbsDataSkinMenuItem*>(data.ObjectList()[data.GetIndex("menuitem")].get());
    ASSERT_NE(item, nullptr);
    // Three items of one row each, plus the frame around the items rect: 70 pixels.
    EXPECT_EQ(item->SkinRect.Height(), 22);
    EXPECT_EQ(3 * item->SkinRect.Height() + window->Height() - popup.ItemsRect.Height(), 70);
    EXPECT_EQ(window->Width() - popup.ItemsRect.Width(), 4);
    EXPECT_EQ(item->SkinRect.Width() - item->TextRect.Width(), 26);
    EXPECT_EQ(item->TextRect.Left, 23);
    EXPECT_EQ(item->DividerRect.Height(), 3);
    EXPECT_EQ(item->UnEnabledFontColor, 0xC0C0C0);

    // The frame: 4 pixels left, right and bottom, 27 at the top; a minimum height of 31; a
    // client tile of 277 x 179.
    const TRect& client = data.FormInfo().ClRect;
    const TbsSkinPicture& frame = data.FramePicture();
    EXPECT_EQ((std::array<int, 4>{client.Left, client.Top, frame.Width() - client.Right,
                                  frame.Height() - client.Bottom}),
              (std::array<int, 4>{4, 27, 4, 4}));
    EXPECT_EQ(frame.Height() - client.Height(), 31);
    EXPECT_EQ(client.Width(), 277);
    EXPECT_EQ(client.Height(), 179);
    EXPECT_EQ(data.FormInfo().FormMinWidth, 200);

    // Caption buttons are 21 x 21 and, lined up from the right of a 476-pixel window with 2
    // pixels between them, start at 452, 429 and 406.
    int right = data.FormInfo().CaptionRect.Right + (476 - data.FramePicture().Width());
    int x = right;
    for (const char* name : {"closebutton", "maxbutton", "minbutton"}) {
        auto* b = dynamic_cast<TbsDataSkinStdButton*>(data.ObjectList()[data.GetIndex(name)].get());
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->SkinRect.Width(), 21);
        EXPECT_EQ(b->SkinRect.Height(), 21);
        EXPECT_TRUE(b->SkinRectInAPicture);
        x -= b->SkinRect.Width();
        EXPECT_EQ(x, std::string(name) == "closebutton" ? 452
                     : std::string(name) == "maxbutton" ? 429
                                                        : 406);
        x -= data.FormInfo().ButtonsOffset;
    }
}

TEST(SkinData, BroadcastsTheLoadInOrderToTheOwnerFirst) {
    std::vector<RecordingForm::Heard> log;
    RecordingForm owner("owner", log), other("other", log);
    ScreenForms screen{&other, &owner};
    TbsSkinData data;
    data.SetOwnerForm(&owner);
    TbsCompressedStoredSkin stored;
    StoreCompressed(stored, SmallPackage(3));
    data.SetCompressedStoredSkin(&stored);

    const std::pair<const char*, uint32_t> expected[] = {
        {"owner", WM_BEFORECHANGESKINDATA}, {"other", WM_BEFORECHANGESKINDATA},
        {"owner", WM_CHANGESKINDATA},       {"other", WM_CHANGESKINDATA},
        {"owner", WM_AFTERCHANGESKINDATA},  {"other", WM_AFTERCHANGESKINDATA}};
    ASSERT_EQ(log.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(log[i].form, expected[i].first) << i;
        EXPECT_EQ(log[i].message, expected[i].second) << i;
        EXPECT_EQ(log[i].data, &data);
        EXPECT_EQ(log[i].param2, 1000);
    }
    EXPECT_EQ(WM_BEFORECHANGESKINDATA, 1225u);
    EXPECT_EQ(WM_AFTERCHANGESKINDATA, 1227u);
    EXPECT_FALSE(log[2].empty);  // the new skin is ready when the change is announced
    EXPECT_EQ(data.SkinName(), "Small");

    log.clear();
    data.SetSkinnableForm(false);
    data.SetResourceStrData(nullptr);
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].message, WM_CHANGEFORMSKINNABLE);
    EXPECT_EQ(log[2].message, WM_CHANGERESSTRDATA);
    log.clear();
    data.State().Designing = true;
    data.SetSkinnableForm(true);
    data.SetCompressedStoredSkin(&stored);
    EXPECT_TRUE(log.empty());  // nothing is loaded or sent while designing
}

TEST(SkinData, RejectedAndBrokenPackagesLeaveTheSkinEmpty) {
    std::vector<RecordingForm::Heard> log;
    RecordingForm form("form", log);
    ScreenForms screen{&form};
    TbsSkinData data;
    TbsCompressedStoredSkin good;
    StoreCompressed(good, SmallPackage(3));
    data.SetCompressedStoredSkin(&good);
    ASSERT_FALSE(data.Empty());

    log.clear();
    TbsCompressedStoredSkin future;
    StoreCompressed(future, SmallPackage(4));
    data.SetCompressedStoredSkin(&future);
    EXPECT_TRUE(data.Empty());
    EXPECT_FALSE(data.ChangingSkin());
    EXPECT_TRUE(data.CtrlList().empty());
    EXPECT_TRUE(data.FramePicture().Empty());
    ASSERT_EQ(log.size(), 1u);  // only the before-change message
    EXPECT_EQ(log[0].message, WM_BEFORECHANGESKINDATA);

    data.SetCompressedStoredSkin(&good);
    ASSERT_FALSE(data.Empty());
    TbsCompressedStoredSkin corrupt;
    const uint8_t garbage[] = {0x78, 0xDA, 0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4, 5, 6};
    corrupt.SetCompressedData(garbage, sizeof garbage);
    try {
        data.SetCompressedStoredSkin(&corrupt);
        FAIL() << "corrupt data loaded";
    } catch (const core::EDecompressionError& e) {
        EXPECT_EQ(e.Message(), "compression error");
    }
    EXPECT_TRUE(data.Empty());
    EXPECT_FALSE(data.ChangingSkin());
    EXPECT_TRUE(data.ObjectList().empty());

    // An empty stored skin changes nothing and says nothing.
    data.SetCompressedStoredSkin(&good);
    log.clear();
    TbsCompressedStoredSkin nothing;
    data.SetCompressedStoredSkin(&nothing);
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(data.Empty());

    // A rect with an empty field ends the load with the conversion error.
    TbsCompressedStoredSkin badRect;
    std::string text(kSmallSkinText);
    text += "[closebutton]\r\nskinrect=1,2,3\r\n";
    StoreCompressed(badRect, SmallPackage(3, text));
    try {
        data.SetCompressedStoredSkin(&badRect);
        FAIL() << "a rect with three fields loaded";
    } catch (const core::EConvertError& e) {
        EXPECT_EQ(e.Message(), "'' is not a valid integer value");
    }
    EXPECT_TRUE(data.Empty());
}

TEST(SkinData, VersionTwoPackagesCarryTwoMoreBitmaps) {
    PackageBuilder p;
    p.Int(2).Flag(1).Flag(1).Flag(1).Flag(0).Bmp(TinyBmp(7, 7, 24)).Flag(0).Bmp(TinyBmp(9, 9, 4));
    p.Int(1).Bmp(TinyBmp(3, 5, 24)).Text(kSmallSkinText);
    TbsCompressedStoredSkin stored;
    StoreCompressed(stored, p.Bytes());
    TbsSkinData data;
    data.SetCompressedStoredSkin(&stored);
    ASSERT_EQ(data.ActivePictures().size(), 1u);
    EXPECT_EQ(data.ActivePicture(0)->Width(), 3);
    EXPECT_EQ(data.ActivePicture(0)->Height(), 5);
    EXPECT_EQ(data.GetControlIndex("button"), 0);
}

TEST(SkinData, FormInfoFixUps) {
    TbsSkinData data;
    // With a mask: an empty mask area becomes the client rect, unset hit-test points take the
    // corner points, and corner points are clamped into the client rect.
    data.LoadFromIni(
        Ini("[PICTURES]\nmask=m.bmp\n[FORMINFO]\nclientrect=4,27,281,206\n"
            "lefttoppoint=2,20\nrighttoppoint=290,10\nleftbottompoint=1,300\n"
            "rightbottompoint=300,300\nhittestlefttoppoint=7,6\n"));
    const TbsSkinFormInfo& a = data.FormInfo();
    EXPECT_EQ(a.MaskRectArea, (TRect{4, 27, 281, 206}));
    EXPECT_EQ(a.HitTestLTPoint, (TPoint{7, 6}));
    EXPECT_EQ(a.HitTestRTPoint, (TPoint{290, 10}));  // taken before clamping
    EXPECT_EQ(a.HitTestRBPoint, (TPoint{300, 300}));
    EXPECT_EQ(a.LTPoint, (TPoint{4, 27}));
    EXPECT_EQ(a.RTPoint, (TPoint{281, 27}));
    EXPECT_EQ(a.LBPoint, (TPoint{4, 206}));
    EXPECT_EQ(a.RBPoint, (TPoint{281, 206}));

    // A mask area that does not reach the client rect is grown to contain it.
    data.LoadFromIni(
        Ini("[PICTURES]\nmask=m.bmp\n[FORMINFO]\nclientrect=4,27,281,206\n"
            "maskrectarea=10,3,200,300\n"));
    EXPECT_EQ(data.FormInfo().MaskRectArea, (TRect{4, 3, 281, 300}));

    // Without a mask the mask area and hit-test points stay as written; equal corner
    // coordinates switch the clamping off.
    data.LoadFromIni(
        Ini("[FORMINFO]\nclientrect=4,27,281,206\nmaskrectarea=10,3,200,300\n"
            "lefttoppoint=2,20\nrightbottompoint=2,300\n"));
    const TbsSkinFormInfo& c = data.FormInfo();
    EXPECT_EQ(c.MaskRectArea, (TRect{10, 3, 200, 300}));
    EXPECT_EQ(c.HitTestLTPoint, TPoint{});
    EXPECT_EQ(c.LTPoint, (TPoint{2, 20}));
    EXPECT_EQ(c.RBPoint, (TPoint{2, 300}));
}

TEST(SkinData, CataloguesSkipMalformedAndUnknownEntries) {
    TbsSkinData data;
    data.LoadFromIni(
        Ini("[SKINOBJECTS]\ncount=5\n0=first:nosuchtype\n1=noseparator\n"
            "2=close:stdbutton\n3=:caption\n4=x:stdbutton:extra\n5=beyond:caption\n"
            "[SKINCONTROLS]\ncount=4\n0=a:button\n1=b:Button\n2=c:scrollbar\n3=a:panel\n"
            "[a]\nfontheight=20\n"));
    ASSERT_EQ(data.ObjectList().size(), 2u);
    EXPECT_EQ(data.ObjectList()[0]->IDName, "close");
    EXPECT_NE(dynamic_cast<TbsDataSkinStdButton*>(data.ObjectList()[0].get()), nullptr);
    EXPECT_EQ(data.ObjectList()[1]->IDName, "");  // split at the first ":"; the rest is the type
    ASSERT_EQ(data.CtrlList().size(), 3u);
    EXPECT_EQ(data.GetControlIndex("a"), 0);  // the first of two equal names
    EXPECT_EQ(data.GetControlIndex("c"), 1);
    EXPECT_NE(dynamic_cast<TbsDataSkinPanelControl*>(data.CtrlList()[2].get()), nullptr);
    EXPECT_EQ(dynamic_cast<TbsDataSkinPanelControl*>(data.CtrlList()[2].get())->FontHeight, 20);

    // A huge count only walks the keys that exist.
    data.ClearSkin();
    data.LoadFromIni(
        Ini("[SKINCONTROLS]\ncount=2000000000\n1=x:edit\n"
            "[PICTURES]\nactivepicturescount=2000000000\n2=c.bmp\n"));
    EXPECT_EQ(data.CtrlList().size(), 1u);
    EXPECT_EQ(data.ActivePicturesNames(), (std::vector<std::string>{"", "", "c.bmp"}));
}

TEST(SkinData, ClearSkinResetsColoursPicturesAndLists) {
    TbsSkinData data;
    TbsCompressedStoredSkin stored = EmbeddedStoredSkin();
    data.SetCompressedStoredSkin(&stored);
    ASSERT_EQ(data.PopupWindow().WindowPictureIndex, 2);
    data.ClearSkin();
    EXPECT_TRUE(data.Empty());
    EXPECT_EQ(data.SkinColors().cBtnFace, clBtnFace);
    EXPECT_EQ(data.SkinColors().cHighLight, clHighlight);
    EXPECT_EQ(data.PopupWindow().WindowPictureIndex, -1);
    EXPECT_EQ(data.HintWindow().WindowPictureIndex, -1);
    EXPECT_TRUE(data.ActivePictures().empty());
    EXPECT_TRUE(data.FrameMask().Empty());
    EXPECT_EQ(data.PictureName(), "");
    EXPECT_EQ(data.GetControlIndex("button"), -1);
}

TEST(SkinData, SkinListsAndReferencesFollowTheirRules) {
    TbsCompressedSkinList list;
    StoreCompressed(list.Add().StoredSkin(), SmallPackage(3));
    EXPECT_EQ(list.Item(0)->Name(), "bsSkin0");
    EXPECT_EQ(list.Add().Name(), "bsSkin1");
    TbsSkinData data;
    data.SetSkinIndex(7);  // without a list the index is just stored
    EXPECT_EQ(data.SkinIndex(), 7);
    EXPECT_TRUE(data.Empty());
    data.SetSkinIndex(0);
    data.SetSkinList(&list);
    EXPECT_FALSE(data.Empty());
    data.SetSkinIndex(5);  // outside the list: ignored
    EXPECT_EQ(data.SkinIndex(), 0);
    data.SetSkinIndex(1);  // an item without data leaves the skin as it is
    EXPECT_EQ(data.SkinIndex(), 1);
    EXPECT_FALSE(data.Empty());

    TbsCompressedStoredSkin stored;
    TbsResourceStrData strings;
    data.State().Designing = true;
    data.SetCompressedStoredSkin(&stored);
    data.SetResourceStrData(&strings);
    data.ForgetReference(&list);
    data.ForgetReference(&stored);
    EXPECT_EQ(data.SkinList(), nullptr);
    EXPECT_EQ(data.CompressedStoredSkin(), nullptr);
    EXPECT_EQ(data.ResourceStrData(), &strings);
    EXPECT_FALSE(data.Empty());  // the parsed skin stays
}

TEST(SkinData, PicturesBecomeBitmapsOfTheirSizeAndFormat) {
    TbsSkinData data;
    TbsCompressedStoredSkin stored = EmbeddedStoredSkin();
    data.SetCompressedStoredSkin(&stored);
    EXPECT_EQ(data.FramePicture().Bitmap().Width(), 285);
    EXPECT_EQ(data.FramePicture().Bitmap().Height(), 210);
    EXPECT_TRUE(data.InactiveFramePicture().Bitmap().IsEmpty());
    EXPECT_EQ(data.FrameMask().Bitmap().PixelFormat(), graphics::TPixelFormat::pf8bit);
    EXPECT_EQ(data.ActivePicture(6)->Bitmap().PixelFormat(), graphics::TPixelFormat::pf4bit);
    EXPECT_EQ(data.ActivePicture(7)->Bitmap().PixelFormat(), graphics::TPixelFormat::pf1bit);
    EXPECT_EQ(data.ActivePicture(4)->Bitmap().Width(), 556);
    data.ClearSkin();
    EXPECT_TRUE(data.FramePicture().Bitmap().IsEmpty());
}

TEST(SkinData, FarAwayNumericKeysDoNotInflateTheCatalogues) {
    TbsSkinData data;
    data.LoadFromIni(
        Ini("[PICTURES]\nactivepicturescount=99999999\n0=a.bmp\n99999998=b.bmp\n"
            "[SKINOBJECTS]\ncount=99999999\n99999998=x:caption\n"));
    ASSERT_EQ(data.ActivePicturesNames().size(), 1u);
    EXPECT_EQ(data.ActivePicturesNames()[0], "a.bmp");
    // Keys within reach still count, with the gaps empty.
    data.LoadFromIni(Ini("[PICTURES]\nactivepicturescount=5\n0=a.bmp\n3=d.bmp\n"));
    ASSERT_EQ(data.ActivePicturesNames().size(), 4u);
    EXPECT_EQ(data.ActivePicturesNames()[3], "d.bmp");
}
