#include "menu_fixture.h"

namespace skin_test {
namespace {

using skin::TbsSkinPopupWindow;

constexpr int kMenuItemsPicture = 3;  // menuitems.bmp
constexpr int kPopupPicture = 2;      // pw.bmp

// ---- size, rows and painting with the program's skin ----

TEST_F(SkinMenuTest, ExportItemsMakeOnePopupOfThreeRowsBelowThePoint) {
    OpenAt(300, 200);
    ASSERT_EQ(menu_->PopupCount(), 1);
    TbsSkinPopupWindow& popup = Popup();
    EXPECT_TRUE(menu_->Visible());
    EXPECT_TRUE(popup.Look().Skinned());
    EXPECT_EQ(popup.BoundsRect().Height(), 70);
    EXPECT_EQ(popup.BoundsRect().left, 300);
    EXPECT_EQ(popup.BoundsRect().top, 200);
    ASSERT_EQ(popup.ItemCount(), 3);
    EXPECT_EQ(popup.VisibleCount(), 3);
    EXPECT_FALSE(popup.Scrolling());
    for (int i = 0; i < 3; ++i) {
        const graphics::TRect row = popup.Item(i).ItemRect;
        EXPECT_EQ(row, graphics::Rect(2, 2 + 22 * i, popup.BoundsRect().Width() - 2, 24 + 22 * i));
    }
    // The widest caption decides the width: its text, the glyph column and margins, and the
    // frame and row parts around the text.
    graphics::TBitmap probe;
    probe.SetWidth(1);
    probe.SetHeight(1);
    int widest = 0;
    for (int i = 0; i < 3; ++i)
        widest = std::max(widest, popup.Look().MeasureItem(probe.Canvas(), popup.Item(i)));
    EXPECT_GT(widest, 100);
    EXPECT_EQ(popup.BoundsRect().Width(), widest + 19 + 19 + 4 + 26);
    // Shown top-most, without taking the focus away from the form.
    EXPECT_TRUE(platform::IsWindowVisible(popup.Handle()));
    EXPECT_NE(platform::GetWindowLongPtr(popup.Handle(), platform::GWL_EXSTYLE) &
                  platform::LONG_PTR(platform::WS_EX_TOPMOST),
              0);
    EXPECT_NE(platform::GetActiveWindow(), popup.Handle());
    // The first item starts active.
    EXPECT_EQ(popup.ActiveItem(), 0);
    EXPECT_TRUE(popup.Item(0).Active);
}

TEST_F(SkinMenuTest, RowsArePaintedFromTheMenuItemPictureWithTextFrom23Pixels) {
    OpenAt(300, 200);
    TbsSkinPopupWindow& popup = Popup();
    const int rowWidth = popup.Item(1).ItemRect.Width();
    // The inactive second row: its first 23 columns are the unscaled left part of the normal
    // image (0,0,100,22), untouched by text; its last 5 columns the image's right part.
    for (int y = 0; y < 22; ++y) {
        for (int x = 0; x < 23; ++x) {
            ASSERT_EQ(BufferPixel(popup, 2 + x, 24 + y), PicturePixel(kMenuItemsPicture, x, y))
                << x << "," << y;
        }
        for (int x = 0; x < 5; ++x) {
            ASSERT_EQ(BufferPixel(popup, 2 + rowWidth - 5 + x, 24 + y),
                      PicturePixel(kMenuItemsPicture, 95 + x, y));
        }
    }
    // The active first row uses the active image (0,22,100,44).
    for (int x = 0; x < 23; ++x) {
        EXPECT_EQ(BufferPixel(popup, 2 + x, 2 + 11), PicturePixel(kMenuItemsPicture, x, 22 + 11));
    }
    // Past the left part the middle (columns 25..95) is tiled; where it differs, text was
    // drawn, and the text is black.
    auto background = [&](int x, int y) {
        return PicturePixel(kMenuItemsPicture, x < 25 ? x : 25 + (x - 25) % 70, y);
    };
    int darkText = 0;
    int firstTextColumn = rowWidth;
    for (int y = 0; y < 22; ++y) {
        for (int x = 0; x < 60; ++x) {
            const uint32_t pixel = BufferPixel(popup, 2 + x, 24 + y);
            if (pixel == background(x, y)) continue;
            firstTextColumn = std::min(firstTextColumn, x);
            darkText += pixel == 0;
        }
    }
    EXPECT_GE(firstTextColumn, 23);
    EXPECT_LE(firstTextColumn, 26);
    EXPECT_GT(darkText, 0);
}

TEST_F(SkinMenuTest, AShortcutAfterATabIsRightAlignedBeforeTheRowsEnd) {
    OpenAt(300, 200);
    const int plainWidth = Popup().BoundsRect().Width();
    root_->Items(1)->SetCaption(std::string(kExportCaptions[1]) + "\tAlt+F4");
    OpenAt(300, 200);
    TbsSkinPopupWindow& popup = Popup();
    EXPECT_GT(popup.BoundsRect().Width(), plainWidth + 20);
    // Row 1 (inactive): text rect right edge is 3 pixels before the row's end; the shortcut
    // ends 16 pixels before that, so the last 19 columns hold only the row image.
    const graphics::TRect row = popup.Item(1).ItemRect;
    const int w = row.Width();
    auto background = [&](int x, int y) {
        const int sx = x >= w - 5 ? 100 - (w - x) : x < 25 ? x : 25 + (x - 25) % 70;
        return PicturePixel(kMenuItemsPicture, sx, y);
    };
    int rightmostText = -1;
    for (int y = 0; y < 22; ++y) {
        for (int x = w / 2; x < w; ++x) {
            if (BufferPixel(popup, row.left + x, row.top + y) != background(x, y)) {
                rightmostText = std::max(rightmostText, x);
            }
        }
    }
    EXPECT_GE(rightmostText, w - 3 - 16 - 3);
    EXPECT_LT(rightmostText, w - 3 - 16);
}

TEST_F(SkinMenuTest, FrameCornersComeUnscaledFromThePopupPicture) {
    OpenAt(300, 200);
    TbsSkinPopupWindow& popup = Popup();
    const int w = popup.BoundsRect().Width();
    const int h = popup.BoundsRect().Height();
    // Top-left corner piece (left of x 7, above the items rect).
    for (int x = 0; x < 7; ++x) {
        EXPECT_EQ(BufferPixel(popup, x, 0), PicturePixel(kPopupPicture, x, 0));
        EXPECT_EQ(BufferPixel(popup, x, 1), PicturePixel(kPopupPicture, x, 1));
    }
    // Top-right corner piece: columns 86..93 of the picture end at the window's right edge.
    for (int x = 0; x < 7; ++x) {
        EXPECT_EQ(BufferPixel(popup, w - 7 + x, 0), PicturePixel(kPopupPicture, 86 + x, 0));
    }
    // Bottom-right corner piece: columns 87..93, rows 53..55.
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(BufferPixel(popup, w - 6 + x, h - 1), PicturePixel(kPopupPicture, 87 + x, 54));
    }
    // Left edge below the top piece: columns 0..2, tiled from the strip's top in rows 7..48.
    EXPECT_EQ(BufferPixel(popup, 0, 2 + 30), PicturePixel(kPopupPicture, 0, 7 + 30));
    EXPECT_EQ(BufferPixel(popup, 1, 2 + 45), PicturePixel(kPopupPicture, 1, 7 + 45 - 41));
}

TEST_F(SkinMenuTest, TheMaskPictureShapesTheWindow) {
    const uint32_t beneath = screen_->PixelAt(300, 200);
    OpenAt(300, 200);
    TbsSkinPopupWindow& popup = Popup();
    // On the screen: the popup's pixels inside its shape, the form through its cut corner.
    EXPECT_EQ(screen_->PixelAt(300 + 40, 200 + 30), BufferPixel(popup, 40, 30));
    EXPECT_EQ(screen_->PixelAt(300 + 1, 200 + 1), BufferPixel(popup, 1, 1));
    EXPECT_EQ(screen_->PixelAt(300, 200), beneath);
    EXPECT_NE(BufferPixel(popup, 0, 0), beneath);
    platform::HRGN region = platform::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(platform::GetWindowRgn(popup.Handle(), region), 0);  // a region is set
    // The items rect is always inside.
    EXPECT_TRUE(platform::PtInRegion(region, 2, 2));
    EXPECT_TRUE(platform::PtInRegion(region, popup.BoundsRect().Width() - 3, 67));
    // Every frame pixel is inside exactly when the mask's matching corner pixel is black.
    const skin::TbsSkinPicture* mask = data_->ActivePicture(data_->PopupWindow().MaskPictureIndex);
    ASSERT_NE(mask, nullptr);
    for (int x = 0; x < 2; ++x) {
        for (int y = 0; y < 2; ++y) {
            const bool black = (platform::GetPixel(skin::PictureDC(*mask), x, y) & 0xFFFFFF) == 0;
            EXPECT_EQ(bool(platform::PtInRegion(region, x, y)), black) << x << "," << y;
        }
    }
    platform::DeleteObject(region);
}

TEST_F(SkinMenuTest, MorphingRowsBlendIntoTheirNewImageOnTheAnimationTimer) {
    auto* itemData = dynamic_cast<skin::TbsDataSkinMenuItem*>(
        data_->ObjectList()[size_t(data_->GetIndex("menuitem"))].get());
    ASSERT_NE(itemData, nullptr);
    itemData->Morphing = true;
    OpenAt(300, 200);
    TbsSkinPopupWindow& popup = Popup();
    ASSERT_TRUE(popup.Look().Morphing());
    EXPECT_FALSE(popup.AnimationRunning());  // the row active at opening starts fully active
    EXPECT_EQ(popup.Item(0).MorphFactor, 1);
    // A pixel where the normal and active images differ.
    int px = -1, py = -1;
    for (int y = 0; y < 22 && px < 0; ++y) {
        for (int x = 0; x < 23 && px < 0; ++x) {
            if (PicturePixel(kMenuItemsPicture, x, y) !=
                PicturePixel(kMenuItemsPicture, x, 22 + y)) {
                px = x;
                py = y;
            }
        }
    }
    ASSERT_GE(px, 0);
    const uint32_t normal = PicturePixel(kMenuItemsPicture, px, py);
    const uint32_t active = PicturePixel(kMenuItemsPicture, px, 22 + py);
    auto blend = [&](double k, int shift) {
        const int a = int(normal >> shift & 0xFF), b = int(active >> shift & 0xFF);
        return a + (b - a) * k;
    };
    KeyOnly(platform::VK_DOWN);
    StopRealTimers(popup);
    EXPECT_TRUE(popup.AnimationRunning());
    EXPECT_EQ(BufferPixel(popup, 2 + px, 24 + py), normal);
    Timer(popup, TbsSkinPopupWindow::kAnimationTimer);
    Timer(popup, TbsSkinPopupWindow::kAnimationTimer);
    EXPECT_NEAR(popup.Item(1).MorphFactor, 0.4, 1e-9);
    EXPECT_NEAR(popup.Item(0).MorphFactor, 0.6, 1e-9);
    const uint32_t mid = BufferPixel(popup, 2 + px, 24 + py);
    for (int shift : {0, 8, 16}) EXPECT_NEAR(int(mid >> shift & 0xFF), blend(0.4, shift), 1.0);
    for (int i = 0; i < 3; ++i) Timer(popup, TbsSkinPopupWindow::kAnimationTimer);
    EXPECT_FALSE(popup.AnimationRunning());
    EXPECT_EQ(BufferPixel(popup, 2 + px, 24 + py), active);
    EXPECT_EQ(BufferPixel(popup, 2 + px, 2 + py), normal);
    // Without skin effects the change is immediate.
    data_->SetEnableSkinEffects(false);
    OpenAt(300, 200);
    EXPECT_FALSE(Popup().Look().Morphing());
    Key(platform::VK_DOWN);
    EXPECT_FALSE(Popup().AnimationRunning());
    EXPECT_EQ(BufferPixel(Popup(), 2 + px, 24 + py), active);
}

// ---- the plain look ----

TEST_F(SkinMenuTest, WithoutSkinTheRowsAreDrawnInThePlainLook) {
    skin::TbsSkinData empty(nullptr);
    OpenWith(&empty, 300, 200);
    TbsSkinPopupWindow& popup = Popup();
    EXPECT_FALSE(popup.Look().Skinned());
    EXPECT_EQ(popup.BoundsRect().Height(), 3 * 20 + 4);
    EXPECT_EQ(popup.Item(0).ItemRect.top, 2);
    EXPECT_EQ(popup.Item(2).ItemRect.bottom, 62);
    // Border of button shadow, a window-colour line inside it.
    EXPECT_EQ(BufferPixel(popup, 0, 30), Rgb(graphics::clBtnShadow));
    EXPECT_EQ(BufferPixel(popup, 1, 30), Rgb(graphics::clWindow));
    // Active row: navy frame on light blue.
    EXPECT_EQ(BufferPixel(popup, 2, 10), 0x000080u);
    EXPECT_EQ(BufferPixel(popup, 4, 10), Rgb(13811126));
    // Other rows: the glyph column in button face, the rest in the window colour.
    EXPECT_EQ(BufferPixel(popup, 5, 30), Rgb(graphics::clBtnFace));
    EXPECT_EQ(BufferPixel(popup, popup.BoundsRect().Width() - 4, 30), Rgb(graphics::clWindow));
    // No mask: the window is rectangular.
    platform::HRGN region = platform::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(platform::GetWindowRgn(popup.Handle(), region), platform::ERROR);
    platform::DeleteObject(region);
}

TEST_F(SkinMenuTest, DefaultItemHeightAndFontApplyWithoutSkin) {
    menu_->SetDefaultItemHeight(26);
    menu_->SetDefaultItemFont("Arial", 20);
    OpenWith(nullptr, 300, 200);
    TbsSkinPopupWindow& popup = Popup();
    EXPECT_EQ(popup.BoundsRect().Height(), 3 * 26 + 4);
    const int bigWidth = popup.BoundsRect().Width();
    menu_->SetDefaultItemFont("Arial", 12);
    OpenWith(nullptr, 300, 200);
    EXPECT_LT(Popup().BoundsRect().Width(), bigWidth);
    // The form hands its font over whole.
    graphics::TFont font;
    font.SetName("Arial");
    font.SetHeight(20);
    menu_->SetDefaultItemFont(font);
    OpenWith(nullptr, 300, 200);
    EXPECT_EQ(Popup().BoundsRect().Width(), bigWidth);
    font.SetStyle(graphics::fsBold);
    menu_->SetDefaultItemFont(font);
    OpenWith(nullptr, 300, 200);
    EXPECT_GT(Popup().BoundsRect().Width(), bigWidth);
}

TEST_F(SkinMenuTest, DisabledItemsAndSeparatorsInThePlainLook) {
    root_->Items(1)->SetEnabled(false);
    AddItem(*root_, "-");
    AddItem(*root_, "Last");
    OpenWith(nullptr, 300, 200);
    TbsSkinPopupWindow& popup = Popup();
    ASSERT_EQ(popup.ItemCount(), 5);
    EXPECT_EQ(popup.Item(3).ItemRect.Height(), 4);
    EXPECT_EQ(popup.BoundsRect().Height(), 4 * 20 + 4 + 4);
    // The separator is a shadow line across its row after the glyph column.
    const graphics::TRect sep = popup.Item(3).ItemRect;
    EXPECT_EQ(BufferPixel(popup, sep.left + 40, sep.top + 2), Rgb(graphics::clBtnShadow));
    // Disabled text is drawn in button shadow: that colour appears in the disabled row's text.
    const graphics::TRect row = popup.Item(1).ItemRect;
    int shadowPixels = 0;
    for (int y = row.top; y < row.bottom; ++y) {
        for (int x = row.left + 23; x < row.left + 60; ++x) {
            shadowPixels += BufferPixel(popup, x, y) == Rgb(graphics::clBtnShadow);
        }
    }
    EXPECT_GT(shadowPixels, 5);
}

// ---- nothing to show ----

TEST_F(SkinMenuTest, NoItemsOrAFirstIndexPastTheEndShowNothing) {
    ui::TMenuItem empty(nullptr);
    menu_->Popup(opener_, data_.get(), false, empty, graphics::Rect(10, 10, 10, 10), 0);
    EXPECT_FALSE(menu_->Visible());
    EXPECT_EQ(menu_->PopupCount(), 0);
    menu_->Popup(opener_, data_.get(), false, *root_, graphics::Rect(10, 10, 10, 10), 3);
    EXPECT_FALSE(menu_->Visible());
    menu_->Popup(opener_, data_.get(), false, *root_, graphics::Rect(10, 10, 10, 10), -1);
    EXPECT_FALSE(menu_->Visible());
    for (int i = 0; i < 3; ++i) root_->Items(i)->SetVisible(false);
    OpenAt(10, 10);
    EXPECT_FALSE(menu_->Visible());
    EXPECT_EQ(host_->closes, 0);
    EXPECT_EQ(closeMessages_, 0);
    EXPECT_EQ(onCloseCalls_, 0);
}

TEST_F(SkinMenuTest, HiddenItemsAndItemsBeforeTheFirstIndexAreLeftOut) {
    root_->Items(1)->SetVisible(false);
    OpenAt(300, 200);
    EXPECT_EQ(Popup().ItemCount(), 2);
    EXPECT_EQ(Popup().BoundsRect().Height(), 2 * 22 + 4);
    menu_->Popup(opener_, data_.get(), false, *root_, graphics::Rect(300, 200, 300, 200), 2);
    ASSERT_EQ(Popup().ItemCount(), 1);
    EXPECT_EQ(Popup().Item(0).MenuItem, root_->Items(2));
}

// ---- placement ----

TEST_F(SkinMenuTest, NearTheBottomTheMenuOpensAboveThePoint) {
    OpenAt(500, 740);
    graphics::TRect b = Popup().BoundsRect();
    EXPECT_EQ(b.top, 740 - 70);
    EXPECT_EQ(b.left, 500);
    // The popup-up flag prefers above even where below would fit.
    OpenAt(300, 400, true);
    EXPECT_EQ(Popup().BoundsRect().bottom, 400);
    // ... and falls back to below when there is no room above.
    OpenAt(300, 30, true);
    EXPECT_EQ(Popup().BoundsRect().top, 30);
    EXPECT_EQ(Popup().BoundsRect().left, 300);
}

TEST_F(SkinMenuTest, ARightEdgePointMovesTheMenuLeftIntoTheWorkArea) {
    OpenAt(1020, 100);
    const graphics::TRect b = Popup().BoundsRect();
    EXPECT_EQ(b.right, 1024);
    EXPECT_EQ(b.top, 100);
}

TEST_F(SkinMenuTest, AMenuThatFitsNeitherBelowNorAboveOpensBesideThePoint) {
    screen_->SetWorkArea({0, 0, 1024, 100});
    OpenAt(100, 50);
    const graphics::TRect b = Popup().BoundsRect();
    EXPECT_EQ(b.top, 0);
    EXPECT_EQ(b.left, 101);
    // In the upper half the popup is pushed up to end at the work area's bottom, beside too.
    OpenAt(100, 40);
    EXPECT_EQ(Popup().BoundsRect().bottom, 100);
    EXPECT_EQ(Popup().BoundsRect().left, 101);
    // Near the right edge "beside" means on the left of the point.
    OpenAt(1000, 50);
    EXPECT_EQ(Popup().BoundsRect().right, 1000 - 1);
}

TEST_F(SkinMenuTest, MenusNeverLeaveTheWorkArea) {
    screen_->SetWorkArea({0, 0, 1024, 728});
    for (int x = 0; x < 1024; x += 127) {
        for (int y = 0; y < 728; y += 53) {
            OpenAt(x, y);
            const graphics::TRect b = Popup().BoundsRect();
            ASSERT_GE(b.left, 0) << x << "," << y;
            ASSERT_GE(b.top, 0) << x << "," << y;
            ASSERT_LE(b.right, 1024) << x << "," << y;
            ASSERT_LE(b.bottom, 728) << x << "," << y;
        }
    }
}

TEST_F(SkinMenuTest, AMenuTallerThanTheWorkAreaScrollsFromItsTop) {
    screen_->SetWorkArea({0, 100, 1024, 160});
    OpenAt(300, 120);
    TbsSkinPopupWindow& popup = Popup();
    EXPECT_EQ(popup.BoundsRect().top, 100);
    EXPECT_EQ(popup.BoundsRect().Height(), 60);
    EXPECT_TRUE(popup.Scrolling());
    EXPECT_EQ(popup.VisibleCount(), 1);       // 60 - 4 frame - 20 markers: one row of 22
    EXPECT_EQ(popup.BoundsRect().left, 301);  // opened beside the point
}

// ---- mouse ----

TEST_F(SkinMenuTest, ClickingAnItemClosesTheMenuThenRunsTheItem) {
    OpenAt(300, 200);
    const graphics::TPoint p = RowCentre(1);
    screen_->MouseMove(p.x, p.y);
    Pump();
    EXPECT_EQ(Popup().ActiveItem(), 1);
    screen_->Click(p.x, p.y);
    Pump();
    EXPECT_EQ(clicked_, std::vector<std::string>{kExportCaptions[1]});
    EXPECT_EQ(popupsWhenClicked_, std::vector<int>{0});
    EXPECT_FALSE(menu_->Visible());
    EXPECT_EQ(closeMessages_, 1);
    EXPECT_EQ(onCloseCalls_, 1);
    EXPECT_EQ(host_->closes, 1);
    EXPECT_EQ(host_->log, (std::vector<std::string>{"opener told", "closed", "host closed",
                                                    std::string("click ") + kExportCaptions[1]}));
    // Only the form is left on the screen.
    EXPECT_EQ(screen_->VisibleWindows().size(), 1u);
}

// A click outside the menu closes it through the form frame: FramedPopupMenuTest.

TEST_F(SkinMenuTest, DisabledItemsAndSeparatorsDoNotRunOrClose) {
    root_->Items(1)->SetEnabled(false);
    ui::TMenuItem* line = AddItem(*root_, "-");
    OpenAt(300, 200);
    TbsSkinPopupWindow& popup = Popup();
    for (int index : {1, 3}) {
        const graphics::TPoint p = RowCentre(index);
        screen_->Click(p.x, p.y);
        Pump();
        ASSERT_TRUE(menu_->Visible());
        EXPECT_EQ(popup.ActiveItem(), index);
        EXPECT_FALSE(popup.Item(index).Active);  // not drawn active
    }
    EXPECT_TRUE(clicked_.empty());
    (void)line;
}

TEST_F(SkinMenuTest, ThePointerOffEveryRowKeepsTheActiveItem) {
    OpenAt(300, 200);
    const graphics::TPoint p = RowCentre(2);
    screen_->MouseMove(p.x, p.y);
    Pump();
    EXPECT_EQ(Popup().ActiveItem(), 2);
    // The frame's one-pixel border is on no row.
    screen_->MouseMove(p.x, Popup().BoundsRect().bottom - 1);
    Pump();
    EXPECT_EQ(Popup().ActiveItem(), 2);
    EXPECT_TRUE(Popup().Item(2).Active);
    EXPECT_FALSE(Popup().Item(0).Active);
}

TEST_F(SkinMenuTest, TheMouseTimerFollowsTheCursorOnlyOverThePopup) {
    OpenAt(300, 200);
    TbsSkinPopupWindow& popup = Popup();
    const graphics::TPoint p = RowCentre(2);
    platform::SetCursorPos(p.x, p.y);
    Timer(popup, TbsSkinPopupWindow::kMouseTimer);
    EXPECT_EQ(popup.ActiveItem(), 2);
    // Over the form nothing changes.
    platform::SetCursorPos(150, 450);
    Timer(popup, TbsSkinPopupWindow::kMouseTimer);
    EXPECT_EQ(popup.ActiveItem(), 2);
}

// ---- scrolling ----

class ScrollingMenuTest : public SkinMenuTest {
  protected:
    void SetUp() override {
        SkinMenuTest::SetUp();
        menu_->SetMaxMenuItemsInWindow(2);
        OpenAt(300, 200);
    }
    graphics::TPoint Marker(bool top) {
        const graphics::TRect b = Popup().BoundsRect();
        return {b.left + b.Width() / 2, top ? b.top + 2 + 5 : b.bottom - 2 - 5};
    }
};

TEST_F(ScrollingMenuTest, TwoRowsBetweenTwoMarkers) {
    TbsSkinPopupWindow& popup = Popup();
    EXPECT_TRUE(popup.Scrolling());
    EXPECT_EQ(popup.BoundsRect().Height(), 22 * 2 + 4 + 20);
    EXPECT_EQ(popup.VisibleCount(), 2);
    EXPECT_EQ(popup.Item(0).ItemRect.top, 12);
    EXPECT_FALSE(popup.Item(2).VisibleInWindow);
    // Markers in the skin's marker colour (grey), centred in the 10-pixel strips.
    const int cx = popup.BoundsRect().Width() / 2;
    EXPECT_EQ(BufferPixel(popup, cx, 2 + 6), 0x808080u);
    EXPECT_EQ(BufferPixel(popup, cx, 66 - 6), 0x808080u);
    // Beside the arrows the strips look like an empty normal row: its top rows.
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 25; x += 4) {
            ASSERT_EQ(BufferPixel(popup, 2 + x, 2 + y), PicturePixel(kMenuItemsPicture, x, y));
            ASSERT_EQ(BufferPixel(popup, 2 + x, 56 + y), PicturePixel(kMenuItemsPicture, x, y));
        }
    }
}

