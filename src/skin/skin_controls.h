#pragma once
// Control skin objects: what the skin's control catalogue names ("button", "panel", ...), each
// reading its keys from the section named like it. Fields are public and named after the keys.
#include <memory>
#include <string>

#include "skin/skin_objects.h"

namespace skin {

class TbsDataSkinControl : public TbsSkinDataEntry {
  public:
    using TbsSkinDataEntry::TbsSkinDataEntry;
    int32_t PictureIndex = -1;
    int32_t MaskPictureIndex = -1;
    TRect SkinRect;

  protected:
    void VisitFields(TbsFieldVisitor& v) override;
};

// A control with a resizable frame: four division points, a client rect and stretch rules.
class TbsDataSkinCustomControl : public TbsDataSkinControl {
  public:
    using TbsDataSkinControl::TbsDataSkinControl;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect ClRect;
    bool LeftStretch = false, TopStretch = false, RightStretch = false, BottomStretch = false;
    bool StretchEffect = false;
    TbsStretchType StretchType = TbsStretchType::bsstFull;

  protected:
    void VisitFields(TbsFieldVisitor& v) override;
};

class TbsDataSkinButtonControl : public TbsDataSkinCustomControl {
  public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    std::string FontName = "Arial";
    int32_t FontHeight = 12;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0, DownFontColor = 0, DisabledFontColor = 0;
    TRect ActiveSkinRect, DownSkinRect, FocusedSkinRect, DisabledSkinRect;
    bool Morphing = false;
    TbsMorphKind MorphKind = TbsMorphKind::mkDefault;
    TRect AnimateSkinRect;
    int32_t FrameCount = 0, AnimateInterval = 0;
    bool ShowFocus = false;
    TRect MenuMarkerFlatRect, MenuMarkerRect, MenuMarkerActiveRect, MenuMarkerDownRect;
    TColor MenuMarkerTransparentColor = 0;

  protected:
    void VisitFields(TbsFieldVisitor& v) override;
};

class TbsDataSkinMenuButtonControl : public TbsDataSkinButtonControl {
  public:
    using TbsDataSkinButtonControl::TbsDataSkinButtonControl;
};

class TbsDataSkinPanelControl : public TbsDataSkinCustomControl {
  public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    int32_t BGPictureIndex = -1;
    TRect CaptionRect;
    TAlignment Alignment = TAlignment::taCenter;
    std::string FontName = "Arial";
    int32_t FontHeight = 12;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TRect CheckImageRect, UnCheckImageRect, MarkFrameRect, FrameRect, FrameTextRect;
    int32_t FrameLeftOffset = 0, FrameRightOffset = 0;
    TRect GripperRect;
    bool GripperTransparent = false;
    TColor GripperTransparentColor = 0xFF00FF;

  protected:
    void VisitFields(TbsFieldVisitor& v) override;
};

class TbsDataSkinStdLabelControl : public TbsDataSkinControl {
  public:
    using TbsDataSkinControl::TbsDataSkinControl;
    std::string FontName = "Arial";
    int32_t FontHeight = 12;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0xFF0000;

  protected:
    void VisitFields(TbsFieldVisitor& v) override;
};

class TbsDataSkinScrollBoxControl : public TbsDataSkinCustomControl {
  public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    int32_t BGPictureIndex = -1;

  protected:
    void VisitFields(TbsFieldVisitor& v) override;
};

class TbsDataSkinScrollBarControl : public TbsDataSkinCustomControl {
  public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    TRect TrackArea;
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
    TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
    TRect ThumbRect, ActiveThumbRect, DownThumbRect;
    int32_t ThumbOffset1 = 0, ThumbOffset2 = 0;
    bool ThumbTransparent = false;
    TColor ThumbTransparentColor = 0xFF00FF;
    bool ThumbStretchEffect = false;
    int32_t ThumbMinSize = 0, ThumbMinPageSize = 0;
    TRect GlyphRect, ActiveGlyphRect, DownGlyphRect;
    bool GlyphTransparent = false;
    TColor GlyphTransparentColor = 0xFF00FF;

