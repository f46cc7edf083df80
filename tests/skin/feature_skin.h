// A form with a skinned frame over the feature test skin (tests/data/skin/features), which
// puts every feature of the skin engine on flat colours: the colours here are the ones its
// make_skin.py draws with, as 0xRRGGBB.
#pragma once

#include <string>

#include "platform/thread/sync.h"
#include "platform/user/user.h"
#include "skin/skin_frame.h"
#include "skin/stored_skin_component.h"
#include "ui/form.h"
#include "ui/ui_fixture.h"

namespace skin_test::features {

inline constexpr uint32_t kFrameBorder = 0x203040, kFrameCaption = 0x3060A0;
inline constexpr uint32_t kFrameClient = 0xE0E0E0;
inline constexpr uint32_t kSysMenu = 0x808080, kSysMenuHot = 0xA0A0A0;
inline constexpr uint32_t kClose = 0xC00000, kCloseHot = 0xFF4040, kCloseDown = 0x600000;
inline constexpr uint32_t kGlow[] = {0x102010, 0x206020, 0x30A030, 0x40F040};
inline constexpr uint32_t kSpin[] = {0x101060, 0x2020A0, 0x3030F0};
inline constexpr uint32_t kSpinDown = 0xF0F000;
// The morphing buttons: normal left and right half, hot left and right half.
inline constexpr uint32_t kMorphA = 0xFF0000, kMorphB = 0x00FF00;
inline constexpr uint32_t kMorphC = 0x0000FF, kMorphD = 0xFFFFFF;
inline constexpr uint32_t kRow = 0xF0F0F0, kRowActive = 0x4080FF;
inline constexpr uint32_t kRowFrames[] = {0xD0D8F0, 0xA0B8F8, 0x70A0FC};
inline constexpr uint32_t kDivider = 0x909090;
inline constexpr uint32_t kPopupBorder = 0x602060, kPopupItems = 0xFFF0FF;
inline constexpr uint32_t kStripMask = 0xFF00FF;
inline constexpr uint32_t kStrip[] = {0x00C000, 0x0000C0, 0xC0C000};
// The button control: normal, hot and pressed.
inline constexpr uint32_t kButton = 0x40A040, kButtonHot = 0x60C060, kButtonDown = 0x207020;
// The edit (frame normal and hot, the text area) and the combo box (frame, button, text area
// normal and focused).
inline constexpr uint32_t kEditFrame = 0x305070, kEditFrameHot = 0x5080C0, kEditField = 0xFFFFE0;
inline constexpr uint32_t kComboFrame = 0x705030, kComboButton = 0xB09060;
inline constexpr uint32_t kComboItem = 0xFFFFF0, kComboItemFocus = 0x2040C0;
// The containers: the panel's border, caption band, edge marks and client halves; the check
// marks, roll-up marker and caption frame beside it; the scroll box's border and client halves.
inline constexpr uint32_t kPanelBorder = 0x604020, kPanelTop = 0x406080, kPanelMark = 0xFFFF00;
inline constexpr uint32_t kPanelClient[] = {0xC0E0C0, 0xA0C0A0};
inline constexpr uint32_t kCheck = 0x00FF80, kUncheck = 0xFF8000, kRollMark = 0x8000FF;
inline constexpr uint32_t kFrameEnd = 0x202080, kFrameMiddle = 0x4040C0;
inline constexpr uint32_t kScrollBorder = 0x806040;
inline constexpr uint32_t kScrollClient[] = {0xF0D0A0, 0xA0D0F0};

inline std::string SkinFolder() {
    return std::string(TEMBRIN_TEST_DATA) + "/skin/features";
}

// A colour as the GDI writes it (0x00BBGGRR) from 0xRRGGBB.
inline constexpr graphics::TColor Gdi(uint32_t rgb) {
    return graphics::TColor(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
}

class FeatureSkinTest : public ui::testing::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        form_ = ui::Make<ui::TForm>(nullptr);
        form_->SetCaption("Features");
        form_->SetBounds(100, 80, 300, 200);
        frame_ = ui::Make<skin::TbsSkinFrame>(form_);
        frame_->SetBorderIcons(skin::biSystemMenu | skin::biMinimize | skin::biMaximize);
        stored_ = ui::Make<skin::TbsStoredSkinComponent>(form_);
        stored_->LoadFromSkinIniFile(SkinFolder() + "/skin.ini");
        skinData_ = ui::Make<skin::TbsSkinData>(form_);
        frame_->SetSkinData(skinData_);
    }
    void TearDown() override {
        delete form_;
        UiTest::TearDown();
    }
    void LoadAndShow() {
        skinData_->SetCompressedStoredSkin(stored_);
        form_->SetBounds(100, 80, 300, 200);
        form_->Show();
        Pump();
    }
    // A point of the window in screen coordinates, and the screen's pixel there.
    graphics::TPoint Screen(int x, int y) { return {form_->Left() + x, form_->Top() + y}; }
    uint32_t WindowPixel(int x, int y) {
        const graphics::TPoint p = Screen(x, y);
        return host_->PixelAt(p.x, p.y);
    }
    // The screen pixel at (dx, dy) inside a caption object.
    uint32_t ObjectPixel(const skin::TbsActiveSkinObject& object, int dx, int dy) {
        return WindowPixel(object.ObjectRect.left + dx, object.ObjectRect.top + dy);
    }
    void MoveTo(const skin::TbsActiveSkinObject& object, int dx = 5, int dy = 5) {
        const graphics::TPoint p = Screen(object.ObjectRect.left + dx, object.ObjectRect.top + dy);
        host_->MouseMove(p.x, p.y);
        Pump();
    }
    // Pumps until `done` holds or about a second has passed.
    template <typename F>
    bool WaitFor(F done) {
        for (int i = 0; i < 200 && !done(); ++i) {
            platform::Sleep(5);
            Pump();
        }
        return done();
    }

    ui::TForm* form_ = nullptr;
    skin::TbsSkinFrame* frame_ = nullptr;
    skin::TbsStoredSkinComponent* stored_ = nullptr;
    skin::TbsSkinData* skinData_ = nullptr;
};

}  // namespace skin_test::features
