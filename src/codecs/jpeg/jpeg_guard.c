#include "codecs/jpeg/jpeg_guard.h"

#include <stdlib.h>

static void ErrorExit(j_common_ptr cinfo) {
    struct JpegErrorManager* err = (struct JpegErrorManager*)cinfo->err;
    /* The error exit must never return into the library; with no call in progress there is
     * nowhere safe to go. Every library call is made through JpegGuardedCall, so this is a
     * programming error, not an input error. */
    if (!err->armed) abort();
    err->armed = 0;
    longjmp(err->jump, 1);
}

static void EmitMessage(j_common_ptr cinfo, int level) {
    (void)cinfo;
    (void)level;
}

static void OutputMessage(j_common_ptr cinfo) {
    (void)cinfo;
}

static void FormatMessage(j_common_ptr cinfo, char* buffer) {
    (void)cinfo;
    if (buffer) buffer[0] = '\0';
}

static void ResetErrorManager(j_common_ptr cinfo) {
    cinfo->err->num_warnings = 0;
    cinfo->err->msg_code = 0;
}

struct jpeg_error_mgr* JpegErrorInit(struct JpegErrorManager* err) {
    jpeg_std_error(&err->pub);
    err->pub.error_exit = ErrorExit;
    err->pub.emit_message = EmitMessage;
    err->pub.output_message = OutputMessage;
    err->pub.format_message = FormatMessage;
    err->pub.reset_error_mgr = ResetErrorManager;
    err->armed = 0;
    return &err->pub;
}

int JpegGuardedCall(struct JpegErrorManager* err, void (*fn)(void* arg), void* arg) {
    if (setjmp(err->jump)) return 1;
    err->armed = 1;
    fn(arg);
    err->armed = 0;
    return 0;
}
