// The skin picture's rectangles mapped onto a window of another size.
#include "skin/frame_geometry.h"

#include <gtest/gtest.h>

#include "graphics/canvas.h"

using namespace skin;
using namespace platform;

namespace {

TEST(FrameGeometryTest, MappedGeometryMovesWithTheWindowSize) {
    TbsSkinFormInfo info;
    info.ClRect = {4, 27, 281, 206};
    info.CaptionRect = {3, 5, 282, 24};
    info.RTPoint = {274, 30};
    info.LBPoint = {8, 200};
    info.ButtonsRect = {200, 2, 260, 20};  // right of the middle: moves with the right edge
    info.MaskRectArea = {4, 3, 282, 206};
    const TbsFrameGeometry g = MapFrameGeometry(info, 285, 210, 476, 513);
    EXPECT_EQ(g.Client, graphics::Rect(4, 27, 472, 509));
    EXPECT_EQ(g.Caption, graphics::Rect(3, 5, 473, 24));
    EXPECT_EQ(g.Buttons, graphics::Rect(391, 2, 451, 20));
    EXPECT_EQ(g.MaskArea, graphics::Rect(4, 3, 473, 509));
    EXPECT_EQ(g.RT, (graphics::TPoint{465, 30}));
    EXPECT_EQ(g.LB, (graphics::TPoint{8, 503}));
    // A rect spanning the top edge stretches; one in the right corner moves.
    EXPECT_EQ(MapPictureRect({3, 5, 282, 24}, g, info), graphics::Rect(3, 5, 473, 24));
    EXPECT_EQ(MapPictureRect({276, 5, 280, 24}, g, info), graphics::Rect(467, 5, 471, 24));
    EXPECT_EQ(MapPictureRect({2, 202, 6, 208}, g, info), graphics::Rect(2, 505, 6, 511));
}

}  // namespace
