#pragma once
// Turns a Windows metafile (16-bit records) into an enhanced metafile when it is read, so
// that only one kind of picture is ever played. The enhanced picture maps the Windows
// metafile's window onto a frame of the requested size.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform::metafile {

// The size the caller asks for (a metafile picture's mapping mode and extents in hundredths
// of a millimetre). Without one, or with extents that are not positive, the picture takes its
// size from its own window extent, read as screen pixels.
struct WmfPictureSize {
    int32_t mapMode = 0;
    int32_t xExt = 0;
    int32_t yExt = 0;
};

// Nothing when the bytes are not a Windows metafile (bad header, broken record chain) or the
// result would not fit in 32-bit sizes; `why` then says which check failed.
std::optional<std::vector<uint8_t>> ConvertWmfToEmf(std::span<const uint8_t> wmf,
                                                    const WmfPictureSize* size,
                                                    std::string* why = nullptr);

}  // namespace platform::metafile
