#include "app/export/icon_export.h"

#include "core/file_replace.h"
#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"

namespace app {

using namespace graphics;

std::string IconFileName(const std::string& name) {
    static const std::string kExtension = ".ico";
    std::string tail = name.size() < kExtension.size() ? name : name.substr(name.size() - 4);
    return tail == kExtension ? name : name + kExtension;
}

std::unique_ptr<TIcon> BitmapToIcon(TBitmap& bitmap) {
    int width = platform::GetSystemMetrics(platform::SM_CXICON);
    int height = platform::GetSystemMetrics(platform::SM_CYICON);

    TBitmap working;
    working.SetWidth(width);
    working.SetHeight(height);
    working.Canvas().DrawGraphic(Rect(0, 0, width, height), &bitmap);
    working.SetMaskColor(static_cast<TColor>(bitmap.MaskColor()));
    uint32_t key = working.MaskColor() & 0x00FFFFFF;

    // The mask source shares the image taken before any pixel changes; the first write
    // below gives the working bitmap its own copy.
    TBitmap maskSource;
    maskSource.CopyFrom(&working);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (working.Canvas().ReadPixel(x, y) == key) working.Canvas().WritePixel(x, y, 0);

    platform::ICONINFO info{};
    info.fIcon = static_cast<platform::BOOL>(-1);
    info.hbmMask = maskSource.MaskBitmapHandle();
    info.hbmColor = working.BitmapHandle();
    auto icon = std::make_unique<TIcon>();
    icon->AdoptHandle(platform::CreateIconIndirect(&info));
    return icon;
}

std::string ExportIcon(TGraphic* source, int width, int height, const std::string& fileName) {
    std::string target = IconFileName(fileName);
    auto intermediate = std::make_unique<TBitmap>();
    intermediate->SetWidth(width);
    intermediate->SetHeight(height);
    TCanvas& canvas = intermediate->Canvas();
    // The picture is drawn once here, however it is shown elsewhere: a JPEG picture that has
    // not been decoded decodes only the rows this small bitmap takes.
    canvas.DrawGraphicOnce(canvas.ClipBounds(), source);
    std::unique_ptr<TIcon> icon = BitmapToIcon(*intermediate);
    intermediate.reset();

    // The whole file is made in memory first, so a failure leaves any old file as it was.
    core::TMemoryStream bytes;
    icon->SaveToStream(bytes);
    core::WriteFileReplacing(target, bytes.Bytes());
    return target;
}

}  // namespace app
