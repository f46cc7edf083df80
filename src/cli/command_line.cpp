#include "command_line.h"

#include <stdexcept>

namespace cli {

const char* const kUsage =
    "Usage:\n"
    "  tembrin-ico-cli export --size 64|32|16 INPUT OUTPUT\n"
    "      Opens INPUT (bmp, ico, gif, jpg/jpeg, wmf, emf: chosen by its extension), renders it\n"
    "      at the size given, and writes a 32 x 32, 16-colour icon whose transparent colour is\n"
    "      the bottom-left pixel. \".ico\" is appended to OUTPUT unless it ends in \".ico\".\n"
    "  tembrin-ico-cli render INPUT OUTPUT.bmp [--size WxH]\n"
    "      Draws INPUT into a new white 24-bit bitmap, at its own size or stretched to W x H\n"
    "      (an icon keeps its own size at the top-left), and saves it as BMP.\n"
    "  tembrin-ico-cli --help\n";

namespace {

int ParsePositive(const std::string& text, const char* what) {
    size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size() || value <= 0 || value > 32767)
        throw std::invalid_argument(std::string("bad ") + what + ": " + text);
    return value;
}

}  // namespace

Command ParseCommandLine(const std::vector<std::string>& arguments) {
    Command command;
    if (arguments.empty() || arguments[0] == "--help" || arguments[0] == "-h") return command;
    const std::string& verb = arguments[0];
    if (verb == "export")
        command.kind = Command::Kind::Export;
    else if (verb == "render")
        command.kind = Command::Kind::Render;
    else
        throw std::invalid_argument("unknown command: " + verb);

    std::vector<std::string> files;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") return Command{};
        if (argument != "--size") {
            files.push_back(argument);
            continue;
        }
        if (++i == arguments.size()) throw std::invalid_argument("--size needs a value");
        const std::string& value = arguments[i];
        if (command.kind == Command::Kind::Export) {
            command.size = ParsePositive(value, "size");
            if (command.size != 64 && command.size != 32 && command.size != 16)
                throw std::invalid_argument("the export size is 64, 32 or 16");
        } else {
            size_t x = value.find_first_of("xX");
            if (x == std::string::npos) throw std::invalid_argument("--size takes WxH");
            command.width = ParsePositive(value.substr(0, x), "width");
            command.height = ParsePositive(value.substr(x + 1), "height");
        }
    }
    if (files.size() != 2) throw std::invalid_argument("expected INPUT and OUTPUT");
    command.input = files[0];
    command.output = files[1];
    return command;
}

}  // namespace cli
