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
    "  tembrin-ico-cli build [options] INPUT OUTPUT.ico\n"
    "  tembrin-ico-cli build [options] INPUT... -o DIR\n"
    "      Makes one icon with several sizes from INPUT (png, bmp, ico, gif, jpg/jpeg, wmf, emf),\n"
    "      each size resampled from INPUT itself. With -o, writes DIR/NAME.ico for every INPUT,\n"
    "      several at once; a failing INPUT is reported and the others are still built.\n"
    "      --sizes LIST       sizes in pixels, 1..256 (default 16,24,32,48,64,128,256)\n"
    "      --png-from N       store sizes from N up as PNG (default 256; 0: never)\n"
    "      --depth 32|8|4|1   also write palette entries of that depth for old readers\n"
    "      --filter box|lanczos|nearest\n"
    "                         down-scaling filter (default lanczos); up-scaling repeats pixels\n"
    "      --key-colour corner|RRGGBB\n"
    "                         a picture without alpha is transparent where it has this colour\n"
    "                         (corner: the bottom-left pixel's)\n"
    "  tembrin-ico-cli info FILE.ico\n"
    "      Lists the entries and checks the file; exit code 1 when it has problems, 2 when it\n"
    "      is no icon at all.\n"
    "  tembrin-ico-cli extract FILE.ico DIR\n"
    "      Writes every entry as DIR/NAME_INDEX_WxH_BITS.png, with its transparency.\n"
    "  tembrin-ico-cli preview FILE.ico SHEET.png\n"
    "      Draws every entry at its own size over light, dark and checkered backgrounds.\n"
    "  tembrin-ico-cli --version\n"
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

bool AsksForHelp(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments)
        if (argument == "--help" || argument == "-h") return true;
    return false;
}

// info FILE, extract FILE DIR, preview FILE SHEET.
Command ParseInspection(Command::Kind kind, const std::vector<std::string>& arguments) {
    Command command;
    command.kind = kind;
    size_t expected = kind == Command::Kind::Info ? 2 : 3;
    if (arguments.size() != expected)
        throw std::invalid_argument(kind == Command::Kind::Info ? "expected FILE.ico"
                                    : kind == Command::Kind::Extract
                                        ? "expected FILE.ico and DIR"
                                        : "expected FILE.ico and SHEET.png");
    command.input = arguments[1];
    if (expected == 3) command.output = arguments[2];
    return command;
}

}  // namespace

Command ParseCommandLine(const std::vector<std::string>& arguments) {
    Command command;
    if (arguments.empty() || arguments[0] == "--help" || arguments[0] == "-h") return command;
    const std::string& verb = arguments[0];
    if (verb == "--version") {
        command.kind = Command::Kind::Version;
        return command;
    }
    if ((verb == "build" || verb == "info" || verb == "extract" || verb == "preview") &&
        AsksForHelp(arguments))
        return command;
    if (verb == "build") {
        command.kind = Command::Kind::Build;
        ParseBuildArguments({arguments.begin() + 1, arguments.end()}, command);
        return command;
    }
    if (verb == "info") return ParseInspection(Command::Kind::Info, arguments);
    if (verb == "extract") return ParseInspection(Command::Kind::Extract, arguments);
    if (verb == "preview") return ParseInspection(Command::Kind::Preview, arguments);
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
