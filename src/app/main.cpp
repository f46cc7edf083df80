// tembrin-ico: turns a picture into a Windows icon file.
#include <cstdio>
#include <memory>
#include <optional>

#include <SDL2/SDL_hints.h>

#include "app/window/command_args.h"
#include "app/window/startup.h"
#include "core/exceptions.h"
#include "platform/host/sdl/sdl_host.h"
#include "platform/user/user.h"

int main(int argc, char** argv) {
    app::CommandArgs args;
    if (std::optional<int> done = app::ReadCommandArgs(argc, argv, args)) return *done;
    // Interrupt and terminate signals end the program as usual instead of becoming an event
    // nobody asked for.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    try {
        platform::SetHost(std::make_unique<platform::SdlHost>());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tembrin-ico: no display: %s\n", error.what());
        return 1;
    }
    int code = app::RunProgram(args.fileName);
    platform::ResetWindowServices();
    return code;
}
