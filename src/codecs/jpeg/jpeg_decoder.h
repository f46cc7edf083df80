#pragma once
// Reading a JPEG file's header, and decoding the whole image into a row-addressed target
// (a bitmap, or a plain pixel buffer) with the picture's settings.
#include <cstdint>
#include <vector>

#include "codecs/jpeg/jpeg_progress_event.h"
#include "codecs/jpeg/jpeg_settings.h"
#include "core/stream.h"

namespace codecs {

struct JpegHeader {
    int32_t width = 0;
    int32_t height = 0;
    bool grayscale = false;    // one-component file
    bool progressive = false;  // more than one scan
};

// Reads the header of the JPEG file in `data`, from its start. Raises EJPEG.
JpegHeader ReadJpegHeader(core::TStream& data);

struct JpegPaletteEntry {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

// Where decoded rows go. Rows are 8-bit palette indices or 24-bit blue, green, red.
class JpegDecodeTarget {
  public:
    virtual ~JpegDecodeTarget() = default;
    // Empties the target and sets its depth (8 or 24 bits per pixel).
    virtual void Reset(int bitsPerPixel) = 0;
    virtual void SetSize(int32_t width, int32_t height) = 0;
    // The address of a row, 0 being the top one. Only rows 0 and 1 are asked for: the distance
    // between them steps through the rest.
    virtual uint8_t* RowAddress(int32_t row) = 0;
    virtual void SetPalette(const std::vector<JpegPaletteEntry>& entries) = 0;
};

class JpegDecoder {
  public:
    static constexpr int kQuantizedColors = 236;

    JpegDecoder(core::TStream& data, const JpegSettings& settings);

    // An empty handler reports nothing; an empty tick source uses the system's.
    void SetProgress(JpegProgressHandler handler, JpegTickSource ticks = {});

    // Decodes into `target`. Sets `paletteModified` when a palette was installed; the ending
    // report carries it as its redraw flag. An EAbort (a progress handler cancelling) is
    // swallowed and the target keeps what was decoded; every other exception propagates,
    // also leaving the target as far as it got.
    void DecodeInto(JpegDecodeTarget& target, bool& paletteModified);

    // Decodes only the given rows of the output (rising, each below the output height) into
    // the target's rows 0, 1, ...: a target as tall as the list, each row byte for byte what
    // the whole decode puts in that row. The other rows' pixels are not made where the output
    // allows it (dithered output needs every row). Errors and reports as for DecodeInto.
    void DecodeRowsInto(JpegDecodeTarget& target, const std::vector<int32_t>& rows,
                        bool& paletteModified);

  private:
    // All rows when `rows` is null.
    void Decode(JpegDecodeTarget& target, const std::vector<int32_t>* rows, bool& paletteModified);

    core::TStream& data_;
    JpegSettings settings_;
    JpegProgressHandler progress_;
    JpegTickSource ticks_;
};

}  // namespace codecs
