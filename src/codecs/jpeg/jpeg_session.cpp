#include "codecs/jpeg/jpeg_session.h"

#include <utility>

#include "codecs/jpeg/jpeg_error.h"

namespace codecs {

JpegSession::JpegSession() {
    JpegErrorInit(&error_);
}

void JpegSession::LeaveLibrary(j_common_ptr cinfo) {
    (*cinfo->err->error_exit)(cinfo);
    // The error exit never returns; should it ever, stopping is the only safe course.
    std::terminate();
}

void JpegSession::Run(void (*step)(void* self)) {
    // After an error the library's state is undefined; only destroying it is allowed.
    if (failed_) throw EJPEG(error_.pub.msg_code);
    if (JpegGuardedCall(&error_, step, this) != 0) RaiseFailure();
}

void JpegSession::RunQuietly(void (*step)(void* self)) noexcept {
    JpegGuardedCall(&error_, step, this);
}

void JpegSession::RaiseFailure() {
    failed_ = true;
    if (deferred_) std::rethrow_exception(std::exchange(deferred_, nullptr));
    throw EJPEG(error_.pub.msg_code);
}

}  // namespace codecs
