#include "core/exceptions.h"

#include <cstring>

#include "core/resource_strings.h"

namespace core {

EAbort::EAbort() : Exception(strings::SOperationAborted) {}

std::string SysErrorMessage(int code) {
    if (code == 0) return {};
    char buffer[256];
    // The GNU variant may return a static string instead of filling the buffer.
    const char* text = strerror_r(code, buffer, sizeof buffer);
    return text ? std::string(text) : std::string();
}

void RaiseLastOSError(int code) {
    if (code == 0) throw EOSError(0, strings::SUnkOSError);
    throw EOSError(code, Format(strings::SOSError, {code, SysErrorMessage(code)}));
}

}  // namespace core
