#pragma once
// The exception for failures reported by the JPEG library.
#include "core/exceptions.h"

namespace codecs {

// "JPEG error #%d" with the library's message code (53: not a JPEG file, 42: empty input).
class EJPEG : public core::EInvalidGraphic {
  public:
    explicit EJPEG(int messageCode);
    int MessageCode() const { return messageCode_; }
    const char* ClassName() const override { return "EJPEG"; }

  private:
    int messageCode_;
};

}  // namespace codecs
