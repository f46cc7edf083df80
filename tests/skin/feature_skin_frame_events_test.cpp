// The skinned frame's events and settings over the feature test skin: drawing over caption
// objects, shortcuts, the form's cursor over the frame, magnetic screen edges, the skin-aware
// components it tells about a skin change, and the references the skin data lets go of.
#include <algorithm>
#include <string>
#include <vector>

#include "feature_skin.h"
#include "platform/gdi/gdi.h"
#include "platform/user/user.h"
#include "skin/resource_str_component.h"

namespace skin_test::features {
namespace {

using namespace platform;

constexpr uint16_t kF5 = VK_F1 + 4, kF6 = VK_F1 + 5;

TEST_F(FeatureSkinTest, PaintEventDrawsOverEachCaptionObject) {
    std::vector<std::string> painted;
    frame_->OnPaintEvent = [&](const std::string& idName, HDC dc, const graphics::TRect& rect) {
        painted.push_back(idName);
        if (idName != "closebutton") return;
        RECT r = rect.ToRECT();
        HBRUSH brush = CreateSolidBrush(Gdi(0x00FFFF));
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    };
    LoadAndShow();
    skin::TbsActiveSkinObject* close = frame_->FindObject("closebutton");
    EXPECT_EQ(ObjectPixel(*close, 5, 5), 0x00FFFFu);
    EXPECT_NE(std::find(painted.begin(), painted.end(), "caption"), painted.end());
    // Redrawn alone when the mouse comes: told again.
    painted.clear();
    MoveTo(*close);
    EXPECT_NE(std::find(painted.begin(), painted.end(), "closebutton"), painted.end());
    EXPECT_EQ(ObjectPixel(*close, 5, 5), 0x00FFFFu);
}

TEST_F(FeatureSkinTest, ObjectAndWindowEventsFollowTheMouse) {
    std::vector<std::string> log;
    frame_->OnMouseEnterEvent = [&](const std::string& id) { log.push_back("enter " + id); };
    frame_->OnMouseLeaveEvent = [&](const std::string& id) { log.push_back("leave " + id); };
    frame_->OnMouseDownEvent = [&](const std::string& id, ui::TMouseButton, int, int) {
        log.push_back("down " + id);
    };
    frame_->OnMouseUpEvent = [&](const std::string& id, ui::TMouseButton, int, int) {
        log.push_back("up " + id);
    };
    frame_->OnMaximize = [&](ui::TComponent*) { log.push_back("maximize"); };
    frame_->OnRestore = [&](ui::TComponent*) { log.push_back("restore"); };
    frame_->OnSkinMenuOpen = [&](ui::TComponent*) { log.push_back("menu open"); };
    frame_->OnSkinMenuClose = [&](ui::TComponent*) { log.push_back("menu closed"); };
    frame_->OnCaptionPaint = [&](HDC dc, const graphics::TRect& rect, bool) {
        RECT r = rect.ToRECT();
        HBRUSH brush = CreateSolidBrush(Gdi(0x00FF00));
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    };
    LoadAndShow();
    // The caption text is the handler's: its whole text rect, 2 pixels into the caption.
    const graphics::TRect text = frame_->CaptionObject()->TextRect();
    EXPECT_EQ(WindowPixel(text.left + 1, text.top + 5), 0x00FF00u);
    skin::TbsActiveSkinObject* glow = frame_->FindObject("glow");
    MoveTo(*glow);
    const graphics::TPoint on = Screen(glow->ObjectRect.left + 5, glow->ObjectRect.top + 5);
    host_->MouseDown(on.x, on.y);
    host_->MouseUp(on.x, on.y);
    Pump();
    host_->MouseMove(Screen(150, 100).x, Screen(150, 100).y);
    ASSERT_TRUE(WaitFor([&] { return !glow->Active; }));
    // The caption: a double click maximizes and another restores; a right click opens the
    // system menu, which Escape closes.
    for (int i = 0; i < 2; ++i) {
        const graphics::TPoint caption = Screen(150, 10);
        host_->Click(caption.x, caption.y);
        host_->Click(caption.x, caption.y);
        Pump();
    }
    host_->Click(Screen(150, 10).x, Screen(150, 10).y, kHostRightButton);
    Pump();
    host_->PressKey(VK_ESCAPE);
    Pump();
    log.erase(std::remove(log.begin(), log.end(), "enter caption"), log.end());
    log.erase(std::remove(log.begin(), log.end(), "leave caption"), log.end());
    EXPECT_EQ(log, (std::vector<std::string>{"enter glow", "down glow", "up glow", "leave glow",
                                             "down caption", "maximize", "down caption", "restore",
                                             "down caption", "menu open", "menu closed"}));
}

TEST_F(FeatureSkinTest, ShortCutEventTakesKeysBeforeTheForm) {
    LoadAndShow();
    std::vector<uint16_t> offered, reachedForm;
    form_->SetKeyPreview(true);
    form_->OnKeyDown = [&](ui::TComponent*, uint16_t& key, ui::TShiftState) {
        reachedForm.push_back(key);
    };
    frame_->OnShortCut = [&](uint16_t key, ui::TShiftState, bool& handled) {
        offered.push_back(key);
        handled = key == kF5;
    };
    host_->PressKey(kF5);
    Pump();
    host_->PressKey(kF6);
    Pump();
    EXPECT_EQ(offered, (std::vector<uint16_t>{kF5, kF6}));
    EXPECT_EQ(reachedForm, (std::vector<uint16_t>{kF6}));
}

TEST_F(FeatureSkinTest, TheFormsCursorIsUsedOverTheFrameWhenAsked) {
    LoadAndShow();
    HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
    HCURSOR sizing = LoadCursor(nullptr, IDC_SIZEWE);
    form_->SetCursor(hand);
    auto cursorAt = [&](int x, int y) {
        host_->MouseMove(Screen(x, y).x, Screen(x, y).y);
        Pump();
        return GetCursor();
    };
    EXPECT_EQ(cursorAt(150, 100), hand);  // the client area
    EXPECT_NE(cursorAt(150, 10), hand);   // the caption, as the system has it
    frame_->SetUseFormCursorInNCArea(true);
    EXPECT_EQ(cursorAt(150, 10), hand);
    EXPECT_EQ(cursorAt(150, 100), hand);
    // The sizing zones keep their sizing cursors (moved within the zone: the system answers
    // the move that enters it with the shape of where the mouse came from).
    cursorAt(2, 100);
    EXPECT_EQ(cursorAt(1, 100), sizing);
}

TEST_F(FeatureSkinTest, AMagneticWindowSnapsToTheWorkAreaEdges) {
    LoadAndShow();
    frame_->SetMagnetic(true);
    frame_->SetMagneticSize(10);
    // Each drag starts somewhere else on the free part of the caption (left of the buttons),
    // after a click in the client area, so that no two presses make a double click.
    int startX = 30;
    auto drag = [&](int dx, int dy) {
        startX += 30;
        const graphics::TPoint client = Screen(startX, 100);
        host_->Click(client.x, client.y);
        Pump();
        const graphics::TPoint from = Screen(startX, 10);
        host_->MouseDown(from.x, from.y);
        host_->MouseMove(from.x + dx, from.y + dy);
        host_->MouseUp(from.x + dx, from.y + dy);
        Pump();
    };
    // 8 pixels from the left edge: pulled onto it.
    drag(-(form_->Left() - 8), 0);
    EXPECT_EQ(form_->Left(), 0);
    // Further than the magnetic size from any edge: where it was dropped.
    drag(40, 30);
    EXPECT_EQ(form_->Left(), 40);
    EXPECT_EQ(form_->Top(), 110);
    // Near the right edge of the 1024 pixel screen.
    drag(1024 - 300 - 40 - 6, 0);
    EXPECT_EQ(form_->Left() + form_->Width(), 1024);
    // Not magnetic: no snapping.
    frame_->SetMagnetic(false);
    drag(-(form_->Left() - 7), 0);
    EXPECT_EQ(form_->Left(), 7);
}

// A skin-aware part of the form that logs what it is told.
class LoggingSkinPart : public ui::TComponent, public skin::TbsSkinAwareComponent {
  public:
    LoggingSkinPart(ui::TComponent* owner, skin::TbsSkinData* data, std::vector<std::string>& log)
        : ui::TComponent(owner), data_(data), log_(log) {}
    skin::TbsSkinData* SkinData() const override { return data_; }
    void BeforeChangeSkinData() override {
        log_.push_back(std::string("before, empty ") + (data_->Empty() ? "yes" : "no"));
    }
    void AfterChangeSkinData() override {
        log_.push_back(std::string("after, empty ") + (data_->Empty() ? "yes" : "no"));
    }

