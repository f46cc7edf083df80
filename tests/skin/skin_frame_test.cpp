#include <gtest/gtest.h>

#include "frame_fixture.h"
#include "platform/thread/sync.h"
#include "platform/user/user.h"
#include "skin/frame_hit_test.h"

using namespace skin;
using namespace platform;

namespace skin_test {
namespace {

TEST_F(FrameTest, FrameWidthsFollowTheFramePicture) {
    LoadAndShow();
    ASSERT_TRUE(frame_->SkinActive());
    const RECT client = ClientRectOf();
    EXPECT_EQ(client.right, 468);
    EXPECT_EQ(client.bottom, 482);
    const graphics::TPoint origin = form_->ClientToScreen({0, 0});
    EXPECT_EQ(origin.x - form_->Left(), 4);
    EXPECT_EQ(origin.y - form_->Top(), 27);
}

TEST_F(FrameTest, WithoutSkinThePlainFrameIsThreePixelsAndACaption) {
    form_->Show();
    Pump();
    EXPECT_FALSE(frame_->SkinActive());
    const TbsFrameInsets insets = frame_->Insets();
    EXPECT_EQ(insets.Left, 3);
    EXPECT_EQ(insets.Right, 3);
    EXPECT_EQ(insets.Bottom, 3);
    EXPECT_EQ(insets.Top, GetSystemMetrics(SM_CYCAPTION) + 3);
    EXPECT_EQ(HitAt(1, 100), HTLEFT);
    EXPECT_EQ(HitAt(1, 1), HTTOPLEFT);
    EXPECT_EQ(HitAt(100, 10), HTCAPTION);
    EXPECT_EQ(HitAt(100, 100), HTCLIENT);
}

TEST_F(FrameTest, TheFormKeepsItsClientSizeWhenTheSkinArrives) {
    form_->SetClientSize(468, 482);
    skinData_->SetCompressedStoredSkin(stored_);
    EXPECT_EQ(form_->Width(), 476);
    EXPECT_EQ(form_->Height(), 513);
    EXPECT_EQ(form_->ClientHeight(), 482);
}

TEST_F(FrameTest, ShrinkingStopsAtTheMinimumSize) {
    LoadAndShow();
    form_->SetBounds(form_->Left(), form_->Top(), 10, 10);
    EXPECT_EQ(form_->Width(), 200);
    EXPECT_EQ(form_->Height(), 31);
    frame_->SetMinWidth(400);  // larger than the picture: it wins
    form_->SetBounds(form_->Left(), form_->Top(), 10, 10);
    EXPECT_EQ(form_->Width(), 400);
}

TEST_F(FrameTest, HitTestFindsSizingZonesCaptionAndClient) {
    LoadAndShow();
    EXPECT_EQ(HitAt(2, 100), HTLEFT);
    EXPECT_EQ(HitAt(10, 100), HTCLIENT);
    EXPECT_EQ(HitAt(474, 100), HTRIGHT);
    EXPECT_EQ(HitAt(200, 511), HTBOTTOM);
    EXPECT_EQ(HitAt(474, 511), HTBOTTOMRIGHT);
    EXPECT_EQ(HitAt(100, 12), HTCAPTION);
    // The caption buttons are the frame's own business.
    EXPECT_EQ(HitAt(460, 12), kNeutralHit);
    frame_->Maximize();
    EXPECT_EQ(HitAt(2, 100), kNeutralHit);  // no sizing while maximized
}

TEST_F(FrameTest, CaptionButtonsLineUpFromTheRight) {
    LoadAndShow();
    const char* names[] = {"closebutton", "maxbutton", "minbutton"};
    const int lefts[] = {452, 429, 406};
    for (int i = 0; i < 3; ++i) {
        TbsActiveSkinObject* button = frame_->FindObject(names[i]);
        ASSERT_NE(button, nullptr) << names[i];
        EXPECT_TRUE(button->Visible) << names[i];
        EXPECT_EQ(button->ObjectRect, graphics::Bounds(lefts[i], 5, 21, 21)) << names[i];
    }
    for (const char* hidden : {"rollupbutton", "sysmenubutton", "traybutton"})
        EXPECT_FALSE(frame_->FindObject(hidden)->Visible) << hidden;
    EXPECT_EQ(frame_->FindObject("menuitem"), nullptr);
    ASSERT_NE(frame_->CaptionObject(), nullptr);
    EXPECT_EQ(frame_->CaptionObject()->ObjectRect.right, 406);
    // With the roll-up icon its button joins the line.
    frame_->SetBorderIcons(biMinimize | biMaximize | biRollUp);
    frame_->RepaintFrame();
    EXPECT_EQ(frame_->FindObject("rollupbutton")->ObjectRect.left, 383);
    EXPECT_EQ(frame_->CaptionObject()->ObjectRect.right, 383);
}

TEST_F(FrameTest, DoubleClickOnTheCaptionMaximizesAndRestores) {
    LoadAndShow();
    const graphics::TRect before = form_->BoundsRect();
    SendMessage(Window(), WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    EXPECT_EQ(frame_->WindowState(), TbsWindowState::wsMaximized);
    RECT work{};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    // The work area is the whole screen here, so the window stays one pixel inside it.
    EXPECT_EQ(form_->BoundsRect(),
              graphics::Rect(work.left + 1, work.top + 1, work.right - 1, work.bottom - 1));
    SendMessage(Window(), WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    EXPECT_EQ(frame_->WindowState(), TbsWindowState::wsNormal);
    EXPECT_EQ(form_->BoundsRect(), before);
}

TEST_F(FrameTest, MaximizeButtonShowsTheRestoreImagesWhileMaximized) {
    LoadAndShow();
    auto* maxButton = frame_->FindObject("maxbutton");
    ClickAt(440, 15);
    ASSERT_EQ(frame_->WindowState(), TbsWindowState::wsMaximized);
    const graphics::TRect r = maxButton->ObjectRect;
    // Whether the button on the screen shows the 21 x 21 image at (x, y) of the active picture.
    auto shows = [&](int x, int y) {
        HDC src =
            const_cast<TbsSkinPicture*>(skinData_->ActivePicture(0))->Bitmap().Canvas().Handle();
        for (int dy = 0; dy < 21; ++dy)
            for (int dx = 0; dx < 21; ++dx) {
                const COLORREF c = GetPixel(src, x + dx, y + dy);
                const uint32_t expected = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
                const graphics::TPoint at = Screen(r.left + dx, r.top + dy);
                if (host_->PixelAt(at.x, at.y) != expected) return false;
            }
        return true;
    };
    const graphics::TPoint probe = Screen(r.left + 10, r.top + 10);
    host_->MouseMove(probe.x, probe.y);
    Pump();
    ASSERT_TRUE(maxButton->Active);
    EXPECT_TRUE(shows(27, 44));   // hot restore image
    EXPECT_FALSE(shows(27, 22));  // not the hot maximize image
    // Cold again once the cursor has left.
    host_->MouseMove(probe.x, probe.y + 300);
    for (int i = 0; i < 30 && maxButton->Active; ++i) {
        platform::Sleep(10);
        Pump();
    }
    ASSERT_FALSE(maxButton->Active);
    EXPECT_TRUE(shows(2, 44));
}

TEST_F(FrameTest, CloseButtonFiresOnlyWhenReleasedOnIt) {
    LoadAndShow();
    int closes = 0;
    form_->OnClose = [&](ui::TComponent*, ui::TCloseAction& action) {
        ++closes;
        action = ui::TCloseAction::caNone;
    };
    host_->MouseDown(Screen(460, 15).x, Screen(460, 15).y);
    Pump();
    EXPECT_TRUE(frame_->FindObject("closebutton")->Down);
    host_->MouseUp(Screen(200, 200).x, Screen(200, 200).y);
    Pump();
    EXPECT_EQ(closes, 0);
    EXPECT_FALSE(frame_->FindObject("closebutton")->Down);
    EXPECT_EQ(GetCapture(), nullptr);
    ClickAt(460, 15);
    EXPECT_EQ(closes, 1);
}

TEST_F(FrameTest, MinimizeButtonMinimizesAndRestoreComesBack) {
    LoadAndShow();
    int minimized = 0;
    frame_->OnMinimize = [&](ui::TComponent*) { ++minimized; };
    ClickAt(415, 15);
    EXPECT_EQ(minimized, 1);
    EXPECT_EQ(frame_->WindowState(), TbsWindowState::wsMinimized);
    EXPECT_TRUE(IsIconic(Window()));
    frame_->Restore();
    EXPECT_EQ(frame_->WindowState(), TbsWindowState::wsNormal);
    EXPECT_FALSE(IsIconic(Window()));
}

std::vector<std::string> Names(ui::TMenuItem& items) {
    std::vector<std::string> out;
    out.reserve(static_cast<size_t>(items.Count()));
    for (int i = 0; i < items.Count(); ++i) out.push_back(items.Items(i)->Name());
    return out;
}

std::vector<std::string> Captions(ui::TMenuItem& items) {
    std::vector<std::string> out;
    out.reserve(static_cast<size_t>(items.Count()));
    for (int i = 0; i < items.Count(); ++i) out.push_back(items.Items(i)->Caption());
    return out;
}

TEST_F(FrameTest, RightClickOnTheCaptionOpensTheSystemMenu) {
    LoadAndShow();
    // Each click at another place, so that no two make a double click.
    ClickAt(100, 12, kHostRightButton);
    ASSERT_TRUE(frame_->SkinMenuVisible());
    EXPECT_TRUE(frame_->MenuFilterInstalled());
    ui::TMenuItem& items = frame_->SystemMenuItems();
    EXPECT_EQ(Names(items), (std::vector<std::string>{"BSF_MINITEM", "BSF_MAXITEM", "BSF_CLOSE"}));
    EXPECT_EQ(Captions(items),
              (std::vector<std::string>{"Mi&nimize", "Ma&ximize", "&Close\tAlt+F4"}));
    // Escape reaches the open menu through the form's key routing and closes it.
    host_->PressKey(VK_ESCAPE);
    Pump();
    EXPECT_FALSE(frame_->SkinMenuVisible());
    EXPECT_FALSE(frame_->MenuFilterInstalled());

    frame_->Maximize();
    ClickAt(160, 12, kHostRightButton);
    ASSERT_TRUE(frame_->SkinMenuVisible());
    EXPECT_EQ(Captions(frame_->SystemMenuItems()),
              (std::vector<std::string>{"Mi&nimize", "&Restore", "&Close\tAlt+F4"}));
    // The accelerator of "&Restore" runs it once the menu has closed.
    host_->PressKey('R');
    Pump();
    EXPECT_FALSE(frame_->SkinMenuVisible());
    EXPECT_EQ(frame_->WindowState(), TbsWindowState::wsNormal);

    frame_->SetDisableSystemMenu(true);
    ClickAt(220, 12, kHostRightButton);
    EXPECT_FALSE(frame_->SkinMenuVisible());
}

TEST_F(FrameTest, MovingOrClickingTheFormClosesTheMenu) {
    LoadAndShow();
    ClickAt(100, 12, kHostRightButton);
    ASSERT_TRUE(frame_->SkinMenuVisible());
    form_->SetBounds(form_->Left() + 10, form_->Top(), form_->Width(), form_->Height());
    EXPECT_FALSE(frame_->SkinMenuVisible());
    ClickAt(160, 12, kHostRightButton);
    ASSERT_TRUE(frame_->SkinMenuVisible());
    ClickAt(200, 300);  // the client area
    EXPECT_FALSE(frame_->SkinMenuVisible());
}

TEST_F(FrameTest, SystemMenuTakesCaptionsFromTheResourceStrings) {
    TbsResourceStrData strings;
    strings.ResStrings().Clear();
    strings.ResStrings().Add("MI_CLOSECAPTION=关闭");
    skinData_->SetResourceStrData(&strings);
    LoadAndShow();
    frame_->RebuildSystemMenu();
    ui::TMenuItem& items = frame_->SystemMenuItems();
    ASSERT_EQ(items.Count(), 3);
    EXPECT_EQ(items.Items(2)->Caption(), "关闭\tAlt+F4");
    EXPECT_EQ(items.Items(0)->Caption(), "Mi&nimize");  // missing names fall back
    skinData_->SetResourceStrData(nullptr);
}

TEST_F(FrameTest, FramePixelsAreThePictureCorners) {
    LoadAndShow();
    const TbsSkinPicture& picture = skinData_->FramePicture();
    HDC src = const_cast<TbsSkinPicture&>(picture).Bitmap().Canvas().Handle();
    auto rgb = [](COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); };
    const int pw = picture.Width(), ph = picture.Height();
    // Points inside the window's shape: the corner pieces come through unchanged.
    const struct {
        int px, py, wx, wy;
    } probes[] = {{5, 20, 5, 20},
                  {pw - 6, 26, 476 - 6, 26},
                  {2, ph - 3, 2, 513 - 3},
                  {pw - 3, ph - 2, 476 - 3, 513 - 2},
                  {1, 100, 1, 100}};
    for (const auto& p : probes) {
        ASSERT_TRUE(PtInRegion(frame_->WindowRegion(), p.wx, p.wy)) << p.wx << "," << p.wy;
        EXPECT_EQ(host_->PixelAt(Screen(p.wx, p.wy).x, Screen(p.wx, p.wy).y),
                  rgb(GetPixel(src, p.px, p.py)))
            << p.wx << "," << p.wy;
    }
    // The rounded top corners and the outermost bottom corners are cut away: the screen
    // shows the desktop there, as beside the window.
    const graphics::TPoint desktop = Screen(-5, -5);
    for (graphics::TPoint p :
         {graphics::TPoint{0, 0}, {3, 0}, {0, 3}, {475, 0}, {473, 0}, {0, 512}, {475, 512}}) {
        EXPECT_FALSE(PtInRegion(frame_->WindowRegion(), p.x, p.y)) << p.x << "," << p.y;
        EXPECT_EQ(host_->PixelAt(Screen(p.x, p.y).x, Screen(p.x, p.y).y),
                  host_->PixelAt(desktop.x, desktop.y))
            << p.x << "," << p.y;
    }
    // The top edge is tiled: a column repeats one edge-piece width further on.
    const int edge = 274 - 9;
    EXPECT_EQ(host_->PixelAt(Screen(20, 2).x, Screen(20, 2).y),
              host_->PixelAt(Screen(20 + edge, 2).x, Screen(20 + edge, 2).y));
}

TEST_F(FrameTest, LongCaptionIsCutAtTheTextRect) {
    LoadAndShow();
    const graphics::TRect text = frame_->CaptionObject()->TextRect();
    auto row = [&](int y) {
        std::vector<uint32_t> out;
        for (int x = text.right; x < 406; ++x)
            out.push_back(host_->PixelAt(Screen(x, y).x, Screen(x, y).y));
        return out;
    };
    form_->SetCaption("");
    Pump();
    std::vector<std::vector<uint32_t>> empty;
    for (int y = text.top; y < text.bottom; ++y) empty.push_back(row(y));
    form_->SetCaption(std::string(200, 'W'));
    Pump();
    bool textDrawn = false;
    for (int x = text.left; x < text.left + 40 && !textDrawn; ++x)
        for (int y = text.top; y < text.bottom; ++y)
            // The active (0x663300) or inactive (0x808080) text colour, as 0xRRGGBB.
            if (const uint32_t c = host_->PixelAt(Screen(x, y).x, Screen(x, y).y);
                c == 0x003366 || c == 0x808080)
                textDrawn = true;
    EXPECT_TRUE(textDrawn);
    for (int y = text.top; y < text.bottom; ++y)
        EXPECT_EQ(row(y), empty[size_t(y - text.top)]) << y;
}

TEST_F(FrameTest, FirstShowCentresOnTheScreen) {
    frame_->SetPositionInMonitor(TbsPositionInMonitor::bspScreenCenter);
    skinData_->SetCompressedStoredSkin(stored_);
    form_->SetBounds(5, 5, 476, 513);
    form_->Show();
    Pump();
    EXPECT_EQ(form_->Left(), 1024 / 2 - 476 / 2);
    EXPECT_EQ(form_->Top(), 768 / 2 - 513 / 2);
    form_->Hide();
    form_->SetBounds(5, 5, 476, 513);
    form_->Show();
    EXPECT_EQ(form_->Left(), 5);  // only once
}

TEST_F(FrameTest, MaskShapesTheWindow) {
    LoadAndShow();
    ASSERT_NE(frame_->WindowRegion(), nullptr);
    RECT box{};
    GetRgnBox(frame_->WindowRegion(), &box);
    EXPECT_LE(box.right, 476);
    EXPECT_LE(box.bottom, 513);
    EXPECT_TRUE(PtInRegion(frame_->WindowRegion(), 200, 200));  // the mask area is solid
    form_->SetBounds(form_->Left(), form_->Top(), 600, 400);
    EXPECT_TRUE(PtInRegion(frame_->WindowRegion(), 590, 300));
}

}  // namespace
}  // namespace skin_test

namespace skin_test {
namespace {

TEST_F(FrameTest, CaptionFrameImageGoesBehindTheText) {
    LoadAndShow();
    TbsSkinCaptionObject* caption = frame_->CaptionObject();
    ASSERT_NE(caption, nullptr);
    auto& data = static_cast<TbsDataSkinCaption&>(caption->Data());
    data.ActivePictureIndex = 0;
    data.FrameRect = {2, 0, 23, 21};  // the close button's image as the frame
    data.ActiveFrameRect = data.FrameRect;
    data.FrameLeftOffset = 4;
    data.FrameRightOffset = 4;
    frame_->RepaintFrame();
    Pump();
    const graphics::TRect text = caption->TextRect();
    const int top = text.top + text.Height() / 2 - 21 / 2;
    HDC src = const_cast<TbsSkinPicture*>(skinData_->ActivePicture(0))->Bitmap().Canvas().Handle();
    // The frame's left piece sits just left of the text, unscaled.
    for (int dx = 0; dx < 4; ++dx) {
        const COLORREF c = GetPixel(src, 2 + dx, 0 + 1);
        const uint32_t expected = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
        EXPECT_EQ(host_->PixelAt(Screen(text.left - 4 + dx, top + 1).x,
                                 Screen(text.left - 4 + dx, top + 1).y),
                  expected)
            << dx;
    }
}

}  // namespace
}  // namespace skin_test

namespace skin_test {
namespace {

TEST_F(FrameTest, MorphingButtonBlendsTowardsItsHotImage) {
    LoadAndShow();
    TbsActiveSkinObject* close = frame_->FindObject("closebutton");
    static_cast<TbsDataSkinButton&>(close->Data()).Morphing = true;
    const graphics::TRect r = close->ObjectRect;
    // The colour of one pixel of the button on the screen and in the two images.
    const int px = 10, py = 3;
    auto screen = [&] {
        return host_->PixelAt(Screen(r.left + px, r.top + py).x, Screen(r.left + px, r.top + py).y);
    };
    auto image = [&](int x, int y) {
        HDC src =
            const_cast<TbsSkinPicture*>(skinData_->ActivePicture(0))->Bitmap().Canvas().Handle();
        const COLORREF c = GetPixel(src, x + px, y + py);
        return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    };
    const uint32_t normal = image(2, 0), hot = image(27, 0);
    ASSERT_NE(normal, hot);
    host_->MouseMove(Screen(r.left + px, r.top + py).x, Screen(r.left + px, r.top + py).y);
    Pump();
    ASSERT_TRUE(close->Active);
    EXPECT_LT(close->MorphFactor, 1.0);
    // One tick by hand: a fifth of the way, channel by channel.
    close->MorphFactor = 0;
    SendMessage(Window(), WM_TIMER, 0x5B02, 0);
    Pump();
    EXPECT_DOUBLE_EQ(close->MorphFactor, 0.2);
    const uint32_t mid = screen();
    for (int shift : {0, 8, 16}) {
        const int a = int((normal >> shift) & 0xFF), b = int((hot >> shift) & 0xFF);
        EXPECT_NEAR(int((mid >> shift) & 0xFF), a + (b - a) * 0.2, 1.0) << shift;
    }
    // The timer carries it the rest of the way.
    for (int i = 0; i < 40 && close->MorphFactor < 1; ++i) {
        platform::Sleep(10);
        Pump();
    }
    EXPECT_DOUBLE_EQ(close->MorphFactor, 1.0);
    EXPECT_EQ(screen(), hot);
}

}  // namespace
}  // namespace skin_test

namespace skin_test {
namespace {

TEST_F(FrameTest, MorphingButtonFadesBackWhenThePointerLeaves) {
    LoadAndShow();
    TbsActiveSkinObject* close = frame_->FindObject("closebutton");
    static_cast<TbsDataSkinButton&>(close->Data()).Morphing = true;
    const graphics::TRect r = close->ObjectRect;
    const int px = 10, py = 3;
    const graphics::TPoint on = Screen(r.left + px, r.top + py);
    HDC src = const_cast<TbsSkinPicture*>(skinData_->ActivePicture(0))->Bitmap().Canvas().Handle();
    const COLORREF c = GetPixel(src, 2 + px, py);  // the normal image
    const uint32_t normal = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    auto waitFor = [&](double factor) {
        for (int i = 0; i < 100 && close->MorphFactor != factor; ++i) {
            platform::Sleep(10);
            Pump();
        }
    };
    host_->MouseMove(on.x, on.y);
    Pump();
    waitFor(1.0);
    ASSERT_DOUBLE_EQ(close->MorphFactor, 1.0);
    // Away into the client area: the hover timer notices, and the blend runs back to the
    // normal image although nothing is hot any more.
    const graphics::TPoint away = Screen(200, 300);
    host_->MouseMove(away.x, away.y);
    Pump();
    waitFor(0.0);
    EXPECT_FALSE(close->Active);
    EXPECT_DOUBLE_EQ(close->MorphFactor, 0.0);
    EXPECT_EQ(host_->PixelAt(on.x, on.y), normal);
}

TEST_F(FrameTest, InactiveFrameIsRenderedThroughTheSkinsEffectWhenAsked) {
    LoadAndShow();
    auto& info = const_cast<TbsSkinFormInfo&>(skinData_->FormInfo());
    info.AutoRenderingInActiveImage = true;
    info.InActiveEffect = TbsInactiveEffect::ieInvert;
    const graphics::TPoint probe = Screen(100, 2);  // the top edge, away from the caption
    SendMessage(Window(), WM_NCACTIVATE, TRUE, 0);
    Pump();
    const uint32_t active = host_->PixelAt(probe.x, probe.y);
    SendMessage(Window(), WM_NCACTIVATE, FALSE, 0);
    Pump();
    EXPECT_FALSE(frame_->FormActive());
    EXPECT_EQ(host_->PixelAt(probe.x, probe.y), active ^ 0xFFFFFFu);
    info.AutoRenderingInActiveImage = false;  // this skin's own setting: the same look
    frame_->RepaintFrame();
    Pump();
    EXPECT_EQ(host_->PixelAt(probe.x, probe.y), active);
}

}  // namespace
}  // namespace skin_test

namespace skin_test {
namespace {

TEST_F(FrameTest, DraggingASizingZoneResizesTheWindow) {
    LoadAndShow();
    const graphics::TRect before = form_->BoundsRect();
    // The left edge, 40 pixels further left.
    host_->MouseDown(Screen(2, 100).x, Screen(2, 100).y);
    host_->MouseMove(Screen(2, 100).x - 40, Screen(2, 100).y);
    host_->MouseUp(Screen(2, 100).x - 40, Screen(2, 100).y);
    Pump();
    EXPECT_EQ(form_->BoundsRect(),
              graphics::Rect(before.left - 40, before.top, before.right, before.bottom));
    EXPECT_EQ(ClientRectOf().right, 468 + 40);
    // The shape follows the new size.
    RECT box{};
    GetRgnBox(frame_->WindowRegion(), &box);
    EXPECT_EQ(box.right, 476 + 40);
    // The bottom-right corner zone, inwards past the minimum size.
    ASSERT_EQ(HitAt(form_->Width() - 2, form_->Height() - 2), HTBOTTOMRIGHT);
    const graphics::TPoint corner = Screen(form_->Width() - 2, form_->Height() - 2);
    host_->MouseDown(corner.x, corner.y);
    host_->MouseMove(corner.x - 1000, corner.y - 1000);
    host_->MouseUp(corner.x - 1000, corner.y - 1000);
    Pump();
    EXPECT_EQ(form_->Width(), 200);
    EXPECT_EQ(form_->Height(), 31);
}

}  // namespace
}  // namespace skin_test

namespace skin_test {
namespace {

TEST_F(FrameTest, CaptionTextHasItsWhiteShadowOnePixelRightAndBelow) {
    LoadAndShow();
    SendMessage(Window(), WM_NCACTIVATE, TRUE, 0);
    Pump();
    TbsSkinCaptionObject* caption = frame_->CaptionObject();
    const graphics::TRect text = caption->TextRect();
    auto at = [&](int x, int y) { return host_->PixelAt(Screen(x, y).x, Screen(x, y).y); };
    auto whiteCount = [&] {
        int n = 0;
        for (int y = text.top; y < text.bottom; ++y)
            for (int x = text.left; x < text.left + 60; ++x) n += at(x, y) == 0xFFFFFF;
        return n;
    };
    bool shadowBelowRight = false;
    for (int y = text.top; y < text.bottom - 1; ++y)
        for (int x = text.left; x < text.left + 60; ++x)
            if (at(x, y) == 0x003366 && at(x + 1, y + 1) == 0xFFFFFF) shadowBelowRight = true;
    EXPECT_TRUE(shadowBelowRight);
    const int withShadow = whiteCount();
    static_cast<TbsDataSkinCaption&>(caption->Data()).Shadow = false;
    frame_->RepaintFrame();
    Pump();
    EXPECT_LT(whiteCount(), withShadow);
    // Right alignment puts the text against the rect's right edge.
    static_cast<TbsDataSkinCaption&>(caption->Data()).Alignment = TAlignment::taRightJustify;
    frame_->RepaintFrame();
    Pump();
    bool nearRight = false, nearLeft = false;
    for (int y = text.top; y < text.bottom; ++y) {
        for (int x = text.right - 8; x < text.right; ++x)
            nearRight = nearRight || at(x, y) == 0x003366;
        for (int x = text.left; x < text.left + 8; ++x) nearLeft = nearLeft || at(x, y) == 0x003366;
    }
    EXPECT_TRUE(nearRight);
    EXPECT_FALSE(nearLeft);
}

}  // namespace
}  // namespace skin_test
