#include "graphics/color.h"

#include <cstdio>
#include <cstdlib>

#include "core/exceptions.h"
#include "core/resource_strings.h"
#include "core/utf8.h"
#include "platform/gdi/gdi.h"

namespace graphics {

uint32_t ColorToRGB(TColor color) {
    if (color < 0) return platform::GetSysColor(color & 0xFF);
    return static_cast<uint32_t>(color);
}

namespace {

const TColorName kColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
};

}  // namespace

const TColorName* ColorNames(size_t& count) {
    count = std::size(kColorNames);
    return kColorNames;
}

std::optional<TColor> IdentToColor(std::string_view name) {
    for (const auto& entry : kColorNames)
        if (core::SameTextAscii(name, entry.name)) return entry.value;
    return std::nullopt;
}

std::optional<std::string> ColorToIdent(TColor color) {
    for (const auto& entry : kColorNames)
        if (entry.value == color) return std::string(entry.name);
    return std::nullopt;
}

std::string ColorToString(TColor color) {
    if (auto name = ColorToIdent(color)) return *name;
    char text[16];
    std::snprintf(text, sizeof text, "$%.8X", static_cast<uint32_t>(color));
    return text;
}

TColor StringToColor(std::string_view text) {
    if (auto value = IdentToColor(text)) return *value;
    std::string digits(text);
    int base = 10;
    size_t start = 0;
    if (!digits.empty() && digits[0] == '$') {
        base = 16;
        start = 1;
    } else if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        start = 2;
    }
    const char* begin = digits.c_str() + start;
    char* end = nullptr;
    long long value = std::strtoll(begin, &end, base);
    bool whole = *begin != '\0' && end && *end == '\0';
    if (!whole || value < INT32_MIN || value > UINT32_MAX)
        throw core::EConvertError(core::strings::SInvalidInteger, {std::string(text)});
    return static_cast<TColor>(static_cast<uint32_t>(value));
}

}  // namespace graphics