TEST_F(ScrollingMenuTest, RestingOnAMarkerScrollsOneItemPerTick) {
    TbsSkinPopupWindow& popup = Popup();
    PointerAt(popup, Marker(false));
    StopRealTimers(popup);
    ASSERT_TRUE(popup.ScrollTimerRunning());
    // The marker in use takes the active colour (black in this skin).
    EXPECT_EQ(BufferPixel(popup, popup.BoundsRect().Width() / 2, 66 - 6), 0x000000u);
    EXPECT_EQ(popup.FirstVisibleItem(), 0);
    Timer(popup, TbsSkinPopupWindow::kScrollTimer);
    EXPECT_EQ(popup.FirstVisibleItem(), 1);
    EXPECT_TRUE(popup.Item(2).VisibleInWindow);
    EXPECT_FALSE(popup.Item(0).VisibleInWindow);
    EXPECT_EQ(popup.Item(1).ItemRect.top, 12);
    // Nothing hidden below any more: the next tick stops.
    Timer(popup, TbsSkinPopupWindow::kScrollTimer);
    EXPECT_EQ(popup.FirstVisibleItem(), 1);
    EXPECT_FALSE(popup.ScrollTimerRunning());
    // The top marker scrolls back.
    PointerAt(popup, Marker(true));
    StopRealTimers(popup);
    Timer(popup, TbsSkinPopupWindow::kScrollTimer);
    EXPECT_EQ(popup.FirstVisibleItem(), 0);
}

