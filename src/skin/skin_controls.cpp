#include "skin/skin_controls.h"

#include <functional>
#include <map>

namespace skin {

void TbsDataSkinControl::VisitFields(TbsFieldVisitor& v) {
    v.Integer("pictureindex", PictureIndex, -1);
    v.Integer("maskpictureindex", MaskPictureIndex, -1);
    v.Rect("skinrect", SkinRect);
}

void TbsDataSkinCustomControl::VisitFields(TbsFieldVisitor& v) {
    TbsDataSkinControl::VisitFields(v);
    v.Point("lefttoppoint", LTPoint);
    v.Point("righttoppoint", RTPoint);
    v.Point("leftbottompoint", LBPoint);
    v.Point("rightbottompoint", RBPoint);
    v.Rect("clientrect", ClRect);
    v.Boolean("leftstretch", LeftStretch);
    v.Boolean("topstretch", TopStretch);
    v.Boolean("rightstretch", RightStretch);
    v.Boolean("bottomstretch", BottomStretch);
    v.Boolean("stretcheffect", StretchEffect);
    v.StretchType("stretchtype", StretchType);
}

void TbsDataSkinButtonControl::VisitFields(TbsFieldVisitor& v) {
    TbsDataSkinCustomControl::VisitFields(v);
    v.String("fontname", FontName, "Arial");
    v.Integer("fontheight", FontHeight, 14);
    v.FontStyle("fontstyle", FontStyle);
    v.Color("fontcolor", FontColor, 0);
    v.Color("activefontcolor", ActiveFontColor, 0);
    v.Color("downfontcolor", DownFontColor, 0);
    v.Color("disabledfontcolor", DisabledFontColor, 0);
    v.Rect("activeskinrect", ActiveSkinRect);
    v.Rect("downskinrect", DownSkinRect);
    v.Rect("focusedskinrect", FocusedSkinRect);
    v.Rect("disabledskinrect", DisabledSkinRect);
    v.Boolean("morphing", Morphing);
    v.MorphKind("morphkind", MorphKind);
    v.Rect("animateskinrect", AnimateSkinRect);
    v.Integer("framecount", FrameCount, 0);
    v.Integer("animateinterval", AnimateInterval, 25);
    v.Boolean("showfocus", ShowFocus);
    v.Rect("menumarkerflatrect", MenuMarkerFlatRect);
    v.Rect("menumarkerrect", MenuMarkerRect);
    v.Rect("menumarkeractiverect", MenuMarkerActiveRect);
    v.Rect("menumarkerdownrect", MenuMarkerDownRect);
    v.Color("menumarkertransparentcolor", MenuMarkerTransparentColor, 0);
}

void TbsDataSkinPanelControl::VisitFields(TbsFieldVisitor& v) {
    TbsDataSkinCustomControl::VisitFields(v);
    v.Integer("bgpictureindex", BGPictureIndex, -1);
    v.Rect("captionrect", CaptionRect);
    v.Alignment("alignment", Alignment);
    v.String("fontname", FontName, "Arial");
    v.Integer("fontheight", FontHeight, 14);
    v.FontStyle("fontstyle", FontStyle);
    v.Color("fontcolor", FontColor, 0);
    v.Rect("checkimagerect", CheckImageRect);
    v.Rect("uncheckimagerect", UnCheckImageRect);
    v.Rect("markframerect", MarkFrameRect);
    v.Rect("framerect", FrameRect);
    v.Rect("frametextrect", FrameTextRect);
    v.Integer("frameleftoffset", FrameLeftOffset, 0);
    v.Integer("framerightoffset", FrameRightOffset, 0);
    v.Rect("gripperrect", GripperRect);
    v.Boolean("grippertransparent", GripperTransparent);
    v.Color("grippertransparentcolor", GripperTransparentColor, 0);
}

void TbsDataSkinStdLabelControl::VisitFields(TbsFieldVisitor& v) {
    TbsDataSkinControl::VisitFields(v);
    v.String("fontname", FontName, "Arial");
    v.Integer("fontheight", FontHeight, 14);
    v.FontStyle("fontstyle", FontStyle);
    v.Color("fontcolor", FontColor, 0);
    v.Color("activefontcolor", ActiveFontColor, 0xFF0000);
}

void TbsDataSkinScrollBoxControl::VisitFields(TbsFieldVisitor& v) {
    TbsDataSkinCustomControl::VisitFields(v);
    v.Integer("bgpictureindex", BGPictureIndex, -1);
}

void TbsDataSkinScrollBarControl::VisitFields(TbsFieldVisitor& v) {
    TbsDataSkinCustomControl::VisitFields(v);
    v.Rect("trackarea", TrackArea);
    v.Rect("upbuttonrect", UpButtonRect);
    v.Rect("activeupbuttonrect", ActiveUpButtonRect);
    v.Rect("downupbuttonrect", DownUpButtonRect);
    v.Rect("downbuttonrect", DownButtonRect);
    v.Rect("activedownbuttonrect", ActiveDownButtonRect);
    v.Rect("downdownbuttonrect", DownDownButtonRect);
    v.Rect("thumbrect", ThumbRect);
    v.Rect("activethumbrect", ActiveThumbRect);
    v.Rect("downthumbrect", DownThumbRect);
    v.Integer("thumboffset1", ThumbOffset1, 0);
    v.Integer("thumboffset2", ThumbOffset2, 0);
    v.Boolean("thumbtransparent", ThumbTransparent);
    v.Color("thumbtransparentcolor", ThumbTransparentColor, 0);
    v.Boolean("thumbstretcheffect", ThumbStretchEffect);
    v.Integer("thumbminsize", ThumbMinSize, 0);
    v.Integer("thumbminpagesize", ThumbMinPageSize, 0);
    v.Rect("glyphrect", GlyphRect);
    v.Rect("activeglyphrect", ActiveGlyphRect);
    v.Rect("downglyphrect", DownGlyphRect);
    v.Boolean("glyphtransparent", GlyphTransparent);
    v.Color("glyphtransparentcolor", GlyphTransparentColor, 0);
}

void TbsDataSkinEditControl::VisitFields(TbsFieldVisitor& v) {
    TbsDataSkinCustomControl::VisitFields(v);
    v.Rect("activeskinrect", ActiveSkinRect);
    v.String("fontname", FontName, "Arial");
    v.Integer("fontheight", FontHeight, 14);
    v.FontStyle("fontstyle", FontStyle);
    v.Color("fontcolor", FontColor, 0);
    v.Color("disabledfontcolor", DisabledFontColor, 0);
    v.Color("activefontcolor", ActiveFontColor, 0);
    v.Rect("buttonrect", ButtonRect);
    v.Rect("activebuttonrect", ActiveButtonRect);
    v.Rect("downbuttonrect", DownButtonRect);
    v.Rect("unenabledbuttonrect", UnEnabledButtonRect);
}

void TbsDataSkinComboBox::VisitFields(TbsFieldVisitor& v) {
    TbsDataSkinCustomControl::VisitFields(v);
    v.Rect("activeskinrect", ActiveSkinRect);
    v.Rect("itemrect", ItemRect);
    v.Rect("activeitemrect", ActiveItemRect);
    v.Rect("focusitemrect", FocusItemRect);
    v.Integer("itemleftoffset", ItemLeftOffset, 0);
    v.Integer("itemrightoffset", ItemRightOffset, 0);
    v.Rect("itemtextrect", ItemTextRect);
    v.String("fontname", FontName, "Arial");
    v.Integer("fontheight", FontHeight, 14);
    v.FontStyle("fontstyle", FontStyle);
    v.Color("fontcolor", FontColor, 0);
    v.Color("focusfontcolor", FocusFontColor, 0);
    v.Color("activefontcolor", ActiveFontColor, 0);
    v.String("listboxname", ListBoxName, "");
    v.Rect("buttonrect", ButtonRect);
    v.Rect("activebuttonrect", ActiveButtonRect);
    v.Rect("downbuttonrect", DownButtonRect);
    v.Rect("unenabledbuttonrect", UnEnabledButtonRect);
    v.Boolean("itemstretcheffect", ItemStretchEffect);
    v.Boolean("focusitemstretcheffect", FocusItemStretchEffect);
    v.Boolean("showfocus", ShowFocus);
}

void TbsDataSkinListBox::VisitFields(TbsFieldVisitor& v) {
    TbsDataSkinCustomControl::VisitFields(v);
    v.Rect("itemrect", ItemRect);
    v.Rect("activeitemrect", ActiveItemRect);
    v.Rect("focusitemrect", FocusItemRect);
    v.Integer("itemleftoffset", ItemLeftOffset, 0);
    v.Integer("itemrightoffset", ItemRightOffset, 0);
    v.Rect("itemtextrect", ItemTextRect);
    v.String("fontname", FontName, "Arial");
    v.Integer("fontheight", FontHeight, 14);
    v.FontStyle("fontstyle", FontStyle);
    v.Color("fontcolor", FontColor, 0);
    v.Color("activefontcolor", ActiveFontColor, 0);
    v.Color("focusfontcolor", FocusFontColor, 0);
    v.Rect("captionrect", CaptionRect);
    v.String("captionfontname", CaptionFontName, "Arial");
    v.Integer("captionfontheight", CaptionFontHeight, 14);
    v.FontStyle("captionfontstyle", CaptionFontStyle);
    v.Color("captionfontcolor", CaptionFontColor, 0);
    v.Rect("upbuttonrect", UpButtonRect);
    v.Rect("activeupbuttonrect", ActiveUpButtonRect);
    v.Rect("downupbuttonrect", DownUpButtonRect);
    v.Rect("downbuttonrect", DownButtonRect);
    v.Rect("activedownbuttonrect", ActiveDownButtonRect);
    v.Rect("downdownbuttonrect", DownDownButtonRect);
    v.Rect("checkbuttonrect", CheckButtonRect);
    v.Rect("activecheckbuttonrect", ActiveCheckButtonRect);
    v.Rect("downcheckbuttonrect", DownCheckButtonRect);
    v.String("vscrollbarname", VScrollBarName, "vscrollbar");
    v.String("hscrollbarname", HScrollBarName, "");
    v.String("bothhscrollbarname", BothScrollBarName, "");
    v.Boolean("showfocus", ShowFocus);
}

void TbsDataSkinListView::VisitFields(TbsFieldVisitor& v) {
    TbsDataSkinControl::VisitFields(v);
    v.String("fontname", FontName, "Arial");
    v.Integer("fontheight", FontHeight, 14);
    v.FontStyle("fontstyle", FontStyle);
    v.Color("fontcolor", FontColor, 0);
    v.Color("bgcolor", BGColor, 0);
}

namespace {

using Factory = std::function<std::unique_ptr<TbsDataSkinControl>(std::string)>;

template <typename T>
Factory Make() {
    return [](std::string name) { return std::make_unique<T>(std::move(name)); };
}

const std::map<std::string_view, Factory>& ControlFactories() {
    static const std::map<std::string_view, Factory> factories = {
        {"panel", Make<TbsDataSkinPanelControl>()},
        {"expanel", Make<TbsDataSkinExPanelControl>()},
        {"menubutton", Make<TbsDataSkinMenuButtonControl>()},
        {"button", Make<TbsDataSkinButtonControl>()},
        {"checkradio", Make<TbsDataSkinCheckRadioControl>()},
        {"gauge", Make<TbsDataSkinGaugeControl>()},
        {"splitter", Make<TbsDataSkinSplitterControl>()},
        {"trackbar", Make<TbsDataSkinTrackBarControl>()},
        {"label", Make<TbsDataSkinLabelControl>()},
        {"stdlabel", Make<TbsDataSkinStdLabelControl>()},
        {"updown", Make<TbsDataSkinUpDownControl>()},
        {"grid", Make<TbsDataSkinGridControl>()},
        {"tab", Make<TbsDataSkinTabControl>()},
        {"mainmenubar", Make<TbsDataSkinMainMenuBar>()},
        {"controlbar", Make<TbsDataSkinControlBar>()},
        {"memo", Make<TbsDataSkinMemoControl>()},
        {"edit", Make<TbsDataSkinEditControl>()},
        {"checklistbox", Make<TbsDataSkinCheckListBox>()},
        {"listbox", Make<TbsDataSkinListBox>()},
        {"combobox", Make<TbsDataSkinComboBox>()},
        {"scrollbar", Make<TbsDataSkinScrollBarControl>()},
        {"spinedit", Make<TbsDataSkinSpinEditControl>()},
        {"scrollbox", Make<TbsDataSkinScrollBoxControl>()},
        {"treeview", Make<TbsDataSkinTreeView>()},
        {"bevel", Make<TbsDataSkinBevel>()},
        {"slider", Make<TbsDataSkinSlider>()},
        {"listview", Make<TbsDataSkinListView>()},
        {"richedit", Make<TbsDataSkinRichEdit>()},
    };
    return factories;
}

}  // namespace

std::unique_ptr<TbsDataSkinControl> CreateSkinControl(std::string_view type, std::string name) {
    const auto& factories = ControlFactories();
    auto it = factories.find(type);
    return it == factories.end() ? nullptr : it->second(std::move(name));
}

}  // namespace skin
