#include "icon_commands.h"

#include <cstdio>
#include <filesystem>

#include "core/exceptions.h"
#include "core/file_replace.h"
#include "core/stream.h"
#include "iconc/icon_check.h"
#include "iconc/icon_entry.h"
#include "iconc/png_file.h"
#include "iconc/preview_sheet.h"

namespace cli {
namespace {

std::vector<uint8_t> ReadWholeFile(const std::string& fileName) {
    core::TMemoryStream file;
    file.LoadFromFile(fileName);
    return file.Bytes();
}

void PrintError(const std::string& fileName, const std::string& message) {
    std::fprintf(stderr, "%s\n", ErrorNaming(fileName, message).c_str());
}

struct SoundEntry {
    size_t index;
    iconc::DecodedEntry entry;
};

// The entries that passed the check, decoded; the problems are printed.
std::vector<SoundEntry> SoundEntries(const std::vector<uint8_t>& bytes, const std::string& fileName,
                                     bool& damaged) {
    iconc::IconReport report = iconc::CheckIcon(bytes.data(), bytes.size());
    if (!report.isIcon) throw iconc::EIconError(fileName + ": not an icon file");
    for (const std::string& problem : report.problems) PrintError(fileName, problem);
    damaged = !report.problems.empty();
    std::vector<SoundEntry> entries;
    for (size_t i = 0; i < report.records.size(); ++i)
        if (report.sound[i])
            entries.push_back(
                {i, iconc::DecodeEntry(bytes.data(), bytes.size(), report.records[i], int(i))});
    return entries;
}

std::string EntryFileName(const std::string& input, const SoundEntry& sound) {
    const iconc::RgbaImage& picture = sound.entry.colour;
    return std::filesystem::path(input).stem().string() + "_" + std::to_string(sound.index) + "_" +
           std::to_string(picture.width) + "x" + std::to_string(picture.height) + "_" +
           std::to_string(sound.entry.bits) + ".png";
}

}  // namespace

std::string ErrorNaming(const std::string& fileName, const std::string& message) {
    if (message.compare(0, fileName.size() + 1, fileName + ":") == 0) return message;
    return fileName + ": " + message;
}

void BuildOne(const Command& command, const std::string& input, const std::string& output) {
    iconc::RgbaImage source = iconc::LoadSourcePicture(input, command.key);
    core::WriteFileReplacing(output, iconc::BuildIcon(source, command.build));
}

int RunBuild(const Command& command) {
    try {
        BuildOne(command, command.input, command.output);
    } catch (const std::exception& e) {  // the program's errors, and running out of memory
        PrintError(command.input, e.what());
        return 1;
    }
    std::printf("%s\n", command.output.c_str());
    return 0;
}

int RunInfo(const Command& command) {
    std::vector<uint8_t> bytes;
    try {
        bytes = ReadWholeFile(command.input);
    } catch (const std::exception& e) {  // the program's errors, and running out of memory
        PrintError(command.input, e.what());
        return 2;
    }
    iconc::IconReport report = iconc::CheckIcon(bytes.data(), bytes.size());
    if (!report.isIcon) {
        PrintError(command.input, "not an icon file");
        return 2;
    }
    std::printf("%s: %zu entries\n", command.input.c_str(), report.records.size());
    for (size_t i = 0; i < report.records.size(); ++i)
        std::printf("%s\n", iconc::DescribeRecord(report, i).c_str());
    for (const std::string& problem : report.problems)
        std::printf("%s: %s\n", command.input.c_str(), problem.c_str());
    if (report.problems.empty()) {
        std::printf("%s: valid\n", command.input.c_str());
        return 0;
    }
    std::printf("%s: %zu problem%s\n", command.input.c_str(), report.problems.size(),
                report.problems.size() == 1 ? "" : "s");
    return 1;
}

int RunExtract(const Command& command) {
    bool damaged = false;
    try {
        std::vector<SoundEntry> entries =
            SoundEntries(ReadWholeFile(command.input), command.input, damaged);
        std::filesystem::create_directories(command.output);
        for (const SoundEntry& sound : entries) {
            std::string path =
                (std::filesystem::path(command.output) / EntryFileName(command.input, sound))
                    .string();
            core::WriteFileReplacing(path, iconc::EncodePng(iconc::VisiblePicture(sound.entry)));
            std::printf("%s\n", path.c_str());
        }
    } catch (const std::filesystem::filesystem_error& e) {
        PrintError(command.output, e.code().message());
        return 1;
    } catch (const std::exception& e) {
        PrintError(command.input, e.what());
        return 1;
    }
    return damaged ? 1 : 0;
}

int RunPreview(const Command& command) {
    try {
        bool damaged = false;
        std::vector<SoundEntry> sound =
            SoundEntries(ReadWholeFile(command.input), command.input, damaged);
        if (damaged) throw iconc::EIconError("the icon is damaged; no preview written");
        std::vector<iconc::DecodedEntry> entries;
        entries.reserve(sound.size());
        for (SoundEntry& s : sound) entries.push_back(std::move(s.entry));
        core::WriteFileReplacing(command.output,
                                 iconc::EncodePng(iconc::RenderPreviewSheet(entries)));
    } catch (const std::exception& e) {  // the program's errors, and running out of memory
        PrintError(command.input, e.what());
        return 1;
    }
    std::printf("%s\n", command.output.c_str());
    return 0;
}

}  // namespace cli
