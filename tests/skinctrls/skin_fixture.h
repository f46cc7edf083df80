// Shared set-up for the skinned control tests: the program's own skin, small hand-made skins
// whose pictures encode their coordinates, and pixel helpers.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/stream.h"
#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "skin/embedded_skin.h"
#include "skin/skin_data.h"
#include "skin/skin_package.h"
#include "ui/form.h"
#include "ui/ui_fixture.h"

namespace skinctrls::testing {

// A colour that tells the pixel's place in a picture (COLORREF layout).
inline uint32_t Code(int x, int y) {
    return uint32_t(x * 8) | (uint32_t(y * 8) << 8) | (0x40u << 16);
}

// A picture whose pixel (x, y) has the colour `color(x, y)` (COLORREF layout).
inline void FillBitmap(graphics::TBitmap& bitmap, int width, int height,
                       const std::function<uint32_t(int, int)>& color) {
    bitmap.SetWidth(width);
    bitmap.SetHeight(height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.Canvas().WritePixel(x, y, graphics::TColor(color(x, y)));
}

inline uint32_t Pixel(graphics::TBitmap& bitmap, int x, int y) {
    return bitmap.Canvas().ReadPixel(x, y) & 0xFFFFFF;
}

// How many of a shown control's pixels on the screen differ from its off-screen image.
template <typename Control>
int ScreenDifferences(platform::VirtualHost& host, Control& control) {
    graphics::TBitmap image;
    control.PaintTo(image);
    int differing = 0;
    for (int y = 0; y < control.Height(); ++y) {
        for (int x = 0; x < control.Width(); ++x) {
            const graphics::TPoint p = control.ClientToScreen({x, y});
            const uint32_t rgb = host.PixelAt(p.x, p.y);
            const uint32_t bgr = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
            differing += bgr != Pixel(image, x, y) ? 1 : 0;
        }
    }
    return differing;
}

// A 24-bit BMP file whose pixel (x, y) is `color(x, y)` (COLORREF layout).
inline std::vector<uint8_t> PatternBmp(int width, int height,
                                       const std::function<uint32_t(int, int)>& color) {
    int stride = ((width * 24 + 31) / 32) * 4;
    std::vector<uint8_t> out;
    auto put = [&](uint32_t v, int n) {
        for (int i = 0; i < n; ++i) out.push_back(uint8_t(v >> (8 * i)));
    };
    uint32_t image = uint32_t(stride * height);
    out.push_back('B');
    out.push_back('M');
    put(54 + image, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(uint32_t(width), 4);
    put(uint32_t(height), 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(image, 4);
    out.resize(out.size() + 16, 0);  // resolution and colour counts
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            uint32_t c = color(x, y);
            out.push_back(uint8_t(c >> 16));
            out.push_back(uint8_t(c >> 8));
            out.push_back(uint8_t(c));
        }
        for (int pad = width * 3; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

// A skin package: a tiny frame picture, the given active pictures and the skin text.
inline std::vector<uint8_t> SkinPackage(const std::vector<std::vector<uint8_t>>& pictures,
                                        const std::string& text) {
    std::vector<uint8_t> bytes;
    auto putInt = [&](int32_t v) {
        for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(uint32_t(v) >> (8 * i)));
    };
    auto putBytes = [&](const std::vector<uint8_t>& b) {
        bytes.insert(bytes.end(), b.begin(), b.end());
    };
    putInt(3);
    bytes.push_back(0);
    putBytes(PatternBmp(4, 4, [](int, int) { return 0u; }));
    bytes.push_back(1);
    bytes.push_back(1);
    putInt(int32_t(pictures.size()));
    for (const auto& p : pictures) putBytes(p);
    bytes.insert(bytes.end(), text.begin(), text.end());
    return bytes;
}

// A skin data component with its stored package, owned by a form (or by nobody).
struct LoadedSkin {
    skin::TbsCompressedStoredSkin stored;
    skin::TbsSkinData* data = nullptr;

    void LoadCompressed(ui::TComponent* owner, const uint8_t* bytes, int64_t size) {
        stored.SetCompressedData(bytes, size);
        data = ui::Make<skin::TbsSkinData>(owner);
        data->SetCompressedStoredSkin(&stored);
    }
    void LoadEmbedded(ui::TComponent* owner) {
        auto bytes = skin::EmbeddedSkinPackage();
        LoadCompressed(owner, bytes.data(), int64_t(bytes.size()));
    }
    void LoadPackage(ui::TComponent* owner, const std::vector<uint8_t>& package) {
        core::TMemoryStream compressed;
        skin::CompressPackage(package, compressed);
        LoadCompressed(owner, static_cast<const uint8_t*>(compressed.Memory()), compressed.Size());
    }
};

// A shown form to put controls on.
class SkinCtrlTest : public ui::testing::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        form_ = ui::Application().CreateForm<ui::TForm>();
        form_->SetBounds(20, 20, 500, 300);
        form_->Show();
    }
    template <typename T>
    T* Add(int left, int top, int width, int height, ui::TWinControl* parent = nullptr) {
        T* control = ui::Make<T>(form_);
        control->SetParent(parent != nullptr ? parent : form_);
        control->SetBounds(left, top, width, height);
        return control;
    }
    // Mouse messages straight to a windowed control, at its client point.
    static void Press(ui::TWinControl& c, int x, int y) {
        c.Perform(platform::WM_LBUTTONDOWN, platform::MK_LBUTTON, platform::MAKELPARAM(x, y));
    }
    static void Move(ui::TWinControl& c, int x, int y) {
        c.Perform(platform::WM_MOUSEMOVE, 0, platform::MAKELPARAM(x, y));
    }
    static void Release(ui::TWinControl& c, int x, int y) {
        c.Perform(platform::WM_LBUTTONUP, 0, platform::MAKELPARAM(x, y));
    }
    ui::TForm* form_ = nullptr;
};

}  // namespace skinctrls::testing