  private:
    skin::TbsSkinData* data_;
    std::vector<std::string>& log_;
};

TEST_F(FeatureSkinTest, SkinAwareComponentsAreToldBeforeAndAfterASkinChange) {
    std::vector<std::string> log;
    ui::Make<LoggingSkinPart>(form_, skinData_, log);
    skin::TbsSkinData* other = ui::Make<skin::TbsSkinData>(form_);
    ui::Make<LoggingSkinPart>(form_, other, log);
    frame_->OnBeforeChangeSkinData = [&](ui::TComponent*) { log.push_back("frame before"); };
    frame_->OnChangeSkinData = [&](ui::TComponent*) { log.push_back("frame changed"); };
    LoadAndShow();
    // Only the part that uses this skin data; before the old skin goes, after the new one is
    // in place and the frame has taken it.
    EXPECT_EQ(log, (std::vector<std::string>{"before, empty yes", "frame before", "frame changed",
                                             "after, empty no"}));
}

TEST_F(FeatureSkinTest, FreeingAStoredSkinListOrStringTableClearsTheSkinDatasReference) {
    LoadAndShow();
    auto* strings = ui::Make<skin::TbsResourceStrDataComponent>(form_);
    auto* list = ui::Make<skin::TbsSkinListComponent>(form_);
    skinData_->SetResourceStrData(strings);
    skinData_->SetSkinList(list);
    ASSERT_EQ(skinData_->CompressedStoredSkin(), stored_);
    delete stored_;
    stored_ = nullptr;
    EXPECT_EQ(skinData_->CompressedStoredSkin(), nullptr);
    // The parsed skin stays.
    EXPECT_FALSE(skinData_->Empty());
    EXPECT_EQ(WindowPixel(150, 10), kFrameCaption);
    delete strings;
    EXPECT_EQ(skinData_->ResourceStrData(), nullptr);
    delete list;
    EXPECT_EQ(skinData_->SkinList(), nullptr);
    // A list item's skin that is no component is forgotten only when asked.
    skin::TbsCompressedSkinList plain;
    skinData_->SetSkinList(&plain);
    skinData_->ForgetReference(&plain);
    EXPECT_EQ(skinData_->SkinList(), nullptr);
}

}  // namespace
}  // namespace skin_test::features
