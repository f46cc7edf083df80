#pragma once
// What the window program was asked for on its command line: its version, its usage, or a
// picture to open once the window is up.
#include <optional>
#include <string>
#include <vector>

namespace app {

struct CommandArgs {
    enum class Action { Run, Version, Help } action = Action::Run;
    std::string fileName;  // empty: start with empty views
};

// Reads the arguments after the program's name. Several file names: the first counts (a
// file manager may pass more than one). "--" ends the options. Raises std::invalid_argument
// with a one-line reason for an unknown option.
CommandArgs ParseCommandArgs(const std::vector<std::string>& arguments);

extern const char* const kProgramUsage;

// The program's side of the command line: parses it into `args`, and answers --version and
// --help (on standard output) or a bad option (on standard error, with the usage). Returns
// the exit code when the program ends there, before any window opens.
std::optional<int> ReadCommandArgs(int argc, char** argv, CommandArgs& args);

}  // namespace app
