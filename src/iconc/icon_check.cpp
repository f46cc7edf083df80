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

// A problem of entry `index`, which is then left out of decoding and extraction.
void EntryProblem(IconReport& report, size_t index, const std::string& problem) {
    report.problems.push_back(Entry(index) + problem);
    report.sound[index] = false;
}

void CheckRanges(IconReport& report, size_t size) {
    size_t directoryEnd = kIconHeaderBytes + kDirectoryRecordBytes * report.records.size();
    for (size_t i = 0; i < report.records.size(); ++i) {
        const DirectoryRecord& r = report.records[i];
        if (r.bytes == 0)
            EntryProblem(report, i, "no image data");
        else if (!InsideFile(r, size))
            EntryProblem(report, i,
                         "image data (" + std::to_string(r.bytes) + " bytes at " +
                             std::to_string(r.offset) + ") extends past the end of the file (" +
                             std::to_string(size) + " bytes)");
        else if (r.offset < directoryEnd)
            EntryProblem(report, i, "image data overlaps the directory");
    }
}

// Overlapping entries are both left out, so that no byte is decoded twice and the work stays
// in proportion to the file's size.
void CheckOverlaps(IconReport& report) {
    std::vector<size_t> order(report.records.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return report.records[a].offset < report.records[b].offset;
    });
    uint64_t reach = 0;  // the furthest end of the entries before, and whose it is
    size_t reacher = 0;
    for (size_t index : order) {
        const DirectoryRecord& r = report.records[index];
        if (r.bytes == 0) continue;
        if (r.offset < reach) {
            report.problems.push_back("entries " + std::to_string(std::min(reacher, index)) +
                                      " and " + std::to_string(std::max(reacher, index)) +
                                      " overlap");
            report.sound[reacher] = report.sound[index] = false;
        }
        if (uint64_t(r.offset) + r.bytes > reach)
            reach = uint64_t(r.offset) + r.bytes, reacher = index;
    }
}

// The image itself: decodable, and of the size and depth its record says.
void CheckEntry(const uint8_t* data, size_t size, size_t i, IconReport& report) {
    const DirectoryRecord& r = report.records[i];
    const uint8_t* image = data + r.offset;
    if (!HasPngSignature(image, r.bytes) && r.bytes >= kDibHeaderBytes) {
        DibHeader h = ReadDibHeader(image);
        if (h.height == r.height && h.width == r.width)
            return EntryProblem(report, i, "the image height is not doubled for the mask");
    }
    try {
        DecodedEntry entry = DecodeEntry(data, size, r, int(i));
        if (entry.colour.width != r.width || entry.colour.height != r.height)
            EntryProblem(report, i,
                         "the directory says " + Size(r.width, r.height) + ", the image is " +
                             Size(entry.colour.width, entry.colour.height));
        if (!entry.png && r.bits != 0 && r.bits != entry.bits)
            EntryProblem(report, i,
                         "the directory says " + std::to_string(r.bits) + " bits, the image has " +
                             std::to_string(entry.bits));
    } catch (const EIconError& e) {
        report.problems.push_back(e.Message());
        report.sound[i] = false;
    }
}

}  // namespace

IconReport CheckIcon(const uint8_t* data, size_t size) {
    IconReport report;
    std::optional<int> count = IconEntryCount(data, size);
    if (!count) return report;
    report.isIcon = true;
    report.records = ReadDirectory(data, size);
    report.sound.assign(report.records.size(), true);
    for (const DirectoryRecord& r : report.records)  // a cut PNG entry still shows as PNG
        report.recordIsPng.push_back(
            r.offset <= size &&
            HasPngSignature(data + r.offset, std::min<size_t>(r.bytes, size - r.offset)));
    if (*count == 0) report.problems.push_back("the directory lists no entries");
    if (int(report.records.size()) < *count)
        report.problems.push_back("the directory (" + std::to_string(*count) +
                                  " entries) extends past the end of the file");
    CheckRanges(report, size);
    CheckOverlaps(report);
    for (size_t i = 0; i < report.records.size(); ++i)
        if (report.sound[i]) CheckEntry(data, size, i, report);
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
