#include "codecs/gif/gif_palette.h"

#include <cstddef>
#include <cstring>
#include <vector>

#include "codecs/gif/gif_frame_dib.h"
#include "platform/gdi/gdi.h"

namespace codecs::gif {

namespace {

platform::HPALETTE MakePalette(const std::vector<platform::PALETTEENTRY>& entries) {
    std::vector<uint8_t> storage(sizeof(platform::LOGPALETTE) +
                                 entries.size() * sizeof(platform::PALETTEENTRY));
    auto* palette = reinterpret_cast<platform::LOGPALETTE*>(storage.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<platform::WORD>(entries.size());
    // The entries run on past the one the declaration shows.
    std::memcpy(storage.data() + offsetof(platform::LOGPALETTE, palPalEntry), entries.data(),
                entries.size() * sizeof(platform::PALETTEENTRY));
    return platform::CreatePalette(palette);
}

}  // namespace

platform::HPALETTE CreateColorMapPalette(const TGIFColorMap& map) {
    std::vector<platform::PALETTEENTRY> entries;
    for (int i = 0; i < map.Count(); ++i) {
        const TGIFColor& c = map.Entries()[i];
        entries.push_back({c.Red, c.Green, c.Blue, platform::PC_NOCOLLAPSE});
    }
    return MakePalette(entries);
}

platform::HPALETTE DitherPalette() {
    static const platform::HPALETTE palette = [] {
        std::vector<platform::PALETTEENTRY> entries;
        for (int r = 0; r < kDitherLevels; ++r)
            for (int g = 0; g < kDitherLevels; ++g)
                for (int b = 0; b < kDitherLevels; ++b)
                    entries.push_back({static_cast<uint8_t>(r * 51), static_cast<uint8_t>(g * 51),
                                       static_cast<uint8_t>(b * 51), 0});
        return MakePalette(entries);
    }();
    return palette;
}

}  // namespace codecs::gif

namespace codecs::gif {

namespace {

std::vector<platform::PALETTEENTRY> EntriesOf(platform::HPALETTE palette) {
    if (!palette) return {};
    const platform::UINT count = platform::GetPaletteEntries(palette, 0, 0, nullptr);
    std::vector<platform::PALETTEENTRY> entries(count);
    if (count > 0) platform::GetPaletteEntries(palette, 0, count, entries.data());
    return entries;
}

}  // namespace

std::vector<TGIFColor> PaletteColors(platform::HPALETTE palette) {
    std::vector<TGIFColor> colors;
    for (const platform::PALETTEENTRY& e : EntriesOf(palette))
        colors.push_back({e.peRed, e.peGreen, e.peBlue});
    return colors;
}

platform::HPALETTE DuplicatePalette(platform::HPALETTE palette) {
    const std::vector<platform::PALETTEENTRY> entries = EntriesOf(palette);
    if (entries.empty()) return nullptr;
    return MakePalette(entries);
}

}  // namespace codecs::gif
