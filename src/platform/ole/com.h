#pragma once
// COM initialisation, counted per thread as on Windows: the first CoInitialize on a thread
// answers S_OK, later ones S_FALSE, and each must be matched by a CoUninitialize.
#include "platform/ole/oletypes.h"

namespace platform {

HRESULT CoInitialize(void* reserved);
void CoUninitialize();

// Platform-private: whether the calling thread has initialised COM (its count is above 0).
// Automation objects that need COM, such as the hosted browser, check this.
bool IsComInitialized();

}  // namespace platform
