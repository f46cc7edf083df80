#pragma once
// Translucency of a top-level form through its host window's opacity: set at once, or faded
// in from nothing in short steps once the form shows.
#include <cstdint>

#include "platform/user/winuser.h"
#include "ui/form.h"

namespace skinctrls {

class TbsWindowFade {
  public:
    static constexpr int kSteps = 10;
    static constexpr platform::UINT kStepMs = 20;

    explicit TbsWindowFade(ui::TCustomForm& form) : form_(form) {}
    ~TbsWindowFade();
    TbsWindowFade(const TbsWindowFade&) = delete;
    TbsWindowFade& operator=(const TbsWindowFade&) = delete;

    // Makes the form translucent at `value` (255 = opaque); with `animate` it starts
    // invisible and reaches `value` after the form shows.
    void Apply(std::uint8_t value, bool animate);
    // The form showed: the fade, if any, begins.
    void Shown();

  private:
    static void StepTimer(platform::HWND, platform::UINT, platform::UINT_PTR id, platform::DWORD);
    void Step();
    void SetAlpha(int alpha);

    ui::TCustomForm& form_;
    std::uint8_t target_ = 255;
    bool animate_ = false;
    int step_ = 0;
    bool timing_ = false;
};

}  // namespace skinctrls
