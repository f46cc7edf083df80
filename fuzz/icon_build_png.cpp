// fuzz-deps: iconc
// tembrin-ico-cli build on any bytes as a PNG: a picture that decodes becomes an icon that the
// check must find without a problem.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "iconc/icon_builder.h"
#include "iconc/icon_check.h"
#include "iconc/png_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int width = 0, height = 0;
    // Large pictures only cost time here; the size limit itself is the decoder's.
    if (iconc::PeekPngSize(data, size, width, height) && int64_t(width) * height > 512 * 512)
        return 0;
    iconc::RgbaImage picture;
    try {
        picture = iconc::DecodePng(data, size, "input");
    } catch (const iconc::EIconError&) {
        return 0;
    }
    iconc::BuildOptions options;
    options.sizes = {1, 16, 33};
    options.pngFrom = 33;
    options.depth = size % 2 ? 4 : 1;
    options.filter = iconc::Filter(size % 3);
    std::vector<uint8_t> icon = iconc::BuildIcon(picture, options);
    if (!iconc::CheckIcon(icon.data(), icon.size()).problems.empty()) std::abort();
    return 0;
}
