#pragma once
// The caption font a skin object names (face, height, style and colour), copied when a
// control binds, and the font the control draws with from it.
#include <string>

#include "graphics/graphics_objects.h"
#include "skin/skin_data.h"

namespace skinctrls {

struct TbsSkinFont {
    std::string Name = "Arial";
    int Height = 14;
    skin::TFontStyles Style = 0;
    graphics::TColor Color = 0;

    // Every skin object with a caption font names it with these four keys.
    template <typename Object>
    void CopyFrom(const Object& object) {
        Name = object.FontName;
        Height = object.FontHeight;
        Style = object.FontStyle;
        Color = object.FontColor;
    }

    // Sets the face, height and style of `font` (not its colour).
    void ApplyTo(graphics::TFont& font) const;
    // The font a control draws with: this face, height and style over `defaultFont` when
    // `useSkinFont`, else the default font; the character set is the skin data's string
    // table's, else the default font's.
    void Select(graphics::TFont& target, const graphics::TFont& defaultFont, bool useSkinFont,
                const skin::TbsSkinData* data) const;
};

}  // namespace skinctrls
