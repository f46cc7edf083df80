#pragma once
// The font handle object (internal to the platform layer): a logical font as the caller
// described it, and the realized font it stands for on this system.
#include <memory>
#include <string>

#include "platform/gdi/font_realize.h"
#include "platform/gdi/gdi_object.h"

namespace platform {

class DcObject;

class FontObject final : public GdiObject {
  public:
    static constexpr DWORD kObjectType = OBJ_FONT;

    explicit FontObject(const LOGFONT& logFont);

    const LOGFONT& LogFont() const { return logFont_; }
    // Realized on first use; device contexts with a scaled mapping ask for another height.
    std::shared_ptr<text::RealizedFont> Realize(int deviceHeight) const;
    int Describe(int size, void* buffer) const override;

  private:
    LOGFONT logFont_;
};

// The font a device context draws with: its selected font, or the system font when none (or
// a stale handle) is selected. Heights follow the DC's vertical scale. Never null.
std::shared_ptr<text::RealizedFont> DcFont(DcObject& dc);

// Device pixel lengths as logical lengths of the DC's mapping (unchanged for MM_TEXT).
int LogicalWidth(DcObject& dc, int deviceWidth);
int LogicalHeight(DcObject& dc, int deviceHeight);

// The face name a LOGFONT carries, read safely even when it is not NUL-terminated.
std::string FaceNameOf(const LOGFONT& logFont);

}  // namespace platform
