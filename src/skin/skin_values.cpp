#include "skin/skin_values.h"

#include <array>

#include "core/convert.h"

namespace skin {

namespace {

template <size_t N>
std::array<int32_t, N> ParseFields(std::string_view text) {
    std::array<int32_t, N> out{};
    std::string field;
    size_t index = 0;
    for (char c : text) {
        if (index >= N) break;  // fields past the last one are ignored
        if (c == ',') {
            out[index++] = core::StrToInt(field);
            field.clear();
        } else if (c >= '0' && c <= '9') {
            field += c;
        }
    }
    // The field still open, then any missing ones: an empty field raises the conversion error.
    while (index < N) {
        out[index++] = core::StrToInt(field);
        field.clear();
    }
    return out;
}

template <typename E, size_t N>
std::optional<E> Lookup(std::string_view text, const std::array<const char*, N>& names) {
    for (size_t i = 0; i < N; ++i)
        if (text == names[i]) return static_cast<E>(i);
    return std::nullopt;
}

constexpr std::array<const char*, 7> kMorphKinds = {
    "mkdefault",   "mkgradient",   "mkleftgradient", "mkrightgradient",
    "mkleftslide", "mkrightslide", "mkpush"};
constexpr std::array<const char*, 6> kInactiveEffects = {
    "iebrightness", "iedarkness", "iegrayscale", "ienoise", "iesplitblur", "ieinvert"};
constexpr std::array<const char*, 7> kCommands = {"cmclose",         "cmmaximize", "cmminimize",
                                                  "cmsysmenu",       "cmdefault",  "cmrollup",
                                                  "cmminimizetotray"};
constexpr std::array<const char*, 3> kStretchTypes = {"stfull", "sthorz", "stvert"};

}  // namespace

TRect ParseRect(std::string_view text) {
    auto f = ParseFields<4>(text);
    return TRect{f[0], f[1], f[2], f[3]};
}

TPoint ParsePoint(std::string_view text) {
    auto f = ParseFields<2>(text);
    return TPoint{f[0], f[1]};
}

TFontStyles ParseFontStyles(std::string_view text) {
    TFontStyles styles = 0;
    if (text.find("fsbold") != std::string_view::npos) styles |= fsBold;
    if (text.find("fsitalic") != std::string_view::npos) styles |= fsItalic;
    if (text.find("fsunderline") != std::string_view::npos) styles |= fsUnderline;
    if (text.find("fsstrikeout") != std::string_view::npos) styles |= fsStrikeOut;
    return styles;
}

TAlignment ParseAlignment(std::string_view text) {
    if (text == "tacenter") return TAlignment::taCenter;
    if (text == "taleftjustify") return TAlignment::taLeftJustify;
    return TAlignment::taRightJustify;
}

TbsStretchType ParseStretchType(std::string_view text) {
    if (text == "stfull") return TbsStretchType::bsstFull;
    if (text == "stvert") return TbsStretchType::bsstVert;
    return TbsStretchType::bsstHorz;
}

TbsMorphKind ParseMorphKind(std::string_view text) {
    return Lookup<TbsMorphKind>(text, kMorphKinds).value_or(TbsMorphKind::mkDefault);
}

TbsInactiveEffect ParseInactiveEffect(std::string_view text) {
    return Lookup<TbsInactiveEffect>(text, kInactiveEffects)
        .value_or(TbsInactiveEffect::ieGrayscale);
}

TbsStdCommand ParseCommand(std::string_view text) {
    return Lookup<TbsStdCommand>(text, kCommands).value_or(TbsStdCommand::cmMinimizeToTray);
}

std::string RectToText(const TRect& r) {
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) +
           "," + std::to_string(r.Bottom);
}

std::string PointToText(const TPoint& p) {
    return std::to_string(p.X) + "," + std::to_string(p.Y);
}

std::string FontStylesToText(TFontStyles styles) {
    std::string text;
    auto add = [&](TFontStyle s, const char* name) {
        if (!(styles & s)) return;
        if (!text.empty()) text += ",";
        text += name;
    };
    add(fsBold, "fsbold");
    add(fsItalic, "fsitalic");
    add(fsUnderline, "fsunderline");
    add(fsStrikeOut, "fsstrikeout");
    return text;
}

