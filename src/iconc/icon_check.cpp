#include "iconc/icon_check.h"

#include <algorithm>
#include <cstdio>

#include "iconc/icon_entry.h"
#include "iconc/png_file.h"

namespace iconc {
namespace {

std::string Entry(size_t index) {
    return "entry " + std::to_string(index) + ": ";
}

std::string Size(int width, int height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

bool InsideFile(const DirectoryRecord& r, size_t size) {
    return r.offset <= size && r.bytes <= size - r.offset;
}

void CheckRanges(const IconReport& report, size_t size, std::vector<std::string>& problems) {
    size_t directoryEnd = kIconHeaderBytes + kDirectoryRecordBytes * report.records.size();
    for (size_t i = 0; i < report.records.size(); ++i) {
        const DirectoryRecord& r = report.records[i];
        if (r.bytes == 0)
            problems.push_back(Entry(i) + "no image data");
        else if (!InsideFile(r, size))
            problems.push_back(Entry(i) + "image data (" + std::to_string(r.bytes) + " bytes at " +
                               std::to_string(r.offset) + ") extends past the end of the file (" +
                               std::to_string(size) + " bytes)");
        else if (r.offset < directoryEnd)
            problems.push_back(Entry(i) + "image data overlaps the directory");
    }
    std::vector<size_t> order(report.records.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return report.records[a].offset < report.records[b].offset;
    });
    for (size_t k = 1; k < order.size(); ++k) {
        const DirectoryRecord& before = report.records[order[k - 1]];
        const DirectoryRecord& after = report.records[order[k]];
        if (before.bytes > 0 && uint64_t(before.offset) + before.bytes > after.offset)
            problems.push_back("entries " + std::to_string(std::min(order[k - 1], order[k])) +
                               " and " + std::to_string(std::max(order[k - 1], order[k])) +
                               " overlap");
    }
}

// The image itself: decodable, and of the size and depth its record says.
void CheckEntry(const uint8_t* data, size_t size, const DirectoryRecord& r, size_t i,
                std::vector<std::string>& problems) {
    const uint8_t* image = data + r.offset;
    if (!HasPngSignature(image, r.bytes) && r.bytes >= kDibHeaderBytes) {
        DibHeader h = ReadDibHeader(image);
        if (h.height == r.height && h.width == r.width) {
            problems.push_back(Entry(i) + "the image height is not doubled for the mask");
            return;
        }
    }
    try {
        DecodedEntry entry = DecodeEntry(data, size, r, int(i));
        if (entry.colour.width != r.width || entry.colour.height != r.height)
            problems.push_back(Entry(i) + "the directory says " + Size(r.width, r.height) +
                               ", the image is " + Size(entry.colour.width, entry.colour.height));
        if (!entry.png && r.bits != 0 && r.bits != entry.bits)
            problems.push_back(Entry(i) + "the directory says " + std::to_string(r.bits) +
                               " bits, the image has " + std::to_string(entry.bits));
    } catch (const EIconError& e) {
        problems.push_back(e.Message());
    }
}

}  // namespace

IconReport CheckIcon(const uint8_t* data, size_t size) {
    IconReport report;
    std::optional<int> count = IconEntryCount(data, size);
    if (!count) return report;
    report.isIcon = true;
    report.records = ReadDirectory(data, size);
    for (const DirectoryRecord& r : report.records)  // a cut PNG entry still shows as PNG
        report.recordIsPng.push_back(
            r.offset <= size &&
            HasPngSignature(data + r.offset, std::min<size_t>(r.bytes, size - r.offset)));
    if (*count == 0) report.problems.push_back("the directory lists no entries");
    if (int(report.records.size()) < *count)
        report.problems.push_back("the directory (" + std::to_string(*count) +
                                  " entries) extends past the end of the file");
    CheckRanges(report, size, report.problems);
    for (size_t i = 0; i < report.records.size(); ++i)
        if (InsideFile(report.records[i], size) && report.records[i].bytes > 0)
            CheckEntry(data, size, report.records[i], i, report.problems);
    return report;
}

std::string DescribeRecord(const IconReport& report, size_t index) {
    const DirectoryRecord& r = report.records[index];
    char line[160];
    std::snprintf(line, sizeof line, "%2zu  %7s  %2d bits  %s  %8u bytes at %u", index,
                  Size(r.width, r.height).c_str(), r.bits,
                  report.recordIsPng[index] ? "PNG" : "BMP", r.bytes, r.offset);
    return line;
}

}  // namespace iconc
