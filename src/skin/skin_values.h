#pragma once
// The value syntax of the skin description, and the field visitors that let each skin object
// list its keys once for both reading and writing.
//
// Keyword comparisons are exact and case-sensitive. Rects and points are read character by
// character: "," ends a field and of all other characters only the digits are kept, so blanks
// and minus signs vanish; an empty field fails the integer conversion.
#include <string>
#include <string_view>

#include "core/ini_file.h"
#include "skin/skin_types.h"

namespace skin {

TRect ParseRect(std::string_view text);
TPoint ParsePoint(std::string_view text);
TFontStyles ParseFontStyles(std::string_view text);
TAlignment ParseAlignment(std::string_view text);
TbsStretchType ParseStretchType(std::string_view text);
TbsMorphKind ParseMorphKind(std::string_view text);
TbsInactiveEffect ParseInactiveEffect(std::string_view text);
TbsStdCommand ParseCommand(std::string_view text);

std::string RectToText(const TRect& r);
std::string PointToText(const TPoint& p);
std::string FontStylesToText(TFontStyles styles);
std::string AlignmentToText(TAlignment a);
std::string StretchTypeToText(TbsStretchType t);
std::string MorphKindToText(TbsMorphKind k);
std::string InactiveEffectToText(TbsInactiveEffect e);
std::string CommandToText(TbsStdCommand c);

// One pass over an object's keys. Each call names a key, the field and the value the field
// takes when the key is missing.
class TbsFieldVisitor {
  public:
    virtual ~TbsFieldVisitor() = default;
    virtual void String(const char* key, std::string& field, const char* missing) = 0;
    virtual void Integer(const char* key, int32_t& field, int32_t missing) = 0;
    virtual void Color(const char* key, TColor& field, TColor missing) = 0;
    virtual void Boolean(const char* key, bool& field) = 0;
    virtual void Rect(const char* key, TRect& field) = 0;
    virtual void Point(const char* key, TPoint& field) = 0;
    virtual void FontStyle(const char* key, TFontStyles& field) = 0;
    virtual void Alignment(const char* key, TAlignment& field) = 0;
    virtual void StretchType(const char* key, TbsStretchType& field) = 0;
    virtual void MorphKind(const char* key, TbsMorphKind& field) = 0;
    virtual void InactiveEffect(const char* key, TbsInactiveEffect& field) = 0;
    virtual void Command(const char* key, TbsStdCommand& field) = 0;
};

// Reads every visited key from one section.
class TbsIniReader : public TbsFieldVisitor {
  public:
    TbsIniReader(const core::TMemIniFile& ini, std::string section)
        : ini_(ini), section_(std::move(section)) {}

    void String(const char* key, std::string& field, const char* missing) override;
    void Integer(const char* key, int32_t& field, int32_t missing) override;
    void Color(const char* key, TColor& field, TColor missing) override;
    void Boolean(const char* key, bool& field) override;
    void Rect(const char* key, TRect& field) override;
    void Point(const char* key, TPoint& field) override;
    void FontStyle(const char* key, TFontStyles& field) override;
    void Alignment(const char* key, TAlignment& field) override;
    void StretchType(const char* key, TbsStretchType& field) override;
    void MorphKind(const char* key, TbsMorphKind& field) override;
    void InactiveEffect(const char* key, TbsInactiveEffect& field) override;
    void Command(const char* key, TbsStdCommand& field) override;

  private:
    std::string Text(const char* key, const char* missing) const;
    const core::TMemIniFile& ini_;
    std::string section_;
};

// Writes every visited key into one section.
class TbsIniWriter : public TbsFieldVisitor {
  public:
    TbsIniWriter(core::TMemIniFile& ini, std::string section)
        : ini_(ini), section_(std::move(section)) {}

    void String(const char* key, std::string& field, const char*) override;
    void Integer(const char* key, int32_t& field, int32_t) override;
    void Color(const char* key, TColor& field, TColor) override;
    void Boolean(const char* key, bool& field) override;
    void Rect(const char* key, TRect& field) override;
    void Point(const char* key, TPoint& field) override;
    void FontStyle(const char* key, TFontStyles& field) override;
    void Alignment(const char* key, TAlignment& field) override;
    void StretchType(const char* key, TbsStretchType& field) override;
    void MorphKind(const char* key, TbsMorphKind& field) override;
    void InactiveEffect(const char* key, TbsInactiveEffect& field) override;
    void Command(const char* key, TbsStdCommand& field) override;

  private:
    core::TMemIniFile& ini_;
    std::string section_;
};

}  // namespace skin