TEST_F(ScrollingMenuTest, LeavingTheMarkersOrThePopupStopsScrolling) {
    TbsSkinPopupWindow& popup = Popup();
    PointerAt(popup, Marker(false));
    StopRealTimers(popup);
    ASSERT_TRUE(popup.ScrollTimerRunning());
    PointerAt(popup, RowCentre(0));
    EXPECT_FALSE(popup.ScrollTimerRunning());
    PointerAt(popup, Marker(false));
    StopRealTimers(popup);
    ASSERT_TRUE(popup.ScrollTimerRunning());
    // The 50 ms check sees the cursor over the form.
    platform::SetCursorPos(150, 450);
    Timer(popup, TbsSkinPopupWindow::kMouseTimer);
    EXPECT_FALSE(popup.ScrollTimerRunning());
    EXPECT_EQ(popup.FirstVisibleItem(), 0);
}

TEST_F(ScrollingMenuTest, ScrollingClosesDeeperLevels) {
    menu_->CloseAll();
    ui::TMenuItem* more = AddItem(*root_, "More");
    AddItem(*more, "Alpha");
    OpenAt(300, 200);
    TbsSkinPopupWindow& popup = Popup();
    KeyOnly(platform::VK_UP);  // the last item, scrolled into view
    KeyOnly(platform::VK_RIGHT);
    ASSERT_EQ(menu_->PopupCount(), 2);
    PointerAt(popup, Marker(true));
    StopRealTimers(popup);
    Timer(popup, TbsSkinPopupWindow::kScrollTimer);
    EXPECT_EQ(menu_->PopupCount(), 1);
    EXPECT_TRUE(menu_->Visible());
}

