#include "skinctrls/shell_mask.h"

#include <vector>

#include "core/utf8.h"

namespace skinctrls {
namespace {

char32_t Fold(char32_t c) {
    return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
}

// Matches a "[...]" set at pattern[p] against `c`; moves `p` past the set. A set without its
// closing bracket matches nothing.
bool MatchSet(std::u32string_view pattern, size_t& p, char32_t c) {
    size_t at = p + 1;
    bool negate = false;
    if (at < pattern.size() && pattern[at] == '!') {
        negate = true;
        ++at;
    }
    bool found = false;
    bool closed = false;
    while (at < pattern.size()) {
        if (pattern[at] == ']') {
            closed = true;
            break;
        }
        char32_t low = pattern[at];
        char32_t high = low;
        if (at + 2 < pattern.size() && pattern[at + 1] == '-' && pattern[at + 2] != ']') {
            high = pattern[at + 2];
            at += 2;
        }
        if (Fold(c) >= Fold(low) && Fold(c) <= Fold(high)) found = true;
        ++at;
    }
    p = at + 1;
    return closed && found != negate;
}

bool Match(std::u32string_view name, std::u32string_view pattern) {
    size_t n = 0, p = 0;
    size_t starP = std::u32string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = ++p;
            starN = n;
            continue;
        }
        if (p < pattern.size()) {
            size_t next = p + 1;
            bool ok;
            if (pattern[p] == '?') {
                ok = true;
            } else if (pattern[p] == '[') {
                next = p;
                ok = MatchSet(pattern, next, name[n]);
            } else {
                ok = Fold(pattern[p]) == Fold(name[n]);
            }
            if (ok) {
                p = next;
                ++n;
                continue;
            }
        }
        if (starP == std::u32string_view::npos) return false;
        p = starP;  // let the last "*" take one more character
        n = ++starN;
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace

bool MatchesFileMask(std::string_view name, std::string_view pattern) {
    return Match(core::Utf8ToUtf32(name), core::Utf8ToUtf32(pattern));
}

bool MaskMatches(std::string_view mask, std::string_view fileName) {
    size_t start = 0;
    while (start < mask.size()) {
        size_t end = mask.find_first_of(";|", start);
        if (end == std::string_view::npos) end = mask.size();
        const std::string_view pattern = mask.substr(start, end - start);
        if (pattern == "*") return true;
        if (pattern.find('.') != std::string_view::npos && MatchesFileMask(fileName, pattern)) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

}  // namespace skinctrls
