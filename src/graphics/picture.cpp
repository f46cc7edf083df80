#include "graphics/picture.h"

#include <algorithm>

#include "core/exceptions.h"
#include "core/utf8.h"
#include "graphics/bitmap.h"
#include "graphics/icon.h"
#include "graphics/metafile.h"
#include "graphics/resource_strings.h"

namespace graphics {

// --- the registries ---

TFileFormatsList::TFileFormatsList() {
    Add("wmf", "Metafiles", TMetafile::ClassType());
    Add("emf", "Enhanced Metafiles", TMetafile::ClassType());
    Add("ico", "Icons", TIcon::ClassType());
    Add("bmp", "Bitmaps", TBitmap::ClassType());
}

TFileFormatsList& TFileFormatsList::Instance() {
    static TFileFormatsList list;
    return list;
}

void TFileFormatsList::Add(const std::string& extension, const std::string& description,
                           const TGraphicClass& graphicClass) {
    std::lock_guard guard(lock_);
    formats_.push_back({&graphicClass, core::LowerCaseAscii(extension), description, 0});
}

void TFileFormatsList::Remove(const TGraphicClass& graphicClass) {
    std::lock_guard guard(lock_);
    std::erase_if(formats_,
                  [&](const TFileFormat& f) { return f.graphicClass->InheritsFrom(graphicClass); });
}

const TGraphicClass* TFileFormatsList::FindExt(const std::string& extension) const {
    std::string wanted = core::LowerCaseAscii(extension);
    std::lock_guard guard(lock_);
    for (auto it = formats_.rbegin(); it != formats_.rend(); ++it)
        if (it->extension == wanted) return it->graphicClass;
    return nullptr;
}

std::vector<TFileFormat> TFileFormatsList::Entries() const {
    std::lock_guard guard(lock_);
    return formats_;
}

TClipboardFormats::TClipboardFormats() {
    Add(3, TMetafile::ClassType());   // metafile picture
    Add(14, TMetafile::ClassType());  // enhanced metafile
    Add(2, TBitmap::ClassType());     // bitmap
}

TClipboardFormats& TClipboardFormats::Instance() {
    static TClipboardFormats formats;
    return formats;
}

void TClipboardFormats::Add(uint16_t format, const TGraphicClass& graphicClass) {
    std::lock_guard guard(lock_);
    formats_.emplace_back(format, &graphicClass);
}

void TClipboardFormats::Remove(const TGraphicClass& graphicClass) {
    std::lock_guard guard(lock_);
    std::erase_if(formats_, [&](const auto& f) { return f.second->InheritsFrom(graphicClass); });
}

const TGraphicClass* TClipboardFormats::FindFormat(uint16_t format) const {
    std::lock_guard guard(lock_);
    for (auto it = formats_.rbegin(); it != formats_.rend(); ++it)
        if (it->first == format) return it->second;
    return nullptr;
}

std::string PictureExtension(const std::string& fileName) {
    size_t separator = fileName.find_last_of("\\:/");
    size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) return {};
    return fileName.substr(dot + 1);
}

// --- TPicture ---

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::RegisterFileFormat(const std::string& extension, const std::string& description,
                                  const TGraphicClass& graphicClass) {
    TFileFormatsList::Instance().Add(extension, description, graphicClass);
}

void TPicture::RegisterClipboardFormat(uint16_t format, const TGraphicClass& graphicClass) {
    TClipboardFormats::Instance().Add(format, graphicClass);
}

void TPicture::UnregisterGraphicClass(const TGraphicClass& graphicClass) {
    TFileFormatsList::Instance().Remove(graphicClass);
    TClipboardFormats::Instance().Remove(graphicClass);
}

const TGraphicClass* TPicture::FindClassByExtension(const std::string& extension) {
    return TFileFormatsList::Instance().FindExt(extension);
}

void TPicture::Changed(core::TPersistent*) {
    if (onChange_) onChange_(this);
}

void TPicture::Progress(core::TPersistent* sender, TProgressStage stage, uint8_t percent,
                        bool redrawNow, const TRect& rect, const std::string& message) {
    if (onProgress_) onProgress_(sender, stage, percent, redrawNow, rect, message);
}

void TPicture::Hook(TGraphic& graphic) {
    graphic.SetOnChange([this](core::TPersistent* sender) { Changed(sender); });
    graphic.SetOnProgress([this](core::TPersistent* sender, TProgressStage stage, uint8_t percent,
                                 bool redraw, const TRect& rect, const std::string& message) {
        Progress(sender, stage, percent, redraw, rect, message);
    });
}

void TPicture::Install(std::unique_ptr<TGraphic> graphic) {
    graphic_ = std::move(graphic);
    if (graphic_) Hook(*graphic_);
    Changed(this);
}

void TPicture::LoadFile(const std::string& fileName) {
    std::string extension = PictureExtension(fileName);
    const TGraphicClass* graphicClass = FindClassByExtension(extension);
    if (!graphicClass) throw core::EInvalidGraphic(strings::SUnknownExtension, {extension});
    std::unique_ptr<TGraphic> graphic = graphicClass->Create();
    graphic->SetOnProgress([this](core::TPersistent* sender, TProgressStage stage, uint8_t percent,
                                  bool redraw, const TRect& rect, const std::string& message) {
        Progress(sender, stage, percent, redraw, rect, message);
    });
    graphic->LoadFile(fileName);
    Install(std::move(graphic));
}

void TPicture::SaveFile(const std::string& fileName) {
    if (graphic_) graphic_->SaveFile(fileName);
}

void TPicture::LoadFromStream(core::TStream& stream) {
    Bitmap().LoadFromStream(stream);
}

void TPicture::SaveToStream(core::TStream& stream) {
    Bitmap().SaveToStream(stream);
}

void TPicture::SetGraphic(TGraphic* value) {
    if (value == nullptr) {
        Install(nullptr);
        return;
    }
    std::unique_ptr<TGraphic> copy = value->GetClass().Create();
    copy->CopyFrom(value);
    Install(std::move(copy));
}

void TPicture::CopyFrom(const core::TPersistent* source) {
    if (source == nullptr) {
        SetGraphic(nullptr);
    } else if (auto* picture = dynamic_cast<const TPicture*>(source)) {
        SetGraphic(picture->graphic_.get());
    } else if (auto* graphic = dynamic_cast<const TGraphic*>(source)) {
        SetGraphic(const_cast<TGraphic*>(graphic));
    } else {
        core::TPersistent::CopyFrom(source);
    }
}

TGraphic& TPicture::ForceType(const TGraphicClass& graphicClass) {
    if (!graphic_ || !graphic_->GetClass().InheritsFrom(graphicClass)) {
        graphic_.reset();
        Install(graphicClass.Create());
    }
    return *graphic_;
}

TBitmap& TPicture::Bitmap() {
    return static_cast<TBitmap&>(ForceType(TBitmap::ClassType()));
}
TIcon& TPicture::Icon() {
    return static_cast<TIcon&>(ForceType(TIcon::ClassType()));
}
TMetafile& TPicture::Metafile() {
    return static_cast<TMetafile&>(ForceType(TMetafile::ClassType()));
}

int TPicture::Width() const {
    return graphic_ ? graphic_->Width() : 0;
}
int TPicture::Height() const {
    return graphic_ ? graphic_->Height() : 0;
}

}  // namespace graphics