TEST_F(ScrollingMenuTest, KeysScrollTheActiveItemIntoView) {
    TbsSkinPopupWindow& popup = Popup();
    EXPECT_TRUE(Key(platform::VK_DOWN));
    EXPECT_TRUE(Key(platform::VK_DOWN));
    EXPECT_EQ(popup.ActiveItem(), 2);
    EXPECT_EQ(popup.FirstVisibleItem(), 1);
    EXPECT_TRUE(Key(platform::VK_DOWN));  // back to the first
    EXPECT_EQ(popup.ActiveItem(), 0);
    EXPECT_EQ(popup.FirstVisibleItem(), 0);
}

// ---- keys ----

TEST_F(SkinMenuTest, UpAndDownSkipDisabledItemsAndWrapAround) {
    root_->Items(1)->SetEnabled(false);
    AddItem(*root_, "-");
    OpenAt(300, 200);
    TbsSkinPopupWindow& popup = Popup();
    EXPECT_EQ(popup.ActiveItem(), 0);
    EXPECT_TRUE(Key(platform::VK_DOWN));
    EXPECT_EQ(popup.ActiveItem(), 2);
    // Down from the last selectable: the separator after it is skipped, nothing found, so
    // the active item stays.
    EXPECT_TRUE(Key(platform::VK_DOWN));
    EXPECT_EQ(popup.ActiveItem(), 2);
    EXPECT_TRUE(Key(platform::VK_UP));
    EXPECT_EQ(popup.ActiveItem(), 0);
    // Up from the first starts again at the end.
    EXPECT_TRUE(Key(platform::VK_UP));
    EXPECT_EQ(popup.ActiveItem(), 2);
}

