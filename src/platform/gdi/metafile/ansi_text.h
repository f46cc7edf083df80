#pragma once
// Windows metafiles store text in the code page of the selected font's character set; the
// conversion to enhanced records turns it into UTF-16.
#include <cstdint>
#include <span>
#include <string>

namespace platform::metafile {

// Character sets as fonts name them.
inline constexpr uint8_t kAnsiCharset = 0;
inline constexpr uint8_t kDefaultCharset = 1;
inline constexpr uint8_t kSymbolCharset = 2;
inline constexpr uint8_t kGb2312Charset = 134;

// Decodes `bytes` in the code page of `charset`: the program's own code page (936) for the
// default and GB2312 sets, 1252 for the ANSI set, bytes as Latin-1 for everything else and
// for bytes the code page cannot decode.
std::u16string AnsiToUtf16(std::span<const uint8_t> bytes, uint8_t charset);

}  // namespace platform::metafile
