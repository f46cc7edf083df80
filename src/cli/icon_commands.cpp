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

// The file's entries, decoded; raises the first entry's problem.
std::vector<iconc::DecodedEntry> DecodeAll(const std::vector<uint8_t>& bytes,
                                           const std::string& fileName) {
    if (!iconc::IconEntryCount(bytes.data(), bytes.size()))
        throw iconc::EIconError(fileName + ": not an icon file");
    std::vector<iconc::DirectoryRecord> records = iconc::ReadDirectory(bytes.data(), bytes.size());
    if (records.empty()) throw iconc::EIconError(fileName + ": the icon has no entries");
    std::vector<iconc::DecodedEntry> entries;
    for (size_t i = 0; i < records.size(); ++i)
        entries.push_back(iconc::DecodeEntry(bytes.data(), bytes.size(), records[i], int(i)));
    return entries;
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
    } catch (const core::Exception& e) {
        PrintError(command.input, e.Message());
        return 1;
    }
    std::printf("%s\n", command.output.c_str());
    return 0;
}

int RunInfo(const Command& command) {
    std::vector<uint8_t> bytes;
    try {
        bytes = ReadWholeFile(command.input);
    } catch (const core::Exception& e) {
        PrintError(command.input, e.Message());
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
    int status = 0;
    try {
        std::vector<uint8_t> bytes = ReadWholeFile(command.input);
        if (!iconc::IconEntryCount(bytes.data(), bytes.size()))
            throw iconc::EIconError("not an icon file");
        std::filesystem::create_directories(command.output);
        std::string stem = std::filesystem::path(command.input).stem().string();
        auto records = iconc::ReadDirectory(bytes.data(), bytes.size());
        for (size_t i = 0; i < records.size(); ++i) {
            try {
                auto entry = iconc::DecodeEntry(bytes.data(), bytes.size(), records[i], int(i));
                std::string name = stem + "_" + std::to_string(i) + "_" +
                                   std::to_string(entry.colour.width) + "x" +
                                   std::to_string(entry.colour.height) + "_" +
                                   std::to_string(entry.bits) + ".png";
                std::string path = (std::filesystem::path(command.output) / name).string();
                core::WriteFileReplacing(path, iconc::EncodePng(iconc::VisiblePicture(entry)));
                std::printf("%s\n", path.c_str());
            } catch (const core::Exception& e) {
                PrintError(command.input, e.Message());
                status = 1;
            }
        }
    } catch (const core::Exception& e) {
        PrintError(command.input, e.Message());
        return 1;
    } catch (const std::filesystem::filesystem_error& e) {
        PrintError(command.output, e.code().message());
        return 1;
    }
    return status;
}

int RunPreview(const Command& command) {
    try {
        std::vector<iconc::DecodedEntry> entries =
            DecodeAll(ReadWholeFile(command.input), command.input);
        core::WriteFileReplacing(command.output,
                                 iconc::EncodePng(iconc::RenderPreviewSheet(entries)));
    } catch (const core::Exception& e) {
        PrintError(command.input, e.Message());
        return 1;
    }
    std::printf("%s\n", command.output.c_str());
    return 0;
}

}  // namespace cli