TEST_F(SkinMenuTest, EnterRunsTheActiveItemAndEscapeRunsNothing) {
    OpenAt(300, 200);
    Key(platform::VK_DOWN);
    EXPECT_TRUE(Key(platform::VK_RETURN));
    EXPECT_EQ(clicked_, std::vector<std::string>{kExportCaptions[1]});
    EXPECT_EQ(popupsWhenClicked_, std::vector<int>{0});
    OpenAt(300, 200);
    EXPECT_TRUE(Key(platform::VK_ESCAPE));
    EXPECT_FALSE(menu_->Visible());
    EXPECT_EQ(clicked_.size(), 1u);
    EXPECT_EQ(onCloseCalls_, 2);
    // Escape with nothing open ends the form's menu state.
    const int closes = host_->closes;
    EXPECT_TRUE(Key(platform::VK_ESCAPE));
    EXPECT_EQ(host_->closes, closes + 1);
    EXPECT_FALSE(Key(platform::VK_DOWN));
}

TEST_F(SkinMenuTest, AnAcceleratorRunsItsItem) {
    root_->Items(0)->SetCaption("&Open");
    root_->Items(1)->SetCaption("E&xport");
    root_->Items(2)->SetCaption("Save && e&xit");
    root_->Items(1)->SetEnabled(false);
    OpenAt(300, 200);
    EXPECT_TRUE(Key('X'));  // the disabled item's key passes to the next with the same key
    EXPECT_EQ(clicked_, std::vector<std::string>{"导出为（16X16）ICO图标"});
    OpenAt(300, 200);
    // A letter that is no accelerator is used up and runs nothing; so are the releases.
    EXPECT_TRUE(Key('Q'));
    EXPECT_TRUE(menu_->Visible());
    EXPECT_EQ(clicked_.size(), 1u);
    platform::MSG up{};
    up.message = platform::WM_KEYUP;
    up.wParam = 'O';
    EXPECT_TRUE(menu_->HandleKey(up));
    EXPECT_TRUE(menu_->Visible());
    // Closed, the menu takes none of them.
    EXPECT_TRUE(Key(platform::VK_ESCAPE));
    EXPECT_FALSE(menu_->HandleKey(up));
}

