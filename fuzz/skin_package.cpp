// fuzz-deps: skin
// A skin package through the whole load: inflate, picture walk, text parse. The first byte
// chooses whether the rest is taken as zlib data (even) or as an inflated package that is
// deflated first (odd), so both the inflater and the layout walk get malformed input.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/exceptions.h"
#include "skin/skin_data.h"
#include "skin/skin_package.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    skin::TbsCompressedStoredSkin stored;
    if (data[0] % 2 == 0) {
        stored.SetCompressedData(data + 1, static_cast<int64_t>(size - 1));
    } else {
        std::vector<uint8_t> package(data + 1, data + size);
        core::TMemoryStream compressed;
        skin::CompressPackage(package, compressed);
        stored.SetCompressedData(compressed.Memory(), compressed.Size());
    }
    skin::TbsSkinData skinData;
    try {
        skinData.LoadCompressedSkin(stored);
    } catch (const core::Exception&) {
    }
    return 0;
}
