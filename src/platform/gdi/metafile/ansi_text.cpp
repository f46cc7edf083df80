#include "platform/gdi/metafile/ansi_text.h"

#include <iconv.h>

#include <vector>

namespace platform::metafile {

namespace {

std::u16string Latin1(std::span<const uint8_t> bytes) {
    return std::u16string(bytes.begin(), bytes.end());
}

const char* CodePageFor(uint8_t charset) {
    switch (charset) {
        case kDefaultCharset:
        case kGb2312Charset:
            return "CP936";
        case kAnsiCharset:
            return "CP1252";
        default:
            return nullptr;
    }
}

}  // namespace

std::u16string AnsiToUtf16(std::span<const uint8_t> bytes, uint8_t charset) {
    bool ascii = true;
    for (uint8_t b : bytes) ascii = ascii && b < 0x80;
    const char* codePage = CodePageFor(charset);
    if (ascii || !codePage) return Latin1(bytes);

    iconv_t cd = iconv_open("UTF-16LE", codePage);
    if (cd == reinterpret_cast<iconv_t>(-1)) return Latin1(bytes);
    std::vector<char> in(bytes.begin(), bytes.end());
    std::vector<char> out(bytes.size() * 4 + 4);
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (result == static_cast<size_t>(-1) || inLeft != 0) return Latin1(bytes);

    std::u16string text;
    size_t produced = out.size() - outLeft;
    for (size_t i = 0; i + 1 < produced; i += 2)
        text.push_back(static_cast<char16_t>(static_cast<uint8_t>(out[i]) |
                                             (static_cast<uint8_t>(out[i + 1]) << 8)));
    return text;
}

}  // namespace platform::metafile