// ---- sub-menus ----

class SubMenuTest : public SkinMenuTest {
  protected:
    void SetUp() override {
        SkinMenuTest::SetUp();
        parent_ = AddItem(*root_, "More");
        AddItem(*parent_, "Alpha");
        AddItem(*parent_, "Beta");
        OpenAt(300, 200);
    }
    ui::TMenuItem* parent_ = nullptr;
};

TEST_F(SubMenuTest, HoveringOpensTheSubMenuAfterTheWaitBesideItsItem) {
    PointerAt(Popup(), RowCentre(3));
    StopRealTimers(Popup());
    EXPECT_EQ(menu_->PopupCount(), 1);
    EXPECT_TRUE(menu_->SubMenuWaiting());
    Timer(Popup(), TbsSkinPopupWindow::kWaitTimer);
    ASSERT_EQ(menu_->PopupCount(), 2);
    TbsSkinPopupWindow& sub = Popup(1);
    const graphics::TRect item = Popup().ItemScreenRect(3);
    // Its first row lines up with the parent item; it opens to the right of it.
    EXPECT_EQ(sub.ItemScreenRect(0).top, item.top);
    EXPECT_EQ(sub.BoundsRect().left, item.right + 1);
    EXPECT_TRUE(Popup().Item(3).Down);
    EXPECT_TRUE(clicked_.empty());  // hovering runs nothing
    // Hovering an item without sub-items closes the deeper level.
    const graphics::TPoint q = RowCentre(0);
    screen_->MouseMove(q.x, q.y);
    Pump();
    EXPECT_EQ(menu_->PopupCount(), 1);
    EXPECT_FALSE(Popup().Item(3).Down);
    EXPECT_TRUE(menu_->Visible());
}

