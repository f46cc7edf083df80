#include "core/convert.h"

#include "core/exceptions.h"
#include "core/resource_strings.h"

namespace core {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<uint32_t> ParseHex(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    uint64_t value = 0;
    for (char c : digits) {
        int d = HexDigit(c);
        if (d < 0) return std::nullopt;
        value = value * 16 + static_cast<uint64_t>(d);
        if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

std::optional<uint64_t> ParseDecimal(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    uint64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - '0');
        if (value > 0x80000000u) return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<int32_t> TryStrToInt(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    std::optional<uint32_t> hex;
    bool isHex = false;
    if (!text.empty() && text[0] == '$') {
        isHex = true;
        hex = ParseHex(text.substr(1));
    } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        isHex = true;
        hex = ParseHex(text.substr(2));
    }
    if (isHex) {
        if (!hex) return std::nullopt;
        uint32_t bits = negative ? 0u - *hex : *hex;
        return static_cast<int32_t>(bits);
    }
    std::optional<uint64_t> dec = ParseDecimal(text);
    if (!dec) return std::nullopt;
    if (negative) return static_cast<int32_t>(-static_cast<int64_t>(*dec));
    if (*dec > 0x7FFFFFFFu) return std::nullopt;
    return static_cast<int32_t>(*dec);
}

int32_t StrToInt(std::string_view text) {
    std::optional<int32_t> value = TryStrToInt(text);
    if (!value) throw EConvertError(strings::SInvalidInteger, {text});
    return *value;
}

}  // namespace core
