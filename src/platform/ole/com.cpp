#include "platform/ole/com.h"

namespace platform {

namespace {
thread_local int initCount = 0;
}

HRESULT CoInitialize(void* reserved) {
    if (reserved != nullptr) return E_INVALIDARG;
    return ++initCount == 1 ? S_OK : S_FALSE;
}

void CoUninitialize() {
    // An unmatched call does nothing, so the count can never go below zero.
    if (initCount > 0) --initCount;
}

bool IsComInitialized() {
    return initCount > 0;
}

}  // namespace platform