TEST_F(SubMenuTest, LeavingTheItemBeforeTheWaitEndsOpensNothing) {
    const graphics::TPoint p = RowCentre(3);
    screen_->MouseMove(p.x, p.y);
    Pump();
    const graphics::TPoint q = RowCentre(1);
    screen_->MouseMove(q.x, q.y);
    Pump();
    EXPECT_FALSE(menu_->SubMenuWaiting());
    menu_->WaitTimerFired();
    EXPECT_EQ(menu_->PopupCount(), 1);
}

TEST_F(SubMenuTest, KeysOpenAndCloseLevels) {
    for (int i = 0; i < 3; ++i) Key(platform::VK_DOWN);
    ASSERT_EQ(Popup().ActiveItem(), 3);
    EXPECT_TRUE(Key(platform::VK_RIGHT));  // runs the parent's command and opens at once
    ASSERT_EQ(menu_->PopupCount(), 2);
    EXPECT_EQ(clicked_, std::vector<std::string>{"More"});
    EXPECT_EQ(Popup(1).ActiveItem(), 0);
    EXPECT_TRUE(Key(platform::VK_LEFT));
    EXPECT_EQ(menu_->PopupCount(), 1);
    EXPECT_TRUE(Key(platform::VK_LEFT));  // one level left: Left does nothing
    EXPECT_EQ(menu_->PopupCount(), 1);
    Key(platform::VK_RIGHT);
    EXPECT_TRUE(Key(platform::VK_ESCAPE));  // closes only the sub-menu
    EXPECT_EQ(menu_->PopupCount(), 1);
    Key(platform::VK_RIGHT);
    Key(platform::VK_DOWN);
    EXPECT_TRUE(Key(platform::VK_RETURN));  // a leaf in the sub-menu closes everything
    EXPECT_FALSE(menu_->Visible());
    EXPECT_EQ(clicked_.back(), "Beta");
    EXPECT_EQ(popupsWhenClicked_.back(), 0);
    EXPECT_EQ(onCloseCalls_, 1);
}

