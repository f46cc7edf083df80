#include "skin/skin_objects.h"

namespace skin {

void TbsSkinDataEntry::ReadFromIni(const core::TMemIniFile& ini) {
    TbsIniReader reader(ini, IDName);
    VisitFields(reader);
}

void TbsSkinDataEntry::WriteToIni(core::TMemIniFile& ini) {
    ini.EraseSection(IDName);
    TbsIniWriter writer(ini, IDName);
    VisitFields(writer);
}

void TbsDataSkinObject::VisitFields(TbsFieldVisitor& v) {
    v.String("hint", Hint, "");
    v.Integer("activepictureindex", ActivePictureIndex, -1);
    v.Boolean("skinrectinapicture", SkinRectInAPicture);
    v.Rect("skinrect", SkinRect);
    v.Rect("activeskinrect", ActiveSkinRect);
    v.Rect("inactiveskinrect", InActiveSkinRect);
    v.Boolean("morphing", Morphing);
    v.MorphKind("morphkind", MorphKind);
}

void TbsDataSkinButton::VisitFields(TbsFieldVisitor& v) {
    TbsDataSkinObject::VisitFields(v);
    v.Rect("downrect", DownRect);
    v.Rect("disableskinrsect", DisableSkinRect);  // the key is spelled this way
}

void TbsDataSkinStdButton::VisitFields(TbsFieldVisitor& v) {
    TbsDataSkinButton::VisitFields(v);
    v.Command("command", Command);
    v.Rect("restorerect", RestoreRect);
    v.Rect("restoreactiverect", RestoreActiveRect);
    v.Rect("restoredownrect", RestoreDownRect);
    v.Rect("restoreinactiverect", RestoreInActiveRect);
}

void TbsDataSkinCaption::VisitFields(TbsFieldVisitor& v) {
    TbsDataSkinObject::VisitFields(v);
    v.Rect("textrect", TextRect);
    v.String("fontname", FontName, "Arial");
    v.Integer("fontheight", FontHeight, 14);
    v.FontStyle("fontstyle", FontStyle);
    v.Color("fontcolor", FontColor, 0);
    v.Color("activefontcolor", ActiveFontColor, 0);
    v.Alignment("alignment", Alignment);
    v.Boolean("light", Light);
    v.Color("lightcolor", LightColor, 0);
    v.Color("activelightcolor", ActiveLightColor, 0);
    v.Boolean("shadow", Shadow);
    v.Color("shadowcolor", ShadowColor, 0);
    v.Color("activeshadowcolor", ActiveShadowColor, 0);
    v.Rect("framerect", FrameRect);
    v.Rect("activeframerect", ActiveFrameRect);
    v.Rect("frametextrect", FrameTextRect);
    v.Integer("frameleftoffset", FrameLeftOffset, 0);
    v.Integer("framerightoffset", FrameRightOffset, 0);
    v.Boolean("stretcheffect", StretchEffect);
    v.Rect("animateskinrect", AnimateSkinRect);
    v.Integer("framecount", FrameCount, 0);
    v.Integer("animateinterval", AnimateInterval, 25);
    v.Boolean("inactiveanimation", InActiveAnimation);
    v.Boolean("fullframe", FullFrame);
}

void TbsDataSkinAnimate::VisitFields(TbsFieldVisitor& v) {
    TbsDataSkinObject::VisitFields(v);
    v.Integer("countframes", CountFrames, 1);
    v.Boolean("cycle", Cycle);
    v.Boolean("buttonstyle", ButtonStyle);
    v.Integer("timerinterval", TimerInterval, 50);
    v.Command("command", Command);
    v.Rect("downskinrect", DownSkinRect);
    v.Rect("restorerect", RestoreRect);
    v.Rect("restoreactiverect", RestoreActiveRect);
    v.Rect("restoredownrect", RestoreDownRect);
    v.Rect("restoreinactiverect", RestoreInActiveRect);
}

void TbsDataSkinAnimate::ReadFromIni(const core::TMemIniFile& ini) {
    TbsDataSkinObject::ReadFromIni(ini);
    Morphing = false;  // animated objects never morph
}

void TbsDataSkinMenuItem::VisitFields(TbsFieldVisitor& v) {
    TbsDataSkinObject::VisitFields(v);
    v.Integer("itemleftoffset", ItemLeftOffset, 0);
    v.Integer("itemrightoffset", ItemRightOffset, 0);
    v.Rect("dividerrect", DividerRect);
    v.Integer("dividerleftoffset", DividerLeftOffset, 0);
    v.Integer("dividerrightoffset", DividerRightOffset, 0);
    v.Rect("textrect", TextRect);
    v.Rect("imagerect", ImageRect);
    v.String("fontname", FontName, "Arial");
    v.Integer("fontheight", FontHeight, 14);
    v.FontStyle("fontstyle", FontStyle);
    v.Color("fontcolor", FontColor, 0);
    v.Color("activefontcolor", ActiveFontColor, 0);
    v.Color("unenabledfontcolor", UnEnabledFontColor, 0);
    v.Boolean("stretcheffect", StretchEffect);
    v.Boolean("inactivestretcheffect", InActiveStretchEffect);
    v.Boolean("dividerstretcheffect", DividerStretchEffect);
    v.Rect("animateskinrect", AnimateSkinRect);
    v.Integer("framecount", FrameCount, 0);
    v.Integer("animateinterval", AnimateInterval, 25);
    v.Boolean("inactiveanimation", InActiveAnimation);
    v.Boolean("useimagecolor", UseImageColor);
    v.Color("imagecolor", ImageColor, 0);
    v.Color("activeimagecolor", ActiveImageColor, 0);
    v.Boolean("inactivetransparent", InActiveTransparent);
    v.Rect("checkimagerect", CheckImageRect);
    v.Rect("activecheckimagerect", ActiveCheckImageRect);
    v.Rect("radioimagerect", RadioImageRect);
    v.Rect("activeradioimagerect", ActiveRadioImageRect);
    v.Rect("arrowimagerect", ArrowImageRect);
    v.Rect("activearrowimagerect", ActiveArrowImageRect);
}

void TbsDataSkinMenuItem::ReadFromIni(const core::TMemIniFile& ini) {
    TbsDataSkinObject::ReadFromIni(ini);
    // An "active" image that is not given is the normal one.
    if (ActiveCheckImageRect.IsEmpty()) ActiveCheckImageRect = CheckImageRect;
    if (ActiveRadioImageRect.IsEmpty()) ActiveRadioImageRect = RadioImageRect;
    if (ActiveArrowImageRect.IsEmpty()) ActiveArrowImageRect = ArrowImageRect;
}

void TbsDataSkinMainMenuItem::VisitFields(TbsFieldVisitor& v) {
    TbsDataSkinObject::VisitFields(v);
    v.Integer("itemleftoffset", ItemLeftOffset, 0);
    v.Integer("itemrightoffset", ItemRightOffset, 0);
    v.Rect("downrect", DownRect);
    v.Rect("textrect", TextRect);
    v.String("fontname", FontName, "Arial");
    v.Integer("fontheight", FontHeight, 14);
    v.FontStyle("fontstyle", FontStyle);
    v.Color("fontcolor", FontColor, 0);
    v.Color("activefontcolor", ActiveFontColor, 0);
    v.Color("downfontcolor", DownFontColor, 0);
    v.Color("unenabledfontColor", UnEnabledFontColor, 0);
    v.Boolean("stretcheffect", StretchEffect);
    v.Rect("animateskinrect", AnimateSkinRect);
    v.Integer("framecount", FrameCount, 0);
    v.Integer("animateinterval", AnimateInterval, 25);
    v.Boolean("inactiveanimation", InActiveAnimation);
}

void TbsDataUserObject::VisitFields(TbsFieldVisitor& v) {
    v.Rect("skinrect", SkinRect);
}

std::unique_ptr<TbsDataSkinObject> CreateSkinObject(std::string_view type, std::string name) {
    if (type == "stdbutton") return std::make_unique<TbsDataSkinStdButton>(std::move(name));
    if (type == "caption") return std::make_unique<TbsDataSkinCaption>(std::move(name));
    if (type == "menuitem") return std::make_unique<TbsDataSkinMenuItem>(std::move(name));
    if (type == "mainmenubaritem")
        return std::make_unique<TbsDataSkinMainMenuBarItem>(std::move(name));
    if (type == "mainmenubarbutton")
        return std::make_unique<TbsDataSkinMainMenuBarButton>(std::move(name));
    if (type == "button") return std::make_unique<TbsDataSkinButton>(std::move(name));
    if (type == "animate") return std::make_unique<TbsDataSkinAnimate>(std::move(name));
    if (type == "userobject") return std::make_unique<TbsDataUserObject>(std::move(name));
    return nullptr;
}

}  // namespace skin
