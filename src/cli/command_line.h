#pragma once
// The command-line tool's arguments.
#include <optional>
#include <string>
#include <vector>

#include "iconc/icon_builder.h"
#include "iconc/source_picture.h"

namespace cli {

struct Command {
    enum class Kind {
        Help,
        Version,
        Export,
        Render,
        Build,
        Info,
        Extract,
        Preview
    } kind = Kind::Help;
    std::string input;
    std::string output;
    int size = 32;             // export: 64, 32 or 16
    std::optional<int> width;  // render: --size WxH
    std::optional<int> height;
    // build
    std::vector<std::string> inputs;
    std::optional<std::string> outputFolder;  // -o DIR
    iconc::BuildOptions build;
    iconc::KeyColour key;
};

// Raises std::invalid_argument with a one-line reason for a bad command line.
Command ParseCommandLine(const std::vector<std::string>& arguments);
extern const char* const kUsage;

// The build command's options and files (arguments after the verb).
void ParseBuildArguments(const std::vector<std::string>& arguments, Command& command);

}  // namespace cli
