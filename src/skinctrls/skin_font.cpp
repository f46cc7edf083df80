#include "skinctrls/skin_font.h"

namespace skinctrls {

void TbsSkinFont::ApplyTo(graphics::TFont& font) const {
    font.SetName(Name);
    font.SetHeight(Height);
    font.SetStyle(Style);
}

void TbsSkinFont::Select(graphics::TFont& target, const graphics::TFont& defaultFont,
                         bool useSkinFont, const skin::TbsSkinData* data) const {
    target.CopyFrom(&defaultFont);
    if (useSkinFont) ApplyTo(target);
    if (data != nullptr && data->ResourceStrData() != nullptr)
        target.SetCharset(uint8_t(data->ResourceStrData()->CharSet()));
}

}  // namespace skinctrls
