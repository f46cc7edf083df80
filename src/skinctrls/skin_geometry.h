#pragma once
// The skin geometry a resizable control copies from its skin object when it binds: the skin
// rect, the four division points, the client rect, the stretch rules and the pictures; the
// layout mode derived from them; and the resize of that geometry to the control's size.
#include <cstdint>

#include "graphics/bitmap.h"
#include "skin/skin_controls.h"
#include "skin/skin_data.h"
#include "skinctrls/skin_image.h"

namespace skinctrls {

enum class TbsSkinLayoutMode : int8_t {
    NoSkinRect = -1,
    Fixed = 0,
    NinePart = 1,
    Horizontal = 2,
    Vertical = 3,
};

struct TbsSkinLayout {
    TRect SkinRect;
    TbsSkinGeometry Geometry;  // points and client rect, as in the skin and resized
    int32_t PictureIndex = -1;
    int32_t MaskPictureIndex = -1;
    TbsSkinLayoutMode LayoutMode = TbsSkinLayoutMode::Fixed;

    // Copies the object's geometry (an object that is no resizable control leaves the frame
    // Fixed, without pictures) and derives the layout mode. The resized geometry starts equal
    // to the skin's.
    void CopyFrom(const skin::TbsDataSkinControl* object);
    void Clear() { *this = TbsSkinLayout(); }

    // The layout mode of a skin rect and its points.
    static TbsSkinLayoutMode ModeOf(const TRect& skinRect, const TbsSkinGeometry& geometry);

    // Resizes the geometry to a requested w × h and adjusts the request by the mode: Fixed
    // takes the skin size, Horizontal the skin height, Vertical the skin width.
    void ComputeSize(int& width, int& height);

    // The picture's piece `rect` (the skin rect or a state rect of the same size) composed to
    // width × height by the layout mode. `drawClient` fills the client piece in NinePart mode.
    void Compose(graphics::TBitmap& result, const graphics::TBitmap& picture, const TRect& rect,
                 int width, int height, bool drawClient = true) const;
};

// The picture of an index in the skin data, or null when the index names none.
const graphics::TBitmap* SkinBitmap(const skin::TbsSkinData* data, int32_t index);

}  // namespace skinctrls
