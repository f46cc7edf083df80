#pragma once
// Inspection of an icon file: what each directory record says, and every problem found in
// the container (directory, ranges, overlaps) and in the entries themselves.
#include <cstdint>
#include <string>
#include <vector>

#include "iconc/icon_directory.h"

namespace iconc {

struct IconReport {
    bool isIcon = false;  // false: not an icon at all (no icon header)
    std::vector<DirectoryRecord> records;
    std::vector<bool> recordIsPng;
    std::vector<bool> sound;  // per record: no problem found in it (only these are decoded)
    std::vector<std::string> problems;
};

IconReport CheckIcon(const uint8_t* data, size_t size);

// "0  16x16  32 bits  BMP  1128 bytes at 118" for each record.
std::string DescribeRecord(const IconReport& report, size_t index);

}  // namespace iconc
