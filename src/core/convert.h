#pragma once
// Text to number conversion with the program's integer syntax: decimal with an optional sign,
// or hexadecimal after "0x", "0X" or "$" (a sign may stand before the prefix).
#include <cstdint>
#include <optional>
#include <string_view>

namespace core {

// The 32-bit value of `text`, or nothing when it is not a number or does not fit. Hexadecimal
// values up to 8 digits wrap into the sign bit, as colour constants like $FF000005 expect.
std::optional<int32_t> TryStrToInt(std::string_view text);

// Raises EConvertError "'%s' is not a valid integer value" when the text is not a number.
int32_t StrToInt(std::string_view text);

}  // namespace core