std::string AlignmentToText(TAlignment a) {
    switch (a) {
        case TAlignment::taLeftJustify:
            return "taleftjustify";
        case TAlignment::taRightJustify:
            return "tarightjustify";
        case TAlignment::taCenter:
            return "tacenter";
    }
    return "tacenter";
}

std::string StretchTypeToText(TbsStretchType t) {
    return kStretchTypes[static_cast<size_t>(t)];
}
std::string MorphKindToText(TbsMorphKind k) {
    return kMorphKinds[static_cast<size_t>(k)];
}
std::string InactiveEffectToText(TbsInactiveEffect e) {
    return kInactiveEffects[static_cast<size_t>(e)];
}
std::string CommandToText(TbsStdCommand c) {
    return kCommands[static_cast<size_t>(c)];
}

// ---- reader ----

std::string TbsIniReader::Text(const char* key, const char* missing) const {
    return ini_.ReadString(section_, key, missing);
}

void TbsIniReader::String(const char* key, std::string& field, const char* missing) {
    field = Text(key, missing);
}
void TbsIniReader::Integer(const char* key, int32_t& field, int32_t missing) {
    field = ini_.ReadInteger(section_, key, missing);
}
void TbsIniReader::Color(const char* key, TColor& field, TColor missing) {
    field = ini_.ReadInteger(section_, key, missing);
}
void TbsIniReader::Boolean(const char* key, bool& field) {
    field = ini_.ReadInteger(section_, key, 0) == 1;
}
void TbsIniReader::Rect(const char* key, TRect& field) {
    field = ParseRect(Text(key, "0,0,0,0"));
}
void TbsIniReader::Point(const char* key, TPoint& field) {
    field = ParsePoint(Text(key, "0,0"));
}
void TbsIniReader::FontStyle(const char* key, TFontStyles& field) {
    field = ParseFontStyles(Text(key, ""));
}
void TbsIniReader::Alignment(const char* key, TAlignment& field) {
    field = ParseAlignment(Text(key, "tacenter"));
}
void TbsIniReader::StretchType(const char* key, TbsStretchType& field) {
    field = ParseStretchType(Text(key, "stfull"));
}
void TbsIniReader::MorphKind(const char* key, TbsMorphKind& field) {
    field = ParseMorphKind(Text(key, "mkdefault"));
}
void TbsIniReader::InactiveEffect(const char* key, TbsInactiveEffect& field) {
    field = ParseInactiveEffect(Text(key, "iebrightness"));
}
void TbsIniReader::Command(const char* key, TbsStdCommand& field) {
    field = ParseCommand(Text(key, "cmdefault"));
}

// ---- writer ----

void TbsIniWriter::String(const char* key, std::string& field, const char*) {
    ini_.WriteString(section_, key, field);
}
void TbsIniWriter::Integer(const char* key, int32_t& field, int32_t) {
    ini_.WriteInteger(section_, key, field);
}
void TbsIniWriter::Color(const char* key, TColor& field, TColor) {
    ini_.WriteInteger(section_, key, field);
}
void TbsIniWriter::Boolean(const char* key, bool& field) {
    ini_.WriteInteger(section_, key, field ? 1 : 0);
}
void TbsIniWriter::Rect(const char* key, TRect& field) {
    ini_.WriteString(section_, key, RectToText(field));
}
void TbsIniWriter::Point(const char* key, TPoint& field) {
    ini_.WriteString(section_, key, PointToText(field));
}
void TbsIniWriter::FontStyle(const char* key, TFontStyles& field) {
    ini_.WriteString(section_, key, FontStylesToText(field));
}
void TbsIniWriter::Alignment(const char* key, TAlignment& field) {
    ini_.WriteString(section_, key, AlignmentToText(field));
}
void TbsIniWriter::StretchType(const char* key, TbsStretchType& field) {
    ini_.WriteString(section_, key, StretchTypeToText(field));
}
void TbsIniWriter::MorphKind(const char* key, TbsMorphKind& field) {
    ini_.WriteString(section_, key, MorphKindToText(field));
}
void TbsIniWriter::InactiveEffect(const char* key, TbsInactiveEffect& field) {
    ini_.WriteString(section_, key, InactiveEffectToText(field));
}
void TbsIniWriter::Command(const char* key, TbsStdCommand& field) {
    ini_.WriteString(section_, key, CommandToText(field));
}

}  // namespace skin