TEST_F(SubMenuTest, ClickingTheParentItemOpensTheSubMenuAtOnce) {
    const graphics::TPoint p = RowCentre(3);
    screen_->Click(p.x, p.y);
    Pump();
    EXPECT_EQ(menu_->PopupCount(), 2);
    EXPECT_FALSE(menu_->SubMenuWaiting());
    const graphics::TPoint q = RowCentre(1, 1);
    screen_->Click(q.x, q.y);
    Pump();
    EXPECT_FALSE(menu_->Visible());
    EXPECT_EQ(clicked_, (std::vector<std::string>{"More", "Beta"}));
}

TEST_F(SkinMenuTest, ASubMenuThatDoesNotFitBelowItsItemMovesUp) {
    screen_->SetWorkArea({0, 0, 1024, 700});
    ui::TMenuItem* more = AddItem(*root_, "More");
    for (int i = 0; i < 5; ++i) AddItem(*more, "Sub " + std::to_string(i));
    // In the lower half: the sub-menu ends level with its item's bottom.
    OpenAt(300, 650);
    Key(platform::VK_UP);
    Key(platform::VK_RIGHT);
    ASSERT_EQ(menu_->PopupCount(), 2);
    const graphics::TRect item = Popup().ItemScreenRect(3);
    EXPECT_EQ(Popup(1).BoundsRect().Height(), 5 * 22 + 4);
    EXPECT_EQ(Popup(1).BoundsRect().top, item.bottom + 2 - (5 * 22 + 4));
    // In the upper half: it is pushed up to end at the work area's bottom.
    for (int i = 5; i < 30; ++i) AddItem(*more, "Sub " + std::to_string(i));
    OpenAt(300, 100);
    Key(platform::VK_UP);
    Key(platform::VK_RIGHT);
    ASSERT_EQ(menu_->PopupCount(), 2);
    EXPECT_EQ(Popup(1).BoundsRect().bottom, 700);
    EXPECT_FALSE(Popup(1).Scrolling());
}

TEST_F(SkinMenuTest, ASubMenuWithoutRoomOnTheRightOpensOnTheLeft) {
    ui::TMenuItem* more = AddItem(*root_, "More");
    AddItem(*more, "Alpha");
    OpenAt(1000, 100);
    Key(platform::VK_UP);
    Key(platform::VK_RIGHT);
    ASSERT_EQ(menu_->PopupCount(), 2);
    const graphics::TRect item = Popup().ItemScreenRect(3);
    EXPECT_EQ(Popup(1).BoundsRect().right, item.left - 1);
}

TEST_F(SkinMenuTest, ASubMenuWithNothingVisibleDoesNotOpen) {
    ui::TMenuItem* more = AddItem(*root_, "More");
    AddItem(*more, "Alpha")->SetVisible(false);
    OpenAt(300, 200);
    Key(platform::VK_UP);
    Key(platform::VK_RIGHT);
    EXPECT_EQ(menu_->PopupCount(), 1);
    EXPECT_EQ(clicked_, std::vector<std::string>{"More"});
}

// ---- closing ----

TEST_F(SkinMenuTest, OpeningAgainClosesTheFirstMenuOnce) {
    OpenAt(300, 200);
    OpenAt(400, 300);
    EXPECT_EQ(onCloseCalls_, 1);
    EXPECT_EQ(closeMessages_, 1);
    EXPECT_EQ(menu_->PopupCount(), 1);
    menu_->CloseAll();
    menu_->CloseAll();
    EXPECT_EQ(onCloseCalls_, 2);
    EXPECT_EQ(closeMessages_, 2);
    EXPECT_EQ(host_->closes, 2);
}

TEST_F(SkinMenuTest, AnOpenerFreedWhileOpenIsNotTold) {
    OpenAt(300, 200);
    delete opener_;
    opener_ = nullptr;
    menu_->CloseAll();
    EXPECT_EQ(closeMessages_, 0);
    EXPECT_EQ(onCloseCalls_, 1);
}

TEST_F(SkinMenuTest, AnItemFreedByTheCloseNoticeDoesNotRun) {
    ui::TMenuItem* doomed = root_->Items(0);
    menu_->Popup(opener_, data_.get(), false, *root_, graphics::Rect(300, 200, 300, 200), 0,
                 [&] { delete doomed; });
    KeyOnly(platform::VK_RETURN);
    EXPECT_FALSE(menu_->Visible());
    EXPECT_TRUE(clicked_.empty());
    EXPECT_EQ(root_->Count(), 2);
}

TEST_F(SkinMenuTest, FreeingTheSkinDataInUseClosesTheMenu) {
    auto other = std::make_unique<skin::TbsSkinData>(nullptr);
    other->SetCompressedStoredSkin(&stored_);
    OpenWith(other.get(), 300, 200);
    ASSERT_TRUE(Popup().Look().Skinned());
    other.reset();
    EXPECT_FALSE(menu_->Visible());
    EXPECT_EQ(onCloseCalls_, 1);
    EXPECT_EQ(closeMessages_, 1);
    Pump();
}

TEST_F(SkinMenuTest, TheWorkAreaIsThatOfTheFormsMonitor) {
    screen_->SetWorkArea({0, 30, 1024, 740});
    OpenAt(300, 200);
    EXPECT_EQ(menu_->WorkArea(), graphics::Rect(0, 30, 1024, 740));
}

}  // namespace
}  // namespace skin_test
