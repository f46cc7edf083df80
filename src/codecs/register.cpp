#include "codecs/register.h"

#include "codecs/gif/gif_image.h"
#include "codecs/jpeg/jpeg_image.h"
#include "graphics/metafile.h"

namespace codecs {

namespace {
bool oleRegistered = false;
bool registered = false;
}  // namespace

void RegisterPictureFormats() {
    if (registered) return;
    registered = true;
    if (!oleRegistered) {
        oleRegistered = true;
        graphics::RegisterOleGraphic();
    }
    RegisterCodecs();
}

void UnregisterPictureFormats() {
    if (!registered) return;
    registered = false;
    UnregisterCodecs();
}

void RegisterCodecs() {
    gif::RegisterGIFImage();
    RegisterJPEGImage();  // after the GIF picture
}

void UnregisterCodecs() {
    UnregisterJPEGImage();
    gif::UnregisterGIFImage();
}

}  // namespace codecs
