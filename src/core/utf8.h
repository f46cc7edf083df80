#pragma once
// UTF-8 helpers. The program's text is UTF-8 throughout; these walk and convert it safely,
// turning malformed bytes into U+FFFD instead of reading past the end.
#include <cstdint>
#include <string>
#include <string_view>

namespace core {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes the code point starting at `offset` and advances `offset` past it (by at least one
// byte). Overlong forms, surrogates and truncated sequences decode as U+FFFD.
char32_t NextCodePoint(std::string_view text, size_t& offset);
void AppendCodePoint(std::string& out, char32_t codePoint);

size_t CodePointCount(std::string_view text);
bool IsValidUtf8(std::string_view text);

std::u32string Utf8ToUtf32(std::string_view text);
std::string Utf32ToUtf8(std::u32string_view text);
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// Byte offset of the start of the code point before `offset` (0 at the start).
size_t PreviousCodePointStart(std::string_view text, size_t offset);

// Lower-case and comparison of ASCII letters only; other bytes stand as they are, so
// multi-byte text is never altered.
std::string LowerCaseAscii(std::string_view text);
std::string UpperCaseAscii(std::string_view text);
bool SameTextAscii(std::string_view a, std::string_view b);

}  // namespace core
