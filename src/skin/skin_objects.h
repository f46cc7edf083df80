#pragma once
// Form-level skin objects: the caption buttons, caption, menu items and other objects that the
// skin's object catalogue names. Each reads its keys from the section named like the object.
//
// These are data records: their fields are public and named after the keys they hold.
#include <memory>
#include <string>

#include "core/ini_file.h"
#include "skin/skin_types.h"
#include "skin/skin_values.h"

namespace skin {

// The common base of everything a catalogue creates.
class TbsSkinDataEntry {
  public:
    explicit TbsSkinDataEntry(std::string idName) : IDName(std::move(idName)) {}
    virtual ~TbsSkinDataEntry() = default;

    // Reads the object's keys from its own section (parent class keys first).
    virtual void ReadFromIni(const core::TMemIniFile& ini);
    // Erases the section and writes the same keys in the same syntax.
    virtual void WriteToIni(core::TMemIniFile& ini);

    std::string IDName;

  protected:
    virtual void VisitFields(TbsFieldVisitor& v) = 0;
};

class TbsDataSkinObject : public TbsSkinDataEntry {
  public:
    using TbsSkinDataEntry::TbsSkinDataEntry;
    std::string Hint;
    int32_t ActivePictureIndex = -1;
    bool SkinRectInAPicture = false;
    TRect SkinRect, ActiveSkinRect, InActiveSkinRect;
    bool Morphing = false;
    TbsMorphKind MorphKind = TbsMorphKind::mkDefault;

  protected:
    void VisitFields(TbsFieldVisitor& v) override;
};

class TbsDataSkinButton : public TbsDataSkinObject {
  public:
    using TbsDataSkinObject::TbsDataSkinObject;
    TRect DownRect, DisableSkinRect;

  protected:
    void VisitFields(TbsFieldVisitor& v) override;
};

class TbsDataSkinStdButton : public TbsDataSkinButton {
  public:
    using TbsDataSkinButton::TbsDataSkinButton;
    TbsStdCommand Command = TbsStdCommand::cmDefault;
    TRect RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect;

  protected:
    void VisitFields(TbsFieldVisitor& v) override;
};

class TbsDataSkinMainMenuBarButton : public TbsDataSkinStdButton {
  public:
    using TbsDataSkinStdButton::TbsDataSkinStdButton;
};

class TbsDataSkinCaption : public TbsDataSkinObject {
  public:
    using TbsDataSkinObject::TbsDataSkinObject;
    TRect TextRect;
    std::string FontName = "Arial";
    int32_t FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0;
    TAlignment Alignment = TAlignment::taCenter;
    bool Light = false;
    TColor LightColor = 0, ActiveLightColor = 0;
    bool Shadow = false;
    TColor ShadowColor = 0, ActiveShadowColor = 0;
    TRect FrameRect, ActiveFrameRect, FrameTextRect;
    int32_t FrameLeftOffset = 0, FrameRightOffset = 0;
    bool StretchEffect = false;
    TRect AnimateSkinRect;
    int32_t FrameCount = 0, AnimateInterval = 25;
    bool InActiveAnimation = false, FullFrame = false;

  protected:
    void VisitFields(TbsFieldVisitor& v) override;
};

class TbsDataSkinAnimate : public TbsDataSkinObject {
  public:
    using TbsDataSkinObject::TbsDataSkinObject;
    void ReadFromIni(const core::TMemIniFile& ini) override;
    int32_t CountFrames = 1;
    bool Cycle = false, ButtonStyle = false;
    int32_t TimerInterval = 50;
    TbsStdCommand Command = TbsStdCommand::cmDefault;
    TRect DownSkinRect, RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect;

  protected:
    void VisitFields(TbsFieldVisitor& v) override;
};

class TbsDataSkinMenuItem : public TbsDataSkinObject {
  public:
    using TbsDataSkinObject::TbsDataSkinObject;
    void ReadFromIni(const core::TMemIniFile& ini) override;
    int32_t ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect DividerRect;
    int32_t DividerLeftOffset = 0, DividerRightOffset = 0;
    TRect TextRect, ImageRect;
    std::string FontName = "Arial";
    int32_t FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0, UnEnabledFontColor = 0;
    bool StretchEffect = false, InActiveStretchEffect = false, DividerStretchEffect = false;
    TRect AnimateSkinRect;
    int32_t FrameCount = 0, AnimateInterval = 25;
    bool InActiveAnimation = false, UseImageColor = false;
    TColor ImageColor = 0, ActiveImageColor = 0;
    bool InActiveTransparent = false;
    TRect CheckImageRect, ActiveCheckImageRect, RadioImageRect, ActiveRadioImageRect;
    TRect ArrowImageRect, ActiveArrowImageRect;

  protected:
    void VisitFields(TbsFieldVisitor& v) override;
};

class TbsDataSkinMainMenuItem : public TbsDataSkinObject {
  public:
    using TbsDataSkinObject::TbsDataSkinObject;
    int32_t ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect DownRect, TextRect;
    std::string FontName = "Arial";
    int32_t FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0, DownFontColor = 0, UnEnabledFontColor = 0;
    bool StretchEffect = false;
    TRect AnimateSkinRect;
    int32_t FrameCount = 0, AnimateInterval = 25;
    bool InActiveAnimation = false;

  protected:
    void VisitFields(TbsFieldVisitor& v) override;
};

class TbsDataSkinMainMenuBarItem : public TbsDataSkinMainMenuItem {
  public:
    using TbsDataSkinMainMenuItem::TbsDataSkinMainMenuItem;
};

// Reads only its skin rect.
class TbsDataUserObject : public TbsDataSkinObject {
  public:
    using TbsDataSkinObject::TbsDataSkinObject;

  protected:
    void VisitFields(TbsFieldVisitor& v) override;
};

// The object of an "[SKINOBJECTS]" type keyword, or null for an unknown keyword.
std::unique_ptr<TbsDataSkinObject> CreateSkinObject(std::string_view type, std::string name);

}  // namespace skin
