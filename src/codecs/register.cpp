#include "codecs/register.h"

#include "codecs/gif/gif_image.h"

namespace codecs {

void RegisterCodecs() {
    gif::RegisterGIFImage();
    // The JPEG picture registers here, after the GIF picture.
}

void UnregisterCodecs() { gif::UnregisterGIFImage(); }

}  // namespace codecs
