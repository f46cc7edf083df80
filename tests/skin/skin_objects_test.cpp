#include <gtest/gtest.h>

#include "skin/skin_controls.h"
#include "skin/skin_objects.h"

using namespace skin;

namespace {
core::TMemIniFile Ini(std::string_view text) {
    core::TMemIniFile ini;
    ini.SetText(text);
    return ini;
}
}  // namespace

TEST(SkinObjects, MissingKeysAndNewObjectsHaveTheirOwnDefaults) {
    TbsDataSkinButtonControl fresh("button");
    EXPECT_EQ(fresh.FontHeight, 12);
    EXPECT_EQ(fresh.AnimateInterval, 0);
    TbsDataSkinButtonControl read("button");
    read.ReadFromIni(Ini("[other]\nfontheight=30\n"));
    EXPECT_EQ(read.FontHeight, 14);
    EXPECT_EQ(read.AnimateInterval, 25);
    EXPECT_EQ(read.PictureIndex, -1);

    TbsDataSkinStdLabelControl label("stdlabel");
    EXPECT_EQ(label.ActiveFontColor, 0xFF0000);
    label.ReadFromIni(Ini(""));
    EXPECT_EQ(label.ActiveFontColor, 0xFF0000);
    EXPECT_EQ(label.FontHeight, 14);

    TbsDataSkinListView list("listview");
    EXPECT_EQ(list.BGColor, 0xFFFFFF);
    list.ReadFromIni(Ini(""));
    EXPECT_EQ(list.BGColor, 0);
    TbsDataSkinScrollBarControl bar("hscrollbar");
    EXPECT_EQ(bar.ThumbTransparentColor, 0xFF00FF);
    bar.ReadFromIni(Ini(""));
    EXPECT_EQ(bar.ThumbTransparentColor, 0);
    TbsDataSkinPanelControl panel("panel");
    panel.ReadFromIni(Ini(""));
    EXPECT_EQ(panel.GripperTransparentColor, 0);
    EXPECT_EQ(panel.Alignment, TAlignment::taCenter);
    TbsDataSkinListBox box("listbox");
    box.ReadFromIni(Ini(""));
    EXPECT_EQ(box.VScrollBarName, "vscrollbar");

    TbsDataSkinStdButton std("closebutton");
    std.ReadFromIni(Ini("[closebutton]\ncommand=CMCLOSE\n"));
    EXPECT_EQ(std.Command, TbsStdCommand::cmMinimizeToTray);
    std.ReadFromIni(Ini(""));
    EXPECT_EQ(std.Command, TbsStdCommand::cmDefault);
    EXPECT_EQ(std.ActivePictureIndex, -1);
}

TEST(SkinObjects, EachClassReadsItsOwnSectionAndItsParentsKeys) {
    core::TMemIniFile ini =
        Ini("[cap]\nskinrectinapicture=2\nskinrect=1,2,3,4\nfontstyle=fsBold\nalignment="
            "tarightjustify\n"
            "shadow=1\nactiveshadowcolor=16777215\n"
            "[max]\nskinrectinapicture=1\ndownrect=5,6,7,8\ndisableskinrsect=1,1,2,2\ncommand="
            "cmmaximize\n"
            "restorerect=9,9,30,30\n"
            "[item]\ncheckimagerect=1,1,9,9\nactivearrowimagerect=2,2,4,4\nunenabledfontcolor="
            "12632256\n"
            "[bar]\nunenabledfontColor=255\n"
            "[anim]\nmorphing=1\ncountframes=4\n"
            "[user]\nskinrect=1,1,5,5\nhint=ignored\n");
    TbsDataSkinCaption caption("cap");
    caption.ReadFromIni(ini);
    EXPECT_FALSE(caption.SkinRectInAPicture);
    EXPECT_EQ(caption.SkinRect, (TRect{1, 2, 3, 4}));
    EXPECT_EQ(caption.FontStyle, 0);
    EXPECT_EQ(caption.Alignment, TAlignment::taRightJustify);
    EXPECT_TRUE(caption.Shadow);
    EXPECT_EQ(caption.ActiveShadowColor, 0xFFFFFF);
    EXPECT_EQ(caption.AnimateInterval, 25);

    TbsDataSkinStdButton max("max");
    max.ReadFromIni(ini);
    EXPECT_TRUE(max.SkinRectInAPicture);
    EXPECT_EQ(max.DownRect, (TRect{5, 6, 7, 8}));
    EXPECT_EQ(max.DisableSkinRect, (TRect{1, 1, 2, 2}));
    EXPECT_EQ(max.Command, TbsStdCommand::cmMaximize);
    EXPECT_EQ(max.RestoreRect, (TRect{9, 9, 30, 30}));

    TbsDataSkinMenuItem item("item");
    item.ReadFromIni(ini);
    EXPECT_EQ(item.ActiveCheckImageRect,
              item.CheckImageRect);  // an empty active image takes the normal one
    EXPECT_EQ(item.ActiveArrowImageRect, (TRect{2, 2, 4, 4}));
    EXPECT_EQ(item.UnEnabledFontColor, 12632256);

    TbsDataSkinMainMenuBarItem bar("bar");
    bar.ReadFromIni(ini);
    EXPECT_EQ(bar.UnEnabledFontColor, 255);

    TbsDataSkinAnimate anim("anim");
    anim.ReadFromIni(ini);
    EXPECT_FALSE(anim.Morphing);  // forced off
    EXPECT_EQ(anim.CountFrames, 4);
    EXPECT_EQ(anim.TimerInterval, 50);

    TbsDataUserObject user("user");
    user.ReadFromIni(ini);
    EXPECT_EQ(user.SkinRect, (TRect{1, 1, 5, 5}));
    EXPECT_EQ(user.Hint, "");
}

