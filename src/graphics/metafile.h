#pragma once
// Enhanced and placeable Windows metafiles, handed whole to the platform and played into the
// target rectangle. A Windows metafile becomes an enhanced one when it is read.
#include "graphics/graphic.h"
#include "platform/gdi/wintypes.h"

namespace graphics {

class TMetafile : public TGraphic {
    TEMBRIN_GRAPHIC_CLASS(TMetafile)

  public:
    TMetafile();
    ~TMetafile() override;

    void CopyFrom(const core::TPersistent* source) override;
    void DrawInto(TCanvas& canvas, const TRect& rect) override;
    bool IsEmpty() const override { return handle_ == nullptr; }
    int Height() const override;
    int Width() const override;
    void SetHeight(int value) override;
    void SetWidth(int value) override;
    // An enhanced metafile, or a Windows metafile behind a placeable header.
    void LoadFromStream(core::TStream& stream) override;
    // Writes the enhanced metafile.
    void SaveToStream(core::TStream& stream) override;
    void LoadClipboard(uint16_t format, uintptr_t data, platform::HPALETTE palette) override;
    void SaveClipboard(uint16_t& format, uintptr_t& data, platform::HPALETTE& palette) override;

    platform::HENHMETAFILE Handle() const { return handle_; }
    // Size in hundredths of a millimetre.
    int MMWidth() const { return mmWidth_; }
    int MMHeight() const { return mmHeight_; }
    // Units per inch of the placeable header; 0 for an enhanced metafile.
    int Inch() const { return inch_; }

  private:
    void ReadEnhanced(core::TStream& stream);
    void ReadPlaceable(core::TStream& stream);
    void Replace(platform::HENHMETAFILE handle, int mmWidth, int mmHeight, int inch);
    int ToPixels(int mm100, bool horizontal) const;

    platform::HENHMETAFILE handle_ = nullptr;
    int mmWidth_ = 0;
    int mmHeight_ = 0;
    int inch_ = 0;
};

// The picture class for files without an extension: it stays empty and draws nothing.
class TOleGraphic : public TGraphic {
    TEMBRIN_GRAPHIC_CLASS(TOleGraphic)

  public:
    void DrawInto(TCanvas&, const TRect&) override {}
    bool IsEmpty() const override { return true; }
    int Height() const override { return 0; }
    int Width() const override { return 0; }
    void SetHeight(int) override {}
    void SetWidth(int) override {}
    void LoadFile(const std::string&) override {}
    void LoadFromStream(core::TStream&) override {}
    void SaveToStream(core::TStream&) override {}
    void LoadClipboard(uint16_t, uintptr_t, platform::HPALETTE) override {}
    void SaveClipboard(uint16_t&, uintptr_t&, platform::HPALETTE&) override {}
};

// Adds the empty extension for TOleGraphic, as the program's start-up does first.
void RegisterOleGraphic();

}  // namespace graphics
