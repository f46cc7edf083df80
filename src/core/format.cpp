#include "core/format.h"

#include <vector>

namespace core {

std::string FormatArg::AsText() const {
    if (const auto* text = std::get_if<std::string>(&value_)) return *text;
    return std::to_string(std::get<int64_t>(value_));
}

int64_t FormatArg::AsNumber() const {
    if (const auto* number = std::get_if<int64_t>(&value_)) return *number;
    return 0;
}

namespace {

std::string Hex(uint64_t value) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    do {
        out.insert(out.begin(), kDigits[value & 15]);
        value >>= 4;
    } while (value != 0);
    return out;
}

}  // namespace

std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args) {
    std::string out;
    out.reserve(pattern.size() + 16);
    auto next = args.begin();
    for (size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        if (c != '%' || i + 1 == pattern.size()) {
            out += c;
            continue;
        }
        char kind = pattern[i + 1];
        if (kind == '%') {
            out += '%';
            ++i;
            continue;
        }
        if ((kind != 's' && kind != 'd' && kind != 'u' && kind != 'x') || next == args.end()) {
            out += c;
            continue;
        }
        const FormatArg& arg = *next++;
        ++i;
        switch (kind) {
            case 's':
                out += arg.AsText();
                break;
            case 'd':
                out += std::to_string(arg.AsNumber());
                break;
            case 'u':
                out += std::to_string(static_cast<uint32_t>(arg.AsNumber()));
                break;
            case 'x':
                out += Hex(static_cast<uint32_t>(arg.AsNumber()));
                break;
        }
    }
    return out;
}

}  // namespace core
