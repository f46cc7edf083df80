#pragma once
// The rules of the file dialogs that do not depend on how the dialog looks: the filter
// string, the default extension it implies, and which name an accepted dialog returns.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ui {

// "Description|mask|Description|mask": descriptions and their masks; a trailing description
// without a mask is dropped.
struct TFilterList {
    std::vector<std::string> descriptions;
    std::vector<std::string> masks;
};
TFilterList ParseFilter(const std::string& filter);

// The extension (with its dot) of the last part of a path, or empty.
std::string ExtractFileExt(const std::string& path);
// The folder part of a path, with its trailing separator; empty when there is none.
std::string ExtractFilePath(const std::string& path);
std::string ExtractFileName(const std::string& path);
std::string IncludeTrailingSeparator(const std::string& folder);

// The first extension of a mask ("*.bmp;*.jpg" gives ".bmp"); empty when the mask has ".*".
std::string FilterDefaultExtension(const std::string& mask);

// What the accept step knows and may ask.
struct TAcceptContext {
    bool saveMode = false;
    bool checkFileExists = true;
    bool overwritePrompt = false;
    std::string selectedPath;  // the selected file of the list, or empty
    std::string folder;        // the current folder
    std::string editText;
    std::string defaultExt;  // without the dot
    std::string filterMask;  // the current filter's mask
    std::function<bool(const std::string&)> fileExists;
    std::function<bool()> confirmOverwrite;
};
// The name the dialog closes with, or nothing when it stays open.
std::optional<std::string> AcceptFileName(const TAcceptContext& context);

// The file name an accepted run reports: in save mode the filter's first extension, and then
// the default extension, are added to a name without one.
std::string AcceptedFileName(const std::string& resultName, bool saveMode, const std::string& mask,
                             const std::string& defaultExt);

}  // namespace ui
