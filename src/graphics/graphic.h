#pragma once
// The abstract picture: every picture class (bitmap, icon, metafile, JPEG, GIF) derives from
// TGraphic and answers the same operations. A class reference (TGraphicClass) names a picture
// class and creates empty instances of it, which the format registry relies on.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/persistent.h"
#include "core/stream.h"
#include "graphics/types.h"
#include "platform/gdi/wintypes.h"

namespace graphics {

class TCanvas;
class TGraphic;

enum class TProgressStage { psStarting, psRunning, psEnding };

using TNotifyEvent = std::function<void(core::TPersistent* sender)>;
using TProgressEvent =
    std::function<void(core::TPersistent* sender, TProgressStage stage, uint8_t percentDone,
                       bool redrawNow, const TRect& rect, const std::string& message)>;

// A class reference: the class's name, its base, and its virtual constructor.
class TGraphicClass {
  public:
    using Factory = std::unique_ptr<TGraphic> (*)();
    TGraphicClass(const char* name, const TGraphicClass* base, Factory create)
        : name_(name), base_(base), create_(create) {}

    const char* Name() const { return name_; }
    // True for this class and every class derived from it.
    bool InheritsFrom(const TGraphicClass& other) const;
    std::unique_ptr<TGraphic> Create() const { return create_(); }

  private:
    const char* name_;
    const TGraphicClass* base_;
    Factory create_;
};

class TGraphic : public core::TPersistent {
  public:
    TGraphic() = default;
    TGraphic(const TGraphic&) = delete;
    TGraphic& operator=(const TGraphic&) = delete;

    static const TGraphicClass& ClassType();
    virtual const TGraphicClass& GetClass() const = 0;
    const char* ClassName() const override { return GetClass().Name(); }

    // Fires the change event after setting the modified flag.
    virtual void NotifyChange();
    virtual void DrawInto(TCanvas& canvas, const TRect& rect) = 0;
    // The same picture for a one-off rendering (the export), after which this picture is not
    // drawn again: one that decodes on its first draw may draw without keeping what it
    // decoded, and decode only what the draw shows.
    virtual void DrawOnceInto(TCanvas& canvas, const TRect& rect) { DrawInto(canvas, rect); }
    // Content equality: equal when both are empty, or when both are of one class and their
    // stored data is the same bytes.
    virtual bool SameContent(TGraphic& other);
    virtual bool IsEmpty() const = 0;
    virtual int Height() const = 0;
    virtual platform::HPALETTE Palette() const { return nullptr; }
    virtual bool Transparent() const { return transparent_; }
    virtual int Width() const = 0;
    // Form data: the base reads and writes through the stream operations.
    virtual void ReadStoredData(core::TStream& stream) { LoadFromStream(stream); }
    virtual void SetHeight(int value) = 0;
    virtual void SetPalette(platform::HPALETTE) {}
    virtual void SetTransparent(bool value);
    virtual void SetWidth(int value) = 0;
    virtual void WriteStoredData(core::TStream& stream) { SaveToStream(stream); }
    virtual void LoadFile(const std::string& fileName);
    virtual void SaveFile(const std::string& fileName);
    virtual void LoadFromStream(core::TStream& stream) = 0;
    virtual void SaveToStream(core::TStream& stream) = 0;
    virtual void LoadClipboard(uint16_t format, uintptr_t data, platform::HPALETTE palette) = 0;
    virtual void SaveClipboard(uint16_t& format, uintptr_t& data, platform::HPALETTE& palette) = 0;

    bool Modified() const { return modified_; }
    void SetModified(bool value) { modified_ = value; }
    bool PaletteModified() const { return paletteModified_; }
    void SetPaletteModified(bool value) { paletteModified_ = value; }

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }
    const TProgressEvent& OnProgress() const { return onProgress_; }
    void SetOnProgress(TProgressEvent handler) { onProgress_ = std::move(handler); }

  protected:
    // Reports loading or decoding progress to the progress event, if any.
    void Progress(core::TPersistent* sender, TProgressStage stage, uint8_t percentDone,
                  bool redrawNow, const TRect& rect, const std::string& message);
    void SetTransparentFlag(bool value) { transparent_ = value; }

  private:
    TNotifyEvent onChange_;
    TProgressEvent onProgress_;
    bool modified_ = false;
    bool transparent_ = false;
    bool paletteModified_ = false;
};

// Declares a picture class's class reference inside its class body.
#define TEMBRIN_GRAPHIC_CLASS(Name)                            \
  public:                                                      \
    static const graphics::TGraphicClass& ClassType();         \
    const graphics::TGraphicClass& GetClass() const override { \
        return ClassType();                                    \
    }

// Defines it in the class's source file.
#define TEMBRIN_DEFINE_GRAPHIC_CLASS(Name, Base)                                               \
    const graphics::TGraphicClass& Name::ClassType() {                                         \
        static const graphics::TGraphicClass kClass(                                           \
            #Name, &Base::ClassType(),                                                         \
            []() -> std::unique_ptr<graphics::TGraphic> { return std::make_unique<Name>(); }); \
        return kClass;                                                                         \
    }

}  // namespace graphics
