#include "skin/compressed_stored_skin.h"

#include <filesystem>

#include "skin/skin_package.h"

namespace skin {

namespace {
std::string NamePart(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}
}  // namespace

void TbsCompressedStoredSkin::SetFileName(const std::string& value) {
    if (state_.Designing && !state_.Reading) {
        LoadFromSkinIniFile(value);
        fileName_ = NamePart(value);
        return;
    }
    fileName_ = state_.Designing ? NamePart(value) : value;
}

void TbsCompressedStoredSkin::SetCompressedFileName(const std::string& value) {
    if (state_.Designing && !state_.Reading) {
        LoadFromCompressedFile(value);
        compressedFileName_ = NamePart(value);
        return;
    }
    compressedFileName_ = state_.Designing ? NamePart(value) : value;
}

void TbsCompressedStoredSkin::ReadCompressedData(core::TStream& source, int64_t count) {
    compressed_.Clear();
    compressed_.CopyFrom(source, count);
    compressed_.SetPosition(0);
}

void TbsCompressedStoredSkin::WriteCompressedData(core::TStream& target) const {
    const auto& bytes = compressed_.Bytes();
    target.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

void TbsCompressedStoredSkin::SetCompressedData(const void* data, int64_t size) {
    compressed_.Clear();
    compressed_.WriteBuffer(data, size);
    compressed_.SetPosition(0);
}

void TbsCompressedStoredSkin::LoadFromSkinIniFile(const std::string& path) {
    std::optional<std::vector<uint8_t>> package = BuildPackageFromSkinIni(path);
    if (!package) return;  // a mandatory section is missing: keep what was stored
    compressed_.Clear();
    CompressPackage(*package, compressed_);
    compressed_.SetPosition(0);
}

void TbsCompressedStoredSkin::LoadFromCompressedStream(core::TStream& source) {
    compressed_.Clear();
    source.SetPosition(0);
    int32_t version = source.ReadValue<int32_t>();
    if (version > kPackageVersion) return;
    int32_t length = source.ReadValue<int32_t>();
    // A negative length would mean "copy everything" to CopyFrom; it copies nothing.
    if (length > 0) compressed_.CopyFrom(source, length);
    compressed_.SetPosition(0);
}

void TbsCompressedStoredSkin::LoadFromCompressedFile(const std::string& path) {
    core::TFileStream file(path, core::fmOpenRead | core::fmShareDenyWrite);
    LoadFromCompressedStream(file);
}

void TbsCompressedStoredSkin::SaveToCompressedStream(core::TStream& target) const {
    target.WriteValue<int32_t>(kPackageVersion);
    target.WriteValue<int32_t>(static_cast<int32_t>(compressed_.Bytes().size()));
    WriteCompressedData(target);
}

void TbsCompressedStoredSkin::SaveToCompressedFile(const std::string& path) const {
    core::TFileStream file(path, core::fmCreate);
    SaveToCompressedStream(file);
}

TbsSkinListItem* TbsCompressedSkinList::Item(int index) {
    if (index < 0 || index >= Count()) return nullptr;
    return skins_[static_cast<size_t>(index)].get();
}

TbsSkinListItem& TbsCompressedSkinList::Add() {
    skins_.push_back(std::make_unique<TbsSkinListItem>(Count()));
    return *skins_.back();
}

}  // namespace skin
