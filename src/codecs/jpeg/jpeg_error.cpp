#include "codecs/jpeg/jpeg_error.h"

#include "codecs/jpeg/jpeg_strings.h"

namespace codecs {

EJPEG::EJPEG(int messageCode)
    : core::EInvalidGraphic(strings::sJPEGError, {messageCode}), messageCode_(messageCode) {}

}  // namespace codecs
