#pragma once
// A skin package stored in the form: the raw zlib bytes of the package (the binary property
// CompressedData), plus the lists of such packages.
#include <memory>
#include <string>
#include <vector>

#include "core/stream.h"

namespace skin {

// What a component knows about the moment: designing it, or reading it from a form.
struct TbsComponentState {
    bool Designing = false;
    bool Reading = false;
};

class TbsCompressedStoredSkin {
  public:
    TbsCompressedStoredSkin() = default;
    TbsCompressedStoredSkin(const TbsCompressedStoredSkin&) = default;
    TbsCompressedStoredSkin& operator=(const TbsCompressedStoredSkin&) = default;
    // A form's component derives from it; the skin data finds that component by a cast.
    virtual ~TbsCompressedStoredSkin() = default;

    const std::string& Description() const { return description_; }
    void SetDescription(std::string value) { description_ = std::move(value); }
    const std::string& FileName() const { return fileName_; }
    // While designing (and not reading) the package is built from the named skin.ini and only
    // the file-name part is kept; otherwise the text is just stored.
    void SetFileName(const std::string& value);
    const std::string& CompressedFileName() const { return compressedFileName_; }
    void SetCompressedFileName(const std::string& value);

    TbsComponentState& State() { return state_; }

    // The raw zlib bytes.
    core::TMemoryStream& CompressedStream() { return compressed_; }
    bool Empty() const { return compressed_.Bytes().empty(); }
    // The binary property: read copies the payload byte for byte, write writes it unchanged.
    void ReadCompressedData(core::TStream& source, int64_t count);
    void WriteCompressedData(core::TStream& target) const;
    void SetCompressedData(const void* data, int64_t size);

    void LoadFromSkinIniFile(const std::string& path);
    // The compressed skin file format: int32 version (3), int32 length, zlib bytes.
    void LoadFromCompressedFile(const std::string& path);
    void LoadFromCompressedStream(core::TStream& source);
    void SaveToCompressedStream(core::TStream& target) const;
    void SaveToCompressedFile(const std::string& path) const;

  private:
    std::string description_, fileName_, compressedFileName_;
    TbsComponentState state_;
    core::TMemoryStream compressed_;
};

class TbsSkinListItem {
  public:
    explicit TbsSkinListItem(int index) : name_("bsSkin" + std::to_string(index)) {}

    const std::string& Name() const { return name_; }
    void SetName(std::string value) { name_ = std::move(value); }
    const std::string& Description() const { return skin_.Description(); }
    void SetDescription(std::string value) { skin_.SetDescription(std::move(value)); }
    const std::string& FileName() const { return skin_.FileName(); }
    void SetFileName(const std::string& value) { skin_.SetFileName(value); }
    const std::string& CompressedFileName() const { return skin_.CompressedFileName(); }
    void SetCompressedFileName(const std::string& value) { skin_.SetCompressedFileName(value); }

    TbsCompressedStoredSkin& StoredSkin() { return skin_; }
    // The binary property "Skin", in the compressed skin file format.
    void ReadSkin(core::TStream& source) { skin_.LoadFromCompressedStream(source); }
    void WriteSkin(core::TStream& target) const { skin_.SaveToCompressedStream(target); }

  private:
    std::string name_;
    TbsCompressedStoredSkin skin_;
};

class TbsCompressedSkinList {
  public:
    // The form's skin list component derives from it.
    virtual ~TbsCompressedSkinList() = default;

    int Count() const { return static_cast<int>(skins_.size()); }
    // The item at `index`, or null outside the list.
    TbsSkinListItem* Item(int index);
    TbsSkinListItem& Add();
    void Clear() { skins_.clear(); }

  private:
    std::vector<std::unique_ptr<TbsSkinListItem>> skins_;
};

}  // namespace skin
