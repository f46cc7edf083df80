// Where the pointer is on a skinned or plain frame.
#include "skin/frame_hit_test.h"

#include <gtest/gtest.h>

#include "platform/user/winuser.h"
#include "skin/frame_geometry.h"

using namespace skin;
using namespace platform;

namespace {

TEST(FrameHitTestTest, PlainFrameCornersAreWhereTwoBordersMeet) {
    EXPECT_EQ(PlainHitTest(100, 80, 3, 19, true, {2, 2}), HTTOPLEFT);
    EXPECT_EQ(PlainHitTest(100, 80, 3, 19, true, {2, 3}), HTLEFT);
    EXPECT_EQ(PlainHitTest(100, 80, 3, 19, true, {97, 79}), HTBOTTOMRIGHT);
    EXPECT_EQ(PlainHitTest(100, 80, 3, 19, false, {2, 40}), HTBORDER);
    EXPECT_EQ(PlainHitTest(100, 80, 3, 19, true, {50, 21}), HTCAPTION);
    EXPECT_EQ(PlainHitTest(100, 80, 3, 19, true, {50, 22}), HTCLIENT);
    EXPECT_EQ(PlainHitTest(100, 80, 3, 19, true, {100, 40}), HTNOWHERE);
}

TEST(FrameHitTestTest, RolledUpOrMinimizedFrameOnlyKnowsTheCaption) {
    TbsSkinFormInfo info;
    info.ClRect = {4, 27, 281, 206};
    const TbsFrameGeometry g = MapFrameGeometry(info, 285, 210, 476, 513);
    TbsHitTestState s;
    s.RolledUpOrMinimized = true;
    s.Sizeable = true;
    s.BorderWidth = 3;
    EXPECT_EQ(SkinHitTest(g, s, {1, 100}), kNeutralHit);
    EXPECT_EQ(SkinHitTest(g, s, {100, 100}), kNeutralHit);
    s.OnCaption = true;
    EXPECT_EQ(SkinHitTest(g, s, {100, 10}), HTCAPTION);
    // A hot object keeps the mouse on the frame while the pointer is off every object.
    s = {};
    s.Sizeable = true;
    s.BorderWidth = 3;
    s.ObjectHot = true;
    EXPECT_EQ(SkinHitTest(g, s, {1, 100}), kNeutralHit);
    EXPECT_EQ(SkinHitTest(g, s, {100, 100}), HTCLIENT);
}

}  // namespace
