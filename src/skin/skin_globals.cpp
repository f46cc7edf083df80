#include "skin/skin_globals.h"

#include <algorithm>

namespace skin {

void TbsSkinFormInfo::VisitFields(TbsFieldVisitor& v) {
    v.Point("lefttoppoint", LTPoint);
    v.Point("righttoppoint", RTPoint);
    v.Point("leftbottompoint", LBPoint);
    v.Point("rightbottompoint", RBPoint);
    v.Rect("clientrect", ClRect);
    v.Integer("bgpictureindex", BGPictureIndex, -1);
    v.Integer("mdibgpictureindex", MDIBGPictureIndex, -1);
    v.Boolean("leftstretch", LeftStretch);
    v.Boolean("rightstretch", RightStretch);
    v.Boolean("topstretch", TopStretch);
    v.Boolean("bottomstretch", BottomStretch);
    v.Boolean("stretcheffect", StretchEffect);
    v.StretchType("stretchtype", StretchType);
    v.Boolean("mdibgstretcheffect", MDIBGStretchEffect);
    v.StretchType("mdibgstretchtype", MDIBGStretchType);
    v.Rect("maskrectarea", MaskRectArea);
    v.Point("hittestlefttoppoint", HitTestLTPoint);
    v.Point("hittestrighttoppoint", HitTestRTPoint);
    v.Point("hittestleftbottompoint", HitTestLBPoint);
    v.Point("hittestrightbottompoint", HitTestRBPoint);
    v.Rect("buttonsrect", ButtonsRect);
    v.Rect("captionrect", CaptionRect);
    v.Integer("buttonsoffset", ButtonsOffset, 0);
    v.Boolean("buttonsinleft", ButtonsInLeft);
    v.Boolean("mainmenupopupup", MainMenuPopupUp);
    v.Integer("borderwidth", BorderWidth, 0);
    v.Integer("formminwidth", FormMinWidth, 0);
    v.Boolean("mditabstransparent", MDITabsTransparent);
    v.Boolean("mainmenubartransparent", MainMenuBarTransparent);
    v.Boolean("autorenderinginactiveimage", AutoRenderingInActiveImage);
    v.InactiveEffect("inactiveeffect", InActiveEffect);
}

void TbsSkinFormInfo::FixUp(bool hasMask) {
    if (hasMask) {
        if (MaskRectArea.IsEmpty()) {
            MaskRectArea = ClRect;
        } else {
            MaskRectArea.Left = std::min(MaskRectArea.Left, ClRect.Left);
            MaskRectArea.Top = std::min(MaskRectArea.Top, ClRect.Top);
            MaskRectArea.Right = std::max(MaskRectArea.Right, ClRect.Right);
            MaskRectArea.Bottom = std::max(MaskRectArea.Bottom, ClRect.Bottom);
        }
        if (HitTestLTPoint.IsUnset()) HitTestLTPoint = LTPoint;
        if (HitTestRTPoint.IsUnset()) HitTestRTPoint = RTPoint;
        if (HitTestLBPoint.IsUnset()) HitTestLBPoint = LBPoint;
        if (HitTestRBPoint.IsUnset()) HitTestRBPoint = RBPoint;
    }
    if (RBPoint.X == LTPoint.X || RBPoint.Y == LTPoint.Y) return;
    LTPoint.X = std::max(LTPoint.X, ClRect.Left);
    LTPoint.Y = std::max(LTPoint.Y, ClRect.Top);
    RTPoint.X = std::min(RTPoint.X, ClRect.Right);
    RTPoint.Y = std::max(RTPoint.Y, ClRect.Top);
    LBPoint.X = std::max(LBPoint.X, ClRect.Left);
    LBPoint.Y = std::min(LBPoint.Y, ClRect.Bottom);
    RBPoint.X = std::min(RBPoint.X, ClRect.Right);
    RBPoint.Y = std::min(RBPoint.Y, ClRect.Bottom);
}

void TbsDataSkinPopupWindow::VisitFields(TbsFieldVisitor& v) {
    v.Integer("windowpictureindex", WindowPictureIndex, -1);
    v.Integer("maskpictureindex", MaskPictureIndex, -1);
    v.Point("lefttoppoint", LTPoint);
    v.Point("righttoppoint", RTPoint);
    v.Point("leftbottompoint", LBPoint);
    v.Point("rightbottompoint", RBPoint);
    v.Rect("itemsrect", ItemsRect);
    v.Color("scrollmarkercolor", ScrollMarkerColor, 0);
    v.Color("scrollmarkeractivecolor", ScrollMarkerActiveColor, 0);
    v.Boolean("leftstretch", LeftStretch);
    v.Boolean("rightstretch", RightStretch);
    v.Boolean("topstretch", TopStretch);
    v.Boolean("bottomstretch", BottomStretch);
    v.Boolean("stretcheffect", StretchEffect);
    v.StretchType("stretchtype", StretchType);
}

void TbsDataSkinHintWindow::VisitFields(TbsFieldVisitor& v) {
    v.Integer("windowpictureindex", WindowPictureIndex, -1);
    v.Integer("maskpictureindex", MaskPictureIndex, -1);
    v.Point("lefttoppoint", LTPoint);
    v.Point("righttoppoint", RTPoint);
    v.Point("leftbottompoint", LBPoint);
    v.Point("rightbottompoint", RBPoint);
    v.Rect("clientrect", ClRect);
    v.String("fontname", FontName, "Arial");
    v.Integer("fontheight", FontHeight, 14);
    v.FontStyle("fontstyle", FontStyle);
    v.Color("fontcolor", FontColor, 0);
    v.Boolean("leftstretch", LeftStretch);
    v.Boolean("rightstretch", RightStretch);
    v.Boolean("topstretch", TopStretch);
    v.Boolean("bottomstretch", BottomStretch);
    v.Boolean("stretcheffect", StretchEffect);
    v.StretchType("stretchtype", StretchType);
}

void TbsSkinColors::VisitFields(TbsFieldVisitor& v) {
    v.Color("cbtnface", cBtnFace, clBtnFace);
    v.Color("cbtntext", cBtnText, clBtnText);
    v.Color("cwindow", cWindow, clWindow);
    v.Color("cwindowtext", cWindowText, clWindowText);
    v.Color("chighlight", cHighLight, clHighlight);
    v.Color("chighlighttext", cHighLightText, clHighlightText);
    v.Color("cbtnhighlight", cBtnHighLight, clBtnHighlight);
    v.Color("cbtnshadow", cBtnShadow, clBtnShadow);
}

void TbsSkinColors::SetColorsToDefault() {
    *this = TbsSkinColors();
}

}  // namespace skin
