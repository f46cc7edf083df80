#include "codecs/jpeg/jpeg_samples.h"

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace codecs::testing {

std::vector<uint8_t> MakeJpeg(const SampleOptions& options, const PixelFunction& pixel) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);  // a failure here is a broken test: the library exits
    jpeg_create_compress(&info);
    unsigned char* output = nullptr;
    unsigned long outputSize = 0;
    jpeg_mem_dest(&info, &output, &outputSize);
    info.image_width = static_cast<JDIMENSION>(options.width);
    info.image_height = static_cast<JDIMENSION>(options.height);
    info.input_components = options.grayscale ? 1 : options.cmyk ? 4 : 3;
    info.in_color_space = options.grayscale ? JCS_GRAYSCALE : options.cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, options.quality, TRUE);
    if (options.progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(options.width) * info.input_components);
    while (info.next_scanline < info.image_height) {
        int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < options.width; ++x) {
            Rgb c = pixel(x, y);
            if (options.grayscale) {
                row[x] = c.red;
            } else if (options.cmyk) {
                uint8_t* p = &row[size_t(x) * 4];
                p[0] = 255 - c.red;
                p[1] = 255 - c.green;
                p[2] = 255 - c.blue;
                p[3] = 0;
            } else {
                uint8_t* p = &row[size_t(x) * 3];
                p[0] = c.red;
                p[1] = c.green;
                p[2] = c.blue;
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<uint8_t> bytes(output, output + outputSize);
    jpeg_destroy_compress(&info);
    std::free(output);
    return bytes;
}

Rgb Bands(int x, int y, int height) {
    switch (y * 4 / height) {
        case 0:
            return {255, 0, 0};
        case 1:
            return {0, 255, 0};
        case 2:
            return {0, 0, 255};
        default:
            return {255, 255, 255};
    }
}

Rgb Gradient(int x, int y) {
    return {static_cast<uint8_t>(x * 7), static_cast<uint8_t>(y * 5),
            static_cast<uint8_t>((x + y) * 3)};
}

}  // namespace codecs::testing
