#include "app/window/command_args.h"

#include <cstdio>
#include <stdexcept>

#include "tembrin_version.h"

namespace app {

const char* const kProgramUsage =
    "Usage: tembrin-ico [PICTURE]\n"
    "  Opens the window; PICTURE (bmp, ico, gif, jpg/jpeg, wmf, emf) is shown in the views.\n"
    "  tembrin-ico --version   prints the version\n"
    "  tembrin-ico --help      prints this text\n";

CommandArgs ParseCommandArgs(const std::vector<std::string>& arguments) {
    CommandArgs args;
    bool options = true;
    for (const std::string& argument : arguments) {
        if (options && argument == "--") {
            options = false;
        } else if (options && argument == "--version") {
            args.action = CommandArgs::Action::Version;
            return args;
        } else if (options && (argument == "--help" || argument == "-h")) {
            args.action = CommandArgs::Action::Help;
            return args;
        } else if (options && argument.size() > 1 && argument[0] == '-') {
            throw std::invalid_argument("unknown option: " + argument);
        } else if (args.fileName.empty() && !argument.empty()) {
            args.fileName = argument;
        }
    }
    return args;
}

std::optional<int> ReadCommandArgs(int argc, char** argv, CommandArgs& args) {
    try {
        args = ParseCommandArgs(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument& error) {
        std::fprintf(stderr, "tembrin-ico: %s\n%s", error.what(), kProgramUsage);
        return 2;
    }
    switch (args.action) {
        case CommandArgs::Action::Version:
            std::printf("tembrin-ico %s\n", TEMBRIN_VERSION);
            return 0;
        case CommandArgs::Action::Help:
            std::fputs(kProgramUsage, stdout);
            return 0;
        case CommandArgs::Action::Run:
            break;
    }
    return std::nullopt;
}

}  // namespace app
