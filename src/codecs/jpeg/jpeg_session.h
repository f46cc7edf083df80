#pragma once
// What the decompressor and the compressor share: the error manager, the guarded way of
// calling the library, and the hand-over of exceptions raised inside callbacks.
//
// Every library call runs inside the C trampoline (jpeg_guard.h). A library error jumps back
// to it and arrives here as a status, which becomes EJPEG. A callback of ours that catches an
// exception (a stream that fails, a progress handler that cancels) keeps it with Defer, leaves
// the library through its error exit, and the exception is rethrown once the jump has landed.
// No C++ exception ever unwinds through the library, and no jump ever skips a destructor.
#include <exception>

#include "codecs/jpeg/jpeg_guard.h"

namespace codecs {

class JpegSession {
  public:
    JpegSession(const JpegSession&) = delete;
    JpegSession& operator=(const JpegSession&) = delete;

    // The session that owns a library structure, for callbacks.
    static JpegSession& Of(j_common_ptr cinfo) {
        return *static_cast<JpegSession*>(cinfo->client_data);
    }
    // A callback that caught an exception keeps it here, then leaves the library.
    void Defer(std::exception_ptr error) noexcept { deferred_ = std::move(error); }
    // Leaves the library through its error exit, back to the running guarded call. Only call
    // this from a frame that holds no objects with destructors: the jump skips it.
    [[noreturn]] static void LeaveLibrary(j_common_ptr cinfo);

  protected:
    JpegSession();
    ~JpegSession() = default;

    // Runs one library step, step(this), through the trampoline; raises on failure.
    void Run(void (*step)(void* self));
    // Runs a step that may not fail loudly (releasing the library's memory).
    void RunQuietly(void (*step)(void* self)) noexcept;
    // Binds the library structure to this session once it is created.
    void Attach(j_common_ptr cinfo) { cinfo->client_data = this; }

    JpegErrorManager error_{};

  private:
    [[noreturn]] void RaiseFailure();

    std::exception_ptr deferred_;
    bool failed_ = false;
};

}  // namespace codecs
