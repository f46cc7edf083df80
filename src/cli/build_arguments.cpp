// The build command's options: sizes, PNG threshold, palette depth, filter, key colour and the
// inputs with either one output file or an output folder.
#include <algorithm>
#include <sstream>
#include <stdexcept>

#include "command_line.h"

namespace cli {
namespace {

int ParseInt(const std::string& text, const std::string& what, int low, int high) {
    size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (text.empty() || used != text.size() || value < low || value > high)
        throw std::invalid_argument("bad " + what + ": " + text + " (" + std::to_string(low) +
                                    ".." + std::to_string(high) + ")");
    return value;
}

std::vector<int> ParseSizes(const std::string& list) {
    std::vector<int> sizes;
    std::stringstream items(list);
    std::string item;
    while (std::getline(items, item, ','))
        if (!item.empty()) sizes.push_back(ParseInt(item, "size", 1, 256));
    if (sizes.empty()) throw std::invalid_argument("--sizes needs at least one size");
    std::sort(sizes.begin(), sizes.end());
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    return sizes;
}

iconc::Filter ParseFilter(const std::string& name) {
    if (name == "box") return iconc::Filter::Box;
    if (name == "lanczos") return iconc::Filter::Lanczos;
    if (name == "nearest") return iconc::Filter::Nearest;
    throw std::invalid_argument("bad filter: " + name + " (box, lanczos or nearest)");
}

iconc::KeyColour ParseKey(const std::string& text) {
    iconc::KeyColour key;
    if (text == "corner") {
        key.corner = true;
        return key;
    }
    bool hex =
        text.size() == 6 && text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
    if (!hex) throw std::invalid_argument("bad key colour: " + text + " (corner or RRGGBB)");
    key.rgb = uint32_t(std::stoul(text, nullptr, 16));
    return key;
}

// Applies one option that takes a value; false when `name` is no such option.
bool ApplyOption(const std::string& name, const std::string& value, Command& command) {
    iconc::BuildOptions& build = command.build;
    if (name == "--sizes")
        build.sizes = ParseSizes(value);
    else if (name == "--png-from")
        build.pngFrom = ParseInt(value, "--png-from", 0, 256);
    else if (name == "--depth") {
        build.depth = ParseInt(value, "depth", 1, 32);
        if (build.depth != 32 && build.depth != 8 && build.depth != 4 && build.depth != 1)
            throw std::invalid_argument("the depth is 32, 8, 4 or 1");
    } else if (name == "--filter")
        build.filter = ParseFilter(value);
    else if (name == "--key-colour")
        command.key = ParseKey(value);
    else if (name == "-o")
        command.outputFolder = value;
    else
        return false;
    return true;
}

}  // namespace

void ParseBuildArguments(const std::vector<std::string>& arguments, Command& command) {
    std::vector<std::string> files;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.size() < 2 || argument[0] != '-') {
            files.push_back(argument);
            continue;
        }
        if (i + 1 == arguments.size()) throw std::invalid_argument(argument + " needs a value");
        if (!ApplyOption(argument, arguments[i + 1], command))
            throw std::invalid_argument("unknown option: " + argument);
        ++i;
    }
    if (command.outputFolder) {
        if (files.empty()) throw std::invalid_argument("expected at least one INPUT");
        command.inputs = files;
        return;
    }
    if (files.size() != 2)
        throw std::invalid_argument("expected INPUT and OUTPUT.ico (or INPUT... -o DIR)");
    command.input = files[0];
    command.output = files[1];
}

}  // namespace cli
