// A form with a skinned frame over the program's own skin, on a fresh virtual screen.
#pragma once

#include "platform/gdi/gdi.h"
#include "skin/embedded_skin.h"
#include "skin/skin_frame.h"
#include "skin/stored_skin_component.h"
#include "ui/form.h"
#include "ui/ui_fixture.h"

namespace skin_test {

class FrameTest : public ui::testing::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        form_ = ui::Make<ui::TForm>(nullptr);
        form_->SetCaption("Frame");
        form_->SetBounds(100, 80, 476, 513);
        frame_ = ui::Make<skin::TbsSkinFrame>(form_);
        frame_->SetBorderIcons(skin::biMinimize | skin::biMaximize);
        stored_ = ui::Make<skin::TbsStoredSkinComponent>(form_);
        const auto package = skin::EmbeddedSkinPackage();
        stored_->SetCompressedData(package.data(), int64_t(package.size()));
        skinData_ = ui::Make<skin::TbsSkinData>(form_);
        frame_->SetSkinData(skinData_);
    }
    void TearDown() override {
        delete form_;
        UiTest::TearDown();
    }
    // Loads the skin and shows the form at 476 x 513.
    void LoadAndShow() {
        skinData_->SetCompressedStoredSkin(stored_);
        form_->SetBounds(100, 80, 476, 513);
        form_->Show();
        Pump();
    }
    platform::HWND Window() { return form_->Handle(); }
    // A point of the window in screen coordinates.
    graphics::TPoint Screen(int x, int y) { return {form_->Left() + x, form_->Top() + y}; }
    platform::LRESULT HitAt(int x, int y) {
        const graphics::TPoint p = Screen(x, y);
        return platform::SendMessage(Window(), platform::WM_NCHITTEST, 0,
                                     platform::MAKELPARAM(p.x, p.y));
    }
    void ClickAt(int x, int y, int button = platform::kHostLeftButton) {
        const graphics::TPoint p = Screen(x, y);
        host_->Click(p.x, p.y, button);
        Pump();
    }
    platform::RECT ClientRectOf() {
        platform::RECT r{};
        platform::GetClientRect(Window(), &r);
        return r;
    }

    ui::TForm* form_ = nullptr;
    skin::TbsSkinFrame* frame_ = nullptr;
    skin::TbsStoredSkinComponent* stored_ = nullptr;
    skin::TbsSkinData* skinData_ = nullptr;
};

}  // namespace skin_test
