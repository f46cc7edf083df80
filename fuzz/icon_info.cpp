// fuzz-deps: iconc
// tembrin-ico-cli info and extract on any bytes: the check, every entry decoded, and the
// pictures extract writes.
#include <cstddef>
#include <cstdint>

#include "iconc/icon_check.h"
#include "iconc/icon_entry.h"
#include "iconc/png_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    iconc::IconReport report = iconc::CheckIcon(data, size);
    for (size_t i = 0; i < report.records.size(); ++i) {
        (void)iconc::DescribeRecord(report, i);
        try {
            iconc::DecodedEntry entry = iconc::DecodeEntry(data, size, report.records[i], int(i));
            iconc::RgbaImage picture = iconc::VisiblePicture(entry);
            if (picture.width * picture.height <= 64 * 64) (void)iconc::EncodePng(picture);
        } catch (const iconc::EIconError&) {
        }
    }
    return 0;
}