  protected:
    void VisitFields(TbsFieldVisitor& v) override;
};

class TbsDataSkinEditControl : public TbsDataSkinCustomControl {
  public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    TRect ActiveSkinRect;
    std::string FontName = "Arial";
    int32_t FontHeight = 12;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, DisabledFontColor = 0, ActiveFontColor = 0;
    TRect ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;

  protected:
    void VisitFields(TbsFieldVisitor& v) override;
};

class TbsDataSkinComboBox : public TbsDataSkinCustomControl {
  public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    TRect ActiveSkinRect;
    TRect ItemRect, ActiveItemRect, FocusItemRect;
    int32_t ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect ItemTextRect;
    std::string FontName = "Arial";
    int32_t FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, FocusFontColor = 0, ActiveFontColor = 0;
    std::string ListBoxName;
    TRect ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
    bool ItemStretchEffect = false, FocusItemStretchEffect = false;
    bool ShowFocus = false;

  protected:
    void VisitFields(TbsFieldVisitor& v) override;
};

class TbsDataSkinListBox : public TbsDataSkinCustomControl {
  public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    TRect ItemRect, ActiveItemRect, FocusItemRect;
    int32_t ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect ItemTextRect;
    std::string FontName = "Arial";
    int32_t FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0, FocusFontColor = 0;
    TRect CaptionRect;
    std::string CaptionFontName = "Arial";
    int32_t CaptionFontHeight = 14;
    TFontStyles CaptionFontStyle = 0;
    TColor CaptionFontColor = 0;
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
    TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
    TRect CheckButtonRect, ActiveCheckButtonRect, DownCheckButtonRect;
    std::string VScrollBarName = "vscrollbar", HScrollBarName, BothScrollBarName;
    bool ShowFocus = false;

  protected:
    void VisitFields(TbsFieldVisitor& v) override;
};

class TbsDataSkinListView : public TbsDataSkinControl {
  public:
    using TbsDataSkinControl::TbsDataSkinControl;
    std::string FontName = "Arial";
    int32_t FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor BGColor = 0xFFFFFF;

  protected:
    void VisitFields(TbsFieldVisitor& v) override;
};

// Control kinds this program never paints; they read the keys of a resizable control.
#define TBS_PLAIN_CONTROL(Name)                                   \
    class Name : public TbsDataSkinCustomControl {                \
      public:                                                     \
        using TbsDataSkinCustomControl::TbsDataSkinCustomControl; \
    }
TBS_PLAIN_CONTROL(TbsDataSkinExPanelControl);
TBS_PLAIN_CONTROL(TbsDataSkinCheckRadioControl);
TBS_PLAIN_CONTROL(TbsDataSkinGaugeControl);
TBS_PLAIN_CONTROL(TbsDataSkinSplitterControl);
TBS_PLAIN_CONTROL(TbsDataSkinTrackBarControl);
TBS_PLAIN_CONTROL(TbsDataSkinLabelControl);
TBS_PLAIN_CONTROL(TbsDataSkinUpDownControl);
TBS_PLAIN_CONTROL(TbsDataSkinGridControl);
TBS_PLAIN_CONTROL(TbsDataSkinTabControl);
TBS_PLAIN_CONTROL(TbsDataSkinMainMenuBar);
TBS_PLAIN_CONTROL(TbsDataSkinControlBar);
TBS_PLAIN_CONTROL(TbsDataSkinMemoControl);
TBS_PLAIN_CONTROL(TbsDataSkinCheckListBox);
TBS_PLAIN_CONTROL(TbsDataSkinSpinEditControl);
TBS_PLAIN_CONTROL(TbsDataSkinTreeView);
TBS_PLAIN_CONTROL(TbsDataSkinBevel);
TBS_PLAIN_CONTROL(TbsDataSkinSlider);
TBS_PLAIN_CONTROL(TbsDataSkinRichEdit);
#undef TBS_PLAIN_CONTROL

// The object of a "[SKINCONTROLS]" type keyword, or null for an unknown keyword.
std::unique_ptr<TbsDataSkinControl> CreateSkinControl(std::string_view type, std::string name);

}  // namespace skin