TEST(SkinObjects, WritingErasesTheSectionAndReadsBackTheSame) {
    TbsDataSkinComboBox combo("combobox");
    combo.SkinRect = {210, 206, 275, 227};
    combo.LTPoint = {4, 10};
    combo.ButtonRect = {48, 2, 63, 19};
    combo.ListBoxName = "listbox";
    combo.FontStyle = fsItalic;
    combo.StretchType = TbsStretchType::bsstVert;
    combo.ShowFocus = true;
    core::TMemIniFile ini = Ini("[combobox]\nstale=1\n");
    combo.WriteToIni(ini);
    EXPECT_FALSE(ini.ValueExists("combobox", "stale"));
    EXPECT_EQ(ini.ReadSection("combobox").front(), "pictureindex");  // parent keys first
    EXPECT_EQ(ini.ReadString("combobox", "stretchtype", ""), "stvert");

    TbsDataSkinComboBox back("combobox");
    back.ReadFromIni(ini);
    EXPECT_EQ(back.SkinRect, combo.SkinRect);
    EXPECT_EQ(back.LTPoint, combo.LTPoint);
    EXPECT_EQ(back.ButtonRect, combo.ButtonRect);
    EXPECT_EQ(back.ListBoxName, "listbox");
    EXPECT_EQ(back.FontStyle, fsItalic);
    EXPECT_EQ(back.StretchType, TbsStretchType::bsstVert);
    EXPECT_TRUE(back.ShowFocus);
}

TEST(SkinObjects, FactoriesKnowEveryTypeKeywordExactly) {
    for (const char* type :
         {"panel",    "expanel",     "menubutton", "button",   "checkradio", "gauge",
          "splitter", "trackbar",    "label",      "stdlabel", "updown",     "grid",
          "tab",      "mainmenubar", "controlbar", "memo",     "edit",       "checklistbox",
          "listbox",  "combobox",    "scrollbar",  "spinedit", "scrollbox",  "treeview",
          "bevel",    "slider",      "listview",   "richedit"}) {
        auto control = CreateSkinControl(type, "x");
        ASSERT_NE(control, nullptr) << type;
        EXPECT_EQ(control->IDName, "x");
    }
    EXPECT_EQ(CreateSkinControl("Button", "x"), nullptr);
    EXPECT_EQ(CreateSkinControl("", "x"), nullptr);
    EXPECT_NE(dynamic_cast<TbsDataSkinButtonControl*>(CreateSkinControl("menubutton", "m").get()),
              nullptr);
    for (const char* type : {"stdbutton", "caption", "menuitem", "mainmenubaritem",
                             "mainmenubarbutton", "button", "animate", "userobject"})
        EXPECT_NE(CreateSkinObject(type, "o"), nullptr) << type;
    EXPECT_EQ(CreateSkinObject("panel", "o"), nullptr);
    EXPECT_NE(dynamic_cast<TbsDataSkinStdButton*>(CreateSkinObject("mainmenubarbutton", "o").get()),
              nullptr);
}
