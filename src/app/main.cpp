// tembrin-ico: turns a picture into a Windows icon file.
#include <cstdio>
#include <memory>

#include "app/window/startup.h"
#include "core/exceptions.h"
#include "platform/host/sdl/sdl_host.h"
#include "platform/user/user.h"

int main() {
    try {
        platform::SetHost(std::make_unique<platform::SdlHost>());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tembrin-ico: no display: %s\n", error.what());
        return 1;
    }
    int code = app::RunProgram();
    platform::ResetWindowServices();
    return code;
}
