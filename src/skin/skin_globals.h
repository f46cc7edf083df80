#pragma once
// The skin's global sections: the frame geometry of "[FORMINFO]", the popup and hint window
// frames and the eight plain colours.
#include "skin/skin_objects.h"

namespace skin {

class TbsSkinFormInfo : public TbsSkinDataEntry {
  public:
    TbsSkinFormInfo() : TbsSkinDataEntry("FORMINFO") {}
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect ClRect;
    int32_t BGPictureIndex = -1, MDIBGPictureIndex = -1;
    bool LeftStretch = false, RightStretch = false, TopStretch = false, BottomStretch = false;
    bool StretchEffect = false;
    TbsStretchType StretchType = TbsStretchType::bsstFull;
    bool MDIBGStretchEffect = false;
    TbsStretchType MDIBGStretchType = TbsStretchType::bsstFull;
    TRect MaskRectArea;
    TPoint HitTestLTPoint, HitTestRTPoint, HitTestLBPoint, HitTestRBPoint;
    TRect ButtonsRect, CaptionRect;
    int32_t ButtonsOffset = 0;
    bool ButtonsInLeft = false, MainMenuPopupUp = false;
    int32_t BorderWidth = 0, FormMinWidth = 0;
    bool MDITabsTransparent = false, MainMenuBarTransparent = false;
    bool AutoRenderingInActiveImage = false;
    TbsInactiveEffect InActiveEffect = TbsInactiveEffect::ieBrightness;

    // The corrections made after reading: with a mask, the mask rect area covers the client
    // rect and unset hit-test points take the corner points; then the corner points are
    // clamped into the client rect.
    void FixUp(bool hasMask);

  protected:
    void VisitFields(TbsFieldVisitor& v) override;
};

class TbsDataSkinPopupWindow : public TbsSkinDataEntry {
  public:
    TbsDataSkinPopupWindow() : TbsSkinDataEntry("POPUPWINDOW") {}
    int32_t WindowPictureIndex = -1, MaskPictureIndex = -1;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect ItemsRect;
    TColor ScrollMarkerColor = 0, ScrollMarkerActiveColor = 0;
    bool LeftStretch = false, RightStretch = false, TopStretch = false, BottomStretch = false;
    bool StretchEffect = false;
    TbsStretchType StretchType = TbsStretchType::bsstFull;

  protected:
    void VisitFields(TbsFieldVisitor& v) override;
};

class TbsDataSkinHintWindow : public TbsSkinDataEntry {
  public:
    TbsDataSkinHintWindow() : TbsSkinDataEntry("HINTWINDOW") {}
    int32_t WindowPictureIndex = -1, MaskPictureIndex = -1;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect ClRect;
    std::string FontName = "Arial";
    int32_t FontHeight = 12;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    bool LeftStretch = false, RightStretch = false, TopStretch = false, BottomStretch = false;
    bool StretchEffect = false;
    TbsStretchType StretchType = TbsStretchType::bsstFull;

  protected:
    void VisitFields(TbsFieldVisitor& v) override;
};

class TbsSkinColors : public TbsSkinDataEntry {
  public:
    TbsSkinColors() : TbsSkinDataEntry("SKINCOLORS") {}
    TColor cBtnFace = clBtnFace, cBtnText = clBtnText, cWindow = clWindow;
    TColor cWindowText = clWindowText, cHighLight = clHighlight;
    TColor cHighLightText = clHighlightText, cBtnHighLight = clBtnHighlight;
    TColor cBtnShadow = clBtnShadow;

    // Back to the system colours.
    void SetColorsToDefault();

  protected:
    void VisitFields(TbsFieldVisitor& v) override;
};

}  // namespace skin
