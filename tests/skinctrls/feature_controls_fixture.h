// Skinned controls on a shown form over the feature test skin (tests/data/skin/features), whose
// flat colours (tests/skin/feature_skin.h) tell every state of a control by its pixels on the
// screen.
#pragma once

#include <cstdint>

#include "skin/feature_skin.h"
#include "ui/component.h"

namespace skinctrls::testing {

class FeatureControlsTest : public skin_test::features::FeatureSkinTest {
  protected:
    void SetUp() override {
        FeatureSkinTest::SetUp();
        LoadAndShow();
        // The pointer rests outside the form, so no control starts hot.
        host_->MouseMove(2, 2);
        Pump();
    }
    // A control of the form following the feature skin, at client coordinates of the form.
    template <typename T>
    T* Add(int left, int top, int width, int height) {
        T* control = ui::Make<T>(form_);
        control->SetParent(form_);
        control->SetSkinData(skinData_);
        control->SetBounds(left, top, width, height);
        Pump();
        return control;
    }
    // The screen pixel (0xRRGGBB) at a point of a control of the form, frame included.
    uint32_t ControlPixel(ui::TControl& control, int x, int y) {
        return PixelOf(*form_, control.Left() + x, control.Top() + y);
    }
    // Whether any pixel of `rect` (control coordinates) shows `rgb`, each channel within
    // `tolerance` of it (text is drawn with smoothed edges).
    bool ShowsColour(ui::TControl& control, const graphics::TRect& rect, uint32_t rgb,
                     int tolerance = 0) {
        auto near = [&](uint32_t pixel) {
            for (int shift : {0, 8, 16}) {
                const int a = int((pixel >> shift) & 0xFF);
                const int b = int((rgb >> shift) & 0xFF);
                if (a - b > tolerance || b - a > tolerance) return false;
            }
            return true;
        };
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                if (near(ControlPixel(control, x, y))) return true;
        return false;
    }
    // Text: a pixel within a quarter of the range of `rgb`.
    bool ShowsText(ui::TControl& control, const graphics::TRect& rect, uint32_t rgb) {
        return ShowsColour(control, rect, rgb, 0x40);
    }
};

}  // namespace skinctrls::testing
