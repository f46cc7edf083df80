#include "iconc/palette_image.h"

#include <libimagequant.h>

#include <memory>

namespace iconc {
namespace {

template <typename T, void (*Free)(T*)>
struct LiqDeleter {
    void operator()(T* p) const { Free(p); }
};
using LiqAttr = std::unique_ptr<liq_attr, LiqDeleter<liq_attr, liq_attr_destroy>>;
using LiqImage = std::unique_ptr<liq_image, LiqDeleter<liq_image, liq_image_destroy>>;
using LiqResult = std::unique_ptr<liq_result, LiqDeleter<liq_result, liq_result_destroy>>;

PaletteImage EmptyPalette(const RgbaImage& image, int bits) {
    PaletteImage out;
    out.width = image.width;
    out.height = image.height;
    out.bits = bits;
    out.colours.assign(size_t(1) << bits, {0, 0, 0});
    size_t count = size_t(image.width) * size_t(image.height);
    out.indices.assign(count, 0);
    out.hidden.assign(count, false);
    for (size_t i = 0; i < count; ++i) out.hidden[i] = !IsShown(&image.pixels[i * 4]);
    return out;
}

PaletteImage BlackAndWhite(const RgbaImage& image) {
    PaletteImage out = EmptyPalette(image, 1);
    out.colours[1] = {255, 255, 255};
    for (size_t i = 0; i < out.indices.size(); ++i) {
        const uint8_t* p = &image.pixels[i * 4];
        int luminance = (299 * p[0] + 587 * p[1] + 114 * p[2]) / 1000;
        out.indices[i] = !out.hidden[i] && luminance >= 128 ? 1 : 0;
    }
    return out;
}

// The shown pixels, opaque, and the hidden ones as one transparent colour that the quantizer
// keeps apart; the hidden pixels get the last palette entry, black, of their own.
PaletteImage Quantized(const RgbaImage& image, int bits) {
    PaletteImage out = EmptyPalette(image, bits);
    std::vector<uint8_t> opaque(image.pixels);
    bool anyHidden = false;
    for (size_t i = 0; i < out.indices.size(); ++i) {
        uint8_t* p = &opaque[i * 4];
        if (out.hidden[i]) std::fill_n(p, 4, 0);
        p[3] = out.hidden[i] ? 0 : 255;
        anyHidden = anyHidden || out.hidden[i];
    }
    int available = int(out.colours.size()) - (anyHidden ? 1 : 0);
    LiqAttr attr(liq_attr_create());
    if (!attr || liq_set_max_colors(attr.get(), available) != LIQ_OK)
        throw EIconError("cannot reduce the colours");
    LiqImage liqImage(
        liq_image_create_rgba(attr.get(), opaque.data(), image.width, image.height, 0));
    liq_result* raw = nullptr;
    if (!liqImage || liq_image_quantize(liqImage.get(), attr.get(), &raw) != LIQ_OK)
        throw EIconError("cannot reduce the colours");
    LiqResult result(raw);
    liq_set_dithering_level(result.get(), 0.5f);
    if (liq_write_remapped_image(result.get(), liqImage.get(), out.indices.data(),
                                 out.indices.size()) != LIQ_OK)
        throw EIconError("cannot reduce the colours");
    const liq_palette* palette = liq_get_palette(result.get());
    for (unsigned i = 0; i < palette->count && i < unsigned(available); ++i)
        out.colours[i] = {palette->entries[i].r, palette->entries[i].g, palette->entries[i].b};
    uint8_t black = uint8_t(out.colours.size() - 1);
    for (size_t i = 0; i < out.indices.size(); ++i)
        if (out.hidden[i]) out.indices[i] = black;
    return out;
}

}  // namespace

bool IsShown(const uint8_t* rgba) {
    return rgba[3] >= 128;
}

PaletteImage ReduceColours(const RgbaImage& image, int bits) {
    return bits == 1 ? BlackAndWhite(image) : Quantized(image, bits);
}

}  // namespace iconc
