#pragma once
// The command-line tool's arguments.
#include <optional>
#include <string>
#include <vector>

namespace cli {

struct Command {
    enum class Kind { Help, Export, Render } kind = Kind::Help;
    std::string input;
    std::string output;
    int size = 32;                 // export: 64, 32 or 16
    std::optional<int> width;      // render: --size WxH
    std::optional<int> height;
};

// Raises std::invalid_argument with a one-line reason for a bad command line.
Command ParseCommandLine(const std::vector<std::string>& arguments);
extern const char* const kUsage;

}  // namespace cli
