#pragma once
/* The one place where the JPEG library's errors cross into the program.
 *
 * The library reports a fatal error by calling its error-exit handler, which must not return.
 * Throwing a C++ exception from that handler would unwind through the library's C frames,
 * which are built without unwind tables for cleanup (no -fexceptions), so the library's own
 * state and any C++ frame in between would be skipped unpredictably. Instead the handler
 * long-jumps back to this C trampoline, which sits directly around the library call. Between
 * the setjmp here and the library's longjmp there are only C frames and callbacks that hold
 * no objects with destructors at the moment they leave, so nothing is skipped. The trampoline
 * returns a status, and the C++ caller turns it into an exception after the jump has landed.
 * Written in C so that no C++ object can ever live in the frame that owns the jump buffer. */
#include <setjmp.h>
#include <stddef.h>
#include <stdio.h>

#include <jpeglib.h>

#ifdef __cplusplus
extern "C" {
#endif

struct JpegErrorManager {
    struct jpeg_error_mgr pub;
    jmp_buf jump;
    int armed; /* a guarded call is running, so the jump target is valid */
};

/* Installs the handlers: error exit jumps to the running guarded call; message emit, output
 * and format do nothing (warnings are ignored); reset clears the warning count and code. */
struct jpeg_error_mgr* JpegErrorInit(struct JpegErrorManager* err);

/* Runs fn(arg). Returns 0 when it returned normally, 1 when the library's error exit was
 * taken (the message code is then in err->pub.msg_code). */
int JpegGuardedCall(struct JpegErrorManager* err, void (*fn)(void* arg), void* arg);

#ifdef __cplusplus
}
#endif
