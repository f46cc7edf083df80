#pragma once
// The extension blocks that precede a frame: graphic control, plain text, comment and
// application extensions (the loop extension and the ones this program does not know).
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "codecs/gif/gif_item.h"
#include "core/stream.h"

namespace codecs::gif {

class TGIFSubImage;
class TGIFExtension;
struct TGIFExtensionClassInfo;

// A class reference: which extension class to create, found through the registries.
using TGIFExtensionClass = const TGIFExtensionClassInfo*;

struct TGIFExtensionClassInfo {
    const char* Name;
    uint8_t Label;
    std::unique_ptr<TGIFExtension> (*Create)(TGIFSubImage& owner);
    // Reads ahead from the current position and names the class that fits better, itself, or
    // none (nullptr). Null for classes that never look ahead.
    TGIFExtensionClass (*Refine)(core::TStream& stream);
};

class TGIFExtension : public TGIFItem {
  public:
    explicit TGIFExtension(TGIFSubImage& owner);

    TGIFSubImage& SubImage() const { return owner_; }
    virtual TGIFExtensionClass ClassType() const = 0;
    uint8_t Label() const { return ClassType()->Label; }

    // Reads the introducer and label, checks them, then the body.
    void LoadFromStream(core::TStream& stream);

  protected:
    virtual void LoadBody(core::TStream& stream) = 0;

  private:
    TGIFSubImage& owner_;
};

class TGIFGraphicControlExtension : public TGIFExtension {
  public:
    static const TGIFExtensionClassInfo kClass;
    using TGIFExtension::TGIFExtension;
    TGIFExtensionClass ClassType() const override { return &kClass; }

    uint8_t BlockSize() const { return body_[0]; }
    uint8_t Packed() const { return body_[1]; }
    int Disposal() const { return (body_[1] >> 2) & 7; }
    bool UserInput() const { return (body_[1] & 2) != 0; }
    bool HasTransparency() const { return (body_[1] & 1) != 0; }
    // Hundredths of a second.
    uint16_t Delay() const { return static_cast<uint16_t>(body_[2] | (body_[3] << 8)); }
    uint8_t TransparentColorIndex() const { return body_[4]; }

  protected:
    void LoadBody(core::TStream& stream) override;

  private:
    std::array<uint8_t, 6> body_{};
};

class TGIFTextExtension : public TGIFExtension {
  public:
    static const TGIFExtensionClassInfo kClass;
    using TGIFExtension::TGIFExtension;
    TGIFExtensionClass ClassType() const override { return &kClass; }

    uint16_t Left() const;
    uint16_t Top() const;
    uint16_t GridWidth() const;
    uint16_t GridHeight() const;
    uint8_t CellWidth() const { return body_[9]; }
    uint8_t CellHeight() const { return body_[10]; }
    uint8_t ForegroundColorIndex() const { return body_[11]; }
    uint8_t BackgroundColorIndex() const { return body_[12]; }
    const std::vector<std::string>& Text() const { return text_; }

  protected:
    void LoadBody(core::TStream& stream) override;

  private:
    std::array<uint8_t, 13> body_{};
    std::vector<std::string> text_;
};

class TGIFCommentExtension : public TGIFExtension {
  public:
    static const TGIFExtensionClassInfo kClass;
    using TGIFExtension::TGIFExtension;
    TGIFExtensionClass ClassType() const override { return &kClass; }

    const std::vector<std::string>& Text() const { return text_; }

  protected:
    void LoadBody(core::TStream& stream) override;

  private:
    std::vector<std::string> text_;
};

// The general application extension: reads the identification block and leaves the data to
// the kind of application extension that knows it.
class TGIFApplicationExtension : public TGIFExtension {
  public:
    static const TGIFExtensionClassInfo kClass;
    using TGIFExtension::TGIFExtension;
    TGIFExtensionClass ClassType() const override { return &kClass; }

    // The 8-byte identifier followed by the 3-byte authentication code.
    std::string Identification() const;
    std::string Identifier() const;
    std::string Authentication() const;

  protected:
    void LoadBody(core::TStream& stream) override;
    // The data sub-blocks after the identification block.
    virtual void LoadData(core::TStream& stream);

  private:
    std::array<uint8_t, 11> identification_{};
};

// "NETSCAPE2.0" and "ANIMEXTS1.0": how often an animation repeats.
class TGIFAppExtNSLoop : public TGIFApplicationExtension {
  public:
    static const TGIFExtensionClassInfo kClass;
    using TGIFApplicationExtension::TGIFApplicationExtension;
    TGIFExtensionClass ClassType() const override { return &kClass; }

    // 0 means loop for ever.
    uint16_t Loops() const { return loops_; }
    // 0 when the file gives none.
    uint32_t BufferSize() const { return bufferSize_; }

  protected:
    void LoadData(core::TStream& stream) override;

  private:
    uint16_t loops_ = 0;
    uint32_t bufferSize_ = 0;
};

// One data sub-block kept as it was read.
struct TGIFBlock {
    std::vector<uint8_t> Data;
    uint8_t Size() const { return static_cast<uint8_t>(Data.size()); }
};

// Any other application extension, kept with all its data sub-blocks.
class TGIFUnknownAppExtension : public TGIFApplicationExtension {
  public:
    static const TGIFExtensionClassInfo kClass;
    using TGIFApplicationExtension::TGIFApplicationExtension;
    TGIFExtensionClass ClassType() const override { return &kClass; }

    const std::vector<TGIFBlock>& Blocks() const { return blocks_; }

  protected:
    void LoadData(core::TStream& stream) override;

  private:
    std::vector<TGIFBlock> blocks_;
};

using TGIFExtensionList = std::vector<std::unique_ptr<TGIFExtension>>;

}  // namespace codecs::gif
