#pragma once
// The canvas's drawing tools: font, pen and brush. Each keeps its description in a shared
// cache entry (see resource_manager.h) and tells its owner when it changes.
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

#include "core/persistent.h"
#include "graphics/color.h"
#include "graphics/resource_manager.h"
#include "platform/gdi/wintypes.h"

namespace graphics {

class TBitmap;

class TGraphicsObject : public core::TPersistent {
  public:
    using ChangeHandler = std::function<void(TGraphicsObject*)>;
    ~TGraphicsObject() override;

    void SetOnChange(ChangeHandler handler) { onChange_ = std::move(handler); }
    // The canvas shares its lock with its tools.
    void SetOwnerLock(std::recursive_mutex* lock) { ownerLock_ = lock; }
    // True when the platform object exists and no other holder shares it.
    bool HandleAllocated() const;

  protected:
    TGraphicsObject(TResourceManager& manager) : manager_(manager) {}
    void Changed();
    // Replaces the cache entry by the one for `description`.
    void SetDescription(const void* description, size_t size);
    // Changes one field of the description: a copy with its own handle dropped, so the cache
    // makes (or finds) the platform object for the new description.
    template <typename T, typename Change>
    void Modify(Change change) {
        T data = Description<T>();
        change(data);
        data.handle = nullptr;
        SetDescription(&data, sizeof data);
    }
    template <typename T>
    const T& Description() const {
        return *reinterpret_cast<const T*>(entry_->data.data());
    }
    // The entry's platform object, created on first use by `create`.
    platform::HGDIOBJ EntryHandle(const std::function<platform::HGDIOBJ()>& create) const;

    TResourceManager& manager_;
    TResourceManager::Entry* entry_ = nullptr;

  private:
    ChangeHandler onChange_;
    std::recursive_mutex* ownerLock_ = nullptr;
};

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = uint8_t;
enum class TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };

class TFont : public TGraphicsObject {
  public:
    // Description bytes that key the font cache: handle, height, pitch, style, charset, name.
    struct Data {
        platform::HFONT handle;
        int32_t height;
        TFontPitch pitch;
        TFontStyles style;
        uint8_t charset;
        char name[platform::LF_FACESIZE];
    };

    TFont();
    const char* ClassName() const override { return "TFont"; }
    void CopyFrom(const core::TPersistent* source) override;

    platform::HFONT Handle() const;
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    int Height() const { return Description<Data>().height; }
    void SetHeight(int value);
    // Size in points at the font's pixels per inch (96).
    int Size() const;
    void SetSize(int points);
    std::string Name() const { return Description<Data>().name; }
    void SetName(const std::string& value);
    TFontStyles Style() const { return Description<Data>().style; }
    void SetStyle(TFontStyles value);
    uint8_t Charset() const { return Description<Data>().charset; }
    void SetCharset(uint8_t value);
    TFontPitch Pitch() const { return Description<Data>().pitch; }
    void SetPitch(TFontPitch value);
    int PixelsPerInch() const { return pixelsPerInch_; }

  private:
    TColor color_ = clWindowText;
    int pixelsPerInch_ = 96;
};

enum class TPenStyle : uint8_t {
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    psInsideFrame
};
enum class TPenMode : uint8_t {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};

class TPen : public TGraphicsObject {
  public:
    struct Data {
        platform::HPEN handle;
        TColor color;
        int32_t width;
        TPenStyle style;
    };

    TPen();
    const char* ClassName() const override { return "TPen"; }
    void CopyFrom(const core::TPersistent* source) override;

    platform::HPEN Handle() const;
    TColor Color() const { return Description<Data>().color; }
    void SetColor(TColor value);
    int Width() const { return Description<Data>().width; }
    void SetWidth(int value);
    TPenStyle Style() const { return Description<Data>().style; }
    void SetStyle(TPenStyle value);
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode value);
    // The binary raster operation for the mode.
    int Rop2() const;

  private:
    TPenMode mode_ = TPenMode::pmCopy;
};

enum class TBrushStyle : uint8_t {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

class TBrush : public TGraphicsObject {
  public:
    struct Data {
        platform::HBRUSH handle;
        TColor color;
        TBitmap* bitmap;
        TBrushStyle style;
    };

    TBrush();
    const char* ClassName() const override { return "TBrush"; }
    void CopyFrom(const core::TPersistent* source) override;

    platform::HBRUSH Handle() const;
    TColor Color() const { return Description<Data>().color; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return Description<Data>().style; }
    void SetStyle(TBrushStyle value);
    // A pattern brush from a bitmap the caller keeps alive.
    TBitmap* Bitmap() const { return Description<Data>().bitmap; }
    void SetBitmap(TBitmap* value);

  private:
};

}  // namespace graphics
