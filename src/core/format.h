#pragma once
// Message formatting for the program's resource strings: "%s", "%d", "%u", "%x" and "%%".
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace core {

class FormatArg {
  public:
    FormatArg(std::string_view text) : value_(std::string(text)) {}
    FormatArg(const std::string& text) : value_(text) {}
    FormatArg(const char* text) : value_(std::string(text ? text : "")) {}
    template <typename T, typename = std::enable_if_t<std::is_integral_v<T>>>
    FormatArg(T number) : value_(static_cast<int64_t>(number)) {}

    std::string AsText() const;
    int64_t AsNumber() const;

  private:
    std::variant<int64_t, std::string> value_;
};

// Replaces each placeholder with the next argument. A missing argument leaves the
// placeholder as it stands, so a bad table entry shows up in the message instead of crashing.
std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args);

}  // namespace core
