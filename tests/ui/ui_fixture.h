// Shared set-up for the framework and main-window tests: a fresh virtual screen per test, the
// application reset around it, the error box recorded instead of shown, and helpers to run
// the message loop and look at the screen.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "platform/host/virtual/virtual_host.h"
#include "platform/user/user.h"
#include "ui/application.h"
#include "ui/control.h"

namespace ui::testing {

struct ShownBox {
    std::string text;
    std::string caption;
    platform::UINT flags;
};

class UiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Application().Reset();
        platform::ResetWindowServices();
        auto host = std::make_unique<platform::VirtualHost>(1024, 768);
        host_ = host.get();
        platform::SetHost(std::move(host));
        Application().SetMessageBoxFunction([this](platform::HWND, const std::string& text,
                                                   const std::string& caption,
                                                   platform::UINT flags) {
            boxes_.push_back({text, caption, flags});
            return platform::IDOK;
        });
        dir_ = std::filesystem::temp_directory_path() /
               ("tembrin_ui_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        Application().Reset();
        platform::ResetWindowServices();
        std::filesystem::remove_all(dir_);
    }

    // Runs the loop until no message is waiting.
    static void Pump() { Application().ProcessMessages(); }

    // The centre of a control on the screen.
    static TPoint CenterOf(TControl& control) {
        return control.ClientToScreen({control.Width() / 2, control.Height() / 2});
    }
    void Click(TControl& control) {
        TPoint p = CenterOf(control);
        host_->Click(p.x, p.y);
    }
    // 0xRRGGBB of the screen at a control's client point.
    uint32_t PixelOf(TControl& control, int x, int y) {
        TPoint p = control.ClientToScreen({x, y});
        return host_->PixelAt(p.x, p.y);
    }

    // Writes a bitmap of one colour (0xRRGGBB) and returns its path.
    std::string WriteBitmap(const std::string& name, int width, int height, uint32_t rgb) {
        graphics::TBitmap bitmap;
        bitmap.SetWidth(width);
        bitmap.SetHeight(height);
        graphics::TColor color =
            graphics::TColor(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
        bitmap.Canvas().Brush().SetColor(color);
        bitmap.Canvas().FillRect(graphics::Rect(0, 0, width, height));
        std::string path = (dir_ / name).string();
        bitmap.SaveFile(path);
        return path;
    }
    std::string WriteFile(const std::string& name, const std::string& bytes) {
        std::string path = (dir_ / name).string();
        FILE* f = std::fopen(path.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
        return path;
    }

    platform::VirtualHost* host_ = nullptr;
    std::vector<ShownBox> boxes_;
    std::filesystem::path dir_;
};

}  // namespace ui::testing
