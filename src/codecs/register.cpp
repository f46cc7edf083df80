#include "codecs/register.h"

#include "codecs/gif/gif_image.h"
#include "codecs/jpeg/jpeg_image.h"

namespace codecs {

void RegisterCodecs() {
    gif::RegisterGIFImage();
    RegisterJPEGImage();  // after the GIF picture
}

void UnregisterCodecs() {
    UnregisterJPEGImage();
    gif::UnregisterGIFImage();
}

}  // namespace codecs
