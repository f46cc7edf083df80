// The enhanced-metafile handle and the metafile functions of the drawing services.
#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>

#include "platform/gdi/gdi.h"
#include "platform/gdi/gdi_object.h"
#include "platform/gdi/metafile/emf_document.h"
#include "platform/gdi/metafile/player.h"
#include "platform/gdi/metafile/wmf_converter.h"

namespace platform {

namespace {

class EnhMetafileObject final : public GdiObject {
  public:
    static constexpr DWORD kObjectType = OBJ_ENHMETAFILE;
    explicit EnhMetafileObject(metafile::EmfDocument doc)
        : GdiObject(kObjectType), doc_(std::move(doc)) {}
    const metafile::EmfDocument& Document() const { return doc_; }

  private:
    metafile::EmfDocument doc_;
};

HENHMETAFILE Register(std::optional<metafile::EmfDocument> doc) {
    if (!doc) return nullptr;
    return RegisterObject<HENHMETAFILE>(std::make_unique<EnhMetafileObject>(std::move(*doc)));
}

}  // namespace

HENHMETAFILE SetEnhMetaFileBits(UINT byteCount, const BYTE* data) {
    if (!data || byteCount == 0) return nullptr;
    return Register(metafile::EmfDocument::Parse(std::vector<uint8_t>(data, data + byteCount)));
}

// The reference context is not consulted: pictures are converted for the screen.
HENHMETAFILE SetWinMetaFileBits(UINT byteCount, const BYTE* data, HDC referenceDc,
                                const METAFILEPICT* picture) {
    (void)referenceDc;
    if (!data || byteCount == 0) return nullptr;
    metafile::WmfPictureSize size;
    if (picture) size = {picture->mm, picture->xExt, picture->yExt};
    auto emf = metafile::ConvertWmfToEmf(std::span<const uint8_t>(data, byteCount),
                                         picture ? &size : nullptr);
    if (!emf) return nullptr;
    return Register(metafile::EmfDocument::Parse(std::move(*emf)));
}

UINT GetEnhMetaFileHeader(HENHMETAFILE metafile, UINT size, ENHMETAHEADER* header) {
    auto* object = ResolveObject<EnhMetafileObject>(metafile);
    if (!object) return 0;
    const auto& doc = object->Document();
    UINT available = std::min<UINT>(doc.HeaderSize(), sizeof(ENHMETAHEADER));
    if (!header) return available;
    UINT count = std::min(size, available);
    std::memcpy(header, doc.Bytes().data(), count);
    return count;
}

UINT GetEnhMetaFileBits(HENHMETAFILE metafile, UINT size, BYTE* data) {
    auto* object = ResolveObject<EnhMetafileObject>(metafile);
    if (!object) return 0;
    const auto& bytes = object->Document().Bytes();
    if (!data) return static_cast<UINT>(bytes.size());
    UINT count = std::min<UINT>(size, static_cast<UINT>(bytes.size()));
    std::memcpy(data, bytes.data(), count);
    return count;
}

BOOL PlayEnhMetaFile(HDC dc, HENHMETAFILE metafile, const RECT* rect) {
    auto* object = ResolveObject<EnhMetafileObject>(metafile);
    if (!object || !rect || GetObjectType(dc) == 0) return FALSE;
    // The rectangle is in the target's logical units; the player works in its pixels.
    POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    if (!LPtoDP(dc, corners, 2)) return FALSE;
    RECT device{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    metafile::EmfPlayer player(dc, object->Document(), device);
    player.Play();
    return TRUE;
}

BOOL DeleteEnhMetaFile(HENHMETAFILE metafile) {
    if (!ResolveObject<EnhMetafileObject>(metafile)) return FALSE;
    return DestroyObject(metafile) ? TRUE : FALSE;
}

// With a file name the copy is also written to that file; the handle returned is always an
// in-memory copy.
HENHMETAFILE CopyEnhMetaFile(HENHMETAFILE metafile, const char* fileName) {
    auto* object = ResolveObject<EnhMetafileObject>(metafile);
    if (!object) return nullptr;
    const auto& bytes = object->Document().Bytes();
    if (fileName) {
        std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) return nullptr;
    }
    return Register(metafile::EmfDocument::Parse(bytes));
}

}  // namespace platform
