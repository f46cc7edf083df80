#pragma once
// The icon compiler's commands. Each returns the process exit code and reports its errors on
// standard error, naming the file concerned.
#include "command_line.h"

namespace cli {

int RunBuild(const Command& command);
int RunBatchBuild(const Command& command);
int RunInfo(const Command& command);
int RunExtract(const Command& command);
int RunPreview(const Command& command);

// "NAME: message", unless the message names the file already.
std::string ErrorNaming(const std::string& fileName, const std::string& message);

// Loads, builds and writes one icon; raises the error that stopped it.
void BuildOne(const Command& command, const std::string& input, const std::string& output);

}  // namespace cli
