#pragma once
// Shared set-up for the skinned menu tests: a virtual screen, a form with a panel that opens
// menus, the program's own skin loaded, the three export items, and a stand-in for the form
// frame that records what the menu engine tells it.
#include <gtest/gtest.h>

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "graphics/bitmap.h"
#include "graphics/color.h"
#include "platform/gdi/gdi.h"
#include "platform/host/virtual/virtual_host.h"
#include "platform/user/user.h"
#include "skin/embedded_skin.h"
#include "skin/skin_data.h"
#include "skin/skin_menu.h"
#include "skin/skin_menu_host.h"
#include "skin/skin_popup_window.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/menus.h"
#include "ui/panels.h"

namespace skin_test {

// What the form frame would do: own the engine, name the skin for menus, count the open and
// close notices.
class RecordingMenuHost : public skin::TbsSkinMenuHost {
  public:
    RecordingMenuHost(skin::TbsSkinMenu& menu, skin::TbsSkinData* data)
        : menu_(menu), data_(data) {}
    skin::TbsSkinMenu& SkinMenu() override { return menu_; }
    skin::TbsSkinData* MenuSkinData() const override { return data_; }
    void SkinMenuOpen() override {
        ++opens;
        log.push_back("open");
    }
    void SkinMenuClose() override {
        ++closes;
        log.push_back("host closed");
    }
    int opens = 0;
    int closes = 0;
    std::vector<std::string> log;

  private:
    skin::TbsSkinMenu& menu_;
    skin::TbsSkinData* data_;
};

inline const char* const kExportCaptions[3] = {"导出为（64X64）ICO图标", "导出为（32X32）ICO图标",
                                               "导出为（16X16）ICO图标"};

class SkinMenuTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ui::Application().Reset();
        platform::ResetWindowServices();
        auto host = std::make_unique<platform::VirtualHost>(1024, 768);
        screen_ = host.get();
        platform::SetHost(std::move(host));
        std::span<const uint8_t> bytes = skin::EmbeddedSkinPackage();
        stored_.SetCompressedData(bytes.data(), static_cast<int64_t>(bytes.size()));
        data_ = std::make_unique<skin::TbsSkinData>(nullptr);
        data_->SetCompressedStoredSkin(&stored_);
        ASSERT_FALSE(data_->Empty());

        form_ = ui::Application().CreateForm<ui::TForm>();
        form_->SetBounds(100, 100, 500, 400);
        opener_ = ui::Make<ui::TPanel>(form_);
        opener_->SetParent(form_);
        opener_->SetAlign(ui::TAlign::alClient);
        opener_->SetMessageHandler(skin::WM_CLOSESKINMENU, [this](ui::TMessage&) {
            ++closeMessages_;
            host_->log.push_back("opener told");
        });
        form_->Show();
        Pump();

