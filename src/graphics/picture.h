#pragma once
// The picture container behind each image view: it owns at most one graphic and replaces it
// when a file loads. The graphic class is chosen by the file's extension through a
// process-wide registry of formats.
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/persistent.h"
#include "graphics/graphic.h"

namespace graphics {

class TBitmap;
class TIcon;
class TMetafile;

struct TFileFormat {
    const TGraphicClass* graphicClass;
    std::string extension;  // without the dot, lower case
    std::string description;
    int32_t descriptionResourceId;
};

// The registry of file formats, created on first use with "wmf", "emf", "ico" and "bmp".
class TFileFormatsList {
  public:
    static TFileFormatsList& Instance();

    void Add(const std::string& extension, const std::string& description,
             const TGraphicClass& graphicClass);
    // Removes every entry whose class is `graphicClass` or derives from it.
    void Remove(const TGraphicClass& graphicClass);
    // Case-insensitive, newest entry first.
    const TGraphicClass* FindExt(const std::string& extension) const;
    std::vector<TFileFormat> Entries() const;

  private:
    TFileFormatsList();
    mutable std::mutex lock_;
    std::vector<TFileFormat> formats_;
};

// Clipboard format numbers mapped to picture classes.
class TClipboardFormats {
  public:
    static TClipboardFormats& Instance();
    void Add(uint16_t format, const TGraphicClass& graphicClass);
    void Remove(const TGraphicClass& graphicClass);
    const TGraphicClass* FindFormat(uint16_t format) const;

  private:
    TClipboardFormats();
    mutable std::mutex lock_;
    std::vector<std::pair<uint16_t, const TGraphicClass*>> formats_;
};

class TPicture : public core::TPersistent {
  public:
    TPicture();
    ~TPicture() override;
    const char* ClassName() const override { return "TPicture"; }

    // Registry operations (class level).
    static void RegisterFileFormat(const std::string& extension, const std::string& description,
                                   const TGraphicClass& graphicClass);
    static void RegisterClipboardFormat(uint16_t format, const TGraphicClass& graphicClass);
    static void UnregisterGraphicClass(const TGraphicClass& graphicClass);
    static const TGraphicClass* FindClassByExtension(const std::string& extension);

    // Loads a file with the class its extension names; on failure the picture is unchanged.
    void LoadFile(const std::string& fileName);
    void SaveFile(const std::string& fileName);
    // Always reads and writes a bitmap.
    void LoadFromStream(core::TStream& stream);
    void SaveToStream(core::TStream& stream);
    void CopyFrom(const core::TPersistent* source) override;

    TGraphic* Graphic() const { return graphic_.get(); }
    void SetGraphic(TGraphic* value);
    // The graphic as a bitmap, icon or metafile, replacing it with an empty one of that class
    // when it is something else.
    TBitmap& Bitmap();
    TIcon& Icon();
    TMetafile& Metafile();
    int Width() const;
    int Height() const;

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }
    const TProgressEvent& OnProgress() const { return onProgress_; }
    void SetOnProgress(TProgressEvent handler) { onProgress_ = std::move(handler); }

  private:
    void Changed(core::TPersistent* sender);
    void Progress(core::TPersistent* sender, TProgressStage stage, uint8_t percent, bool redrawNow,
                  const TRect& rect, const std::string& message);
    void Hook(TGraphic& graphic);
    void Install(std::unique_ptr<TGraphic> graphic);
    TGraphic& ForceType(const TGraphicClass& graphicClass);

    std::unique_ptr<TGraphic> graphic_;
    TNotifyEvent onChange_;
    TProgressEvent onProgress_;
};

// The extension of a file name: after the last "." that follows the last "\", ":" or "/",
// without the dot; empty when there is none.
std::string PictureExtension(const std::string& fileName);

}  // namespace graphics
