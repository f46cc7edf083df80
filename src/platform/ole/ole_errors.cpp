#include "platform/ole/ole_errors.h"

#include "core/format.h"
#include "platform/ole/resource_strings.h"

namespace platform {

std::string OleErrorMessage(HRESULT code) {
    switch (code) {
        case DISP_E_UNKNOWNNAME:
            return strings::SUnknownName;
        case DISP_E_MEMBERNOTFOUND:
            return strings::SMemberNotFound;
        case DISP_E_TYPEMISMATCH:
            return strings::STypeMismatch;
        case DISP_E_BADPARAMCOUNT:
            return strings::SBadParamCount;
        case DISP_E_PARAMNOTFOUND:
            return strings::SParamNotFound;
        case DISP_E_NONAMEDARGS:
            return strings::SNoNamedArgs;
        case DISP_E_BADVARTYPE:
            return strings::SBadVarType;
        case E_FAIL:
            return strings::SUnspecified;
        case E_NOTIMPL:
            return strings::SNotImplemented;
        case E_INVALIDARG:
            return strings::SInvalidArg;
        case E_OUTOFMEMORY:
            return strings::SOutOfMemory;
        case CO_E_NOTINITIALIZED:
            return strings::SNotInitialized;
        case RPC_E_DISCONNECTED:
            return strings::SDisconnected;
        case INET_E_RESOURCE_NOT_FOUND:
            return strings::SResourceNotFound;
        default:
            return core::Format(strings::SOleErrorCode, {static_cast<uint32_t>(code)});
    }
}

HRESULT OleCheck(HRESULT result) {
    if (FAILED(result)) throw EOleSysError(OleErrorMessage(result), result);
    return result;
}

}  // namespace platform