        root_ = ui::Make<ui::TMenuItem>(form_);
        for (const char* caption : kExportCaptions) AddItem(*root_, caption);
        menu_ = std::make_unique<skin::TbsSkinMenu>(form_);
        host_ = std::make_unique<RecordingMenuHost>(*menu_, data_.get());
        menu_->SetHost(host_.get());
    }
    void TearDown() override {
        menu_.reset();
        ui::Application().Reset();
        platform::ResetWindowServices();
    }

    ui::TMenuItem* AddItem(ui::TMenuItem& parent, const std::string& caption) {
        auto* item = ui::Make<ui::TMenuItem>(form_);
        item->SetCaption(caption);
        item->OnClick = [this, caption](ui::TComponent*) {
            clicked_.push_back(caption);
            host_->log.push_back("click " + caption);
            popupsWhenClicked_.push_back(menu_->PopupCount());
        };
        parent.Add(item);
        return item;
    }

    // Opens the export items at a screen point with the loaded skin.
    void OpenAt(int x, int y, bool popupUp = false) { OpenWith(data_.get(), x, y, popupUp); }
    // The same with another skin data (null: none).
    void OpenWith(skin::TbsSkinData* data, int x, int y, bool popupUp = false) {
        menu_->Popup(opener_, data, popupUp, *root_, graphics::Rect(x, y, x, y), 0, [this] {
            ++onCloseCalls_;
            host_->log.push_back("closed");
        });
        Pump();
    }
    skin::TbsSkinPopupWindow& Popup(int level = 0) {
        skin::TbsSkinPopupWindow* popup = menu_->PopupAt(level);
        EXPECT_NE(popup, nullptr);
        return *popup;
    }
    // The centre of an item's row on the screen.
    graphics::TPoint RowCentre(int index, int level = 0) {
        graphics::TRect r = Popup(level).ItemScreenRect(index);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    bool Key(int key) {
        platform::MSG msg{};
        msg.message = platform::WM_KEYDOWN;
        msg.wParam = platform::WPARAM(key);
        const bool consumed = menu_->HandleKey(msg);
        Pump();
        return consumed;
    }
    // The popup's own timers run on real time; tests that count ticks stop them and deliver
    // the ticks themselves.
    static void StopRealTimers(skin::TbsSkinPopupWindow& popup) {
        for (platform::UINT_PTR id :
             {skin::TbsSkinPopupWindow::kMouseTimer, skin::TbsSkinPopupWindow::kScrollTimer,
              skin::TbsSkinPopupWindow::kWaitTimer, skin::TbsSkinPopupWindow::kAnimationTimer}) {
            platform::KillTimer(popup.Handle(), id);
        }
    }
    // A key for the innermost popup, with no message loop run afterwards.
    bool KeyOnly(int key) {
        platform::MSG msg{};
        msg.message = platform::WM_KEYDOWN;
        msg.wParam = platform::WPARAM(key);
        return menu_->HandleKey(msg);
    }
    // The pointer moves to a screen point over a popup, delivered straight to the popup.
    static void PointerAt(skin::TbsSkinPopupWindow& popup, graphics::TPoint screen) {
        platform::SetCursorPos(screen.x, screen.y);
        const graphics::TRect b = popup.BoundsRect();
        platform::SendMessage(popup.Handle(), platform::WM_MOUSEMOVE, 0,
                              platform::MAKELPARAM(screen.x - b.left, screen.y - b.top));
    }
    void Timer(skin::TbsSkinPopupWindow& popup, platform::UINT_PTR id) {
        platform::SendMessage(popup.Handle(), platform::WM_TIMER, id, 0);
        Pump();
    }
    // 0xRRGGBB of a popup's painted pixel.
    static uint32_t BufferPixel(skin::TbsSkinPopupWindow& popup, int x, int y) {
        const uint32_t c = platform::GetPixel(popup.Buffer().Canvas().Handle(), x, y);
        return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
    // 0xRRGGBB of a skin picture's pixel.
    uint32_t PicturePixel(int index, int x, int y) {
        const uint32_t c = platform::GetPixel(skin::PictureDC(*data_->ActivePicture(index)), x, y);
        return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
    static uint32_t Rgb(graphics::TColor color) {
        const uint32_t c = graphics::ColorToRGB(color);
        return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
    static void Pump() { ui::Application().ProcessMessages(); }

    platform::VirtualHost* screen_ = nullptr;
    skin::TbsCompressedStoredSkin stored_;
    std::unique_ptr<skin::TbsSkinData> data_;
    ui::TForm* form_ = nullptr;
    ui::TPanel* opener_ = nullptr;
    ui::TMenuItem* root_ = nullptr;
    std::unique_ptr<skin::TbsSkinMenu> menu_;
    std::unique_ptr<RecordingMenuHost> host_;
    std::vector<std::string> clicked_;
    std::vector<int> popupsWhenClicked_;
    int closeMessages_ = 0;
    int onCloseCalls_ = 0;
};

}  // namespace skin_test
