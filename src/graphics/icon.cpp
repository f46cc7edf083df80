#include "graphics/icon.h"

#include <mutex>

#include "core/exceptions.h"
#include "graphics/canvas.h"
#include "graphics/resource_strings.h"
#include "platform/gdi/gdi.h"

namespace graphics {

using namespace platform;

TEMBRIN_DEFINE_GRAPHIC_CLASS(TIcon, TGraphic)

void TIconImage::FreeHandle() {
    if (handle_) DestroyIcon(handle_);
    handle_ = nullptr;
    fileImage_.reset();
}

TIcon::TIcon() : image_(new TIconImage) {
    image_->Reference();
    SetTransparentFlag(true);
}

TIcon::~TIcon() {
    image_->Release();
}

void TIcon::NewImage(HICON handle, std::unique_ptr<core::TMemoryStream> fileImage) {
    auto* image = new TIconImage;
    image->handle_ = handle;
    image->fileImage_ = std::move(fileImage);
    image->Reference();
    std::swap(image, image_);
    image->Release();
}

void TIcon::CopyFrom(const core::TPersistent* source) {
    if (source == nullptr) {
        NewImage(nullptr, nullptr);
        NotifyChange();
        return;
    }
    auto* other = dynamic_cast<const TIcon*>(source);
    if (!other) {
        TGraphic::CopyFrom(source);
        return;
    }
    if (other == this) return;
    other->image_->Reference();
    image_->Release();
    image_ = other->image_;
    NotifyChange();
}

void TIcon::AdoptHandle(HICON handle) {
    NewImage(handle, nullptr);
    NotifyChange();
}

HICON TIcon::IconHandle() {
    EnsureHandle();
    return image_->handle_;
}

void TIcon::DrawInto(TCanvas& canvas, const TRect& rect) {
    HDC dc = canvas.Handle();
    DrawIconEx(dc, rect.left, rect.top, IconHandle(), 0, 0, 0, nullptr, DI_NORMAL);
}

bool TIcon::IsEmpty() const {
    return !image_->handle_ && !image_->fileImage_;
}

int TIcon::Height() const {
    int height = image_->size_.y;
    return height ? height : GetSystemMetrics(SM_CYICON);
}

int TIcon::Width() const {
    int width = image_->size_.x;
    return width ? width : GetSystemMetrics(SM_CXICON);
}

void TIcon::SetHeight(int value) {
    if (image_->handle_) throw core::EInvalidGraphicOperation(strings::SChangeIconSize);
    requestedSize_.y = value;
}

void TIcon::SetWidth(int value) {
    if (image_->handle_) throw core::EInvalidGraphicOperation(strings::SChangeIconSize);
    requestedSize_.x = value;
}

void TIcon::SaveToStream(core::TStream& stream) {
    EnsureFileImage();
    const auto& bytes = image_->fileImage_->Bytes();
    stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

void TIcon::EnsureFileImage() {
    if (image_->fileImage_) return;
    if (!image_->handle_) throw core::EInvalidGraphic(strings::SInvalidIcon);
    auto file = std::make_unique<core::TMemoryStream>();
    if (image_->handle_ == LoadIcon(nullptr, IDI_APPLICATION)) {
        const uint8_t emptyHeader[6] = {};
        file->WriteBuffer(emptyHeader, sizeof emptyHeader);
    } else {
        EncodeIcon(*file, image_->handle_);
    }
    image_->fileImage_ = std::move(file);
}

void TIcon::LoadClipboard(uint16_t, uintptr_t, HPALETTE) {
    throw core::EInvalidGraphicOperation(strings::SIconToClipboard);
}

void TIcon::SaveClipboard(uint16_t&, uintptr_t&, HPALETTE&) {
    throw core::EInvalidGraphicOperation(strings::SIconToClipboard);
}

}  // namespace graphics
