#include "banner/page_guard.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace banner {

namespace {

bool IsVoidElement(const std::string& name) {
    static const std::array<const char*, 16> kVoid = {
        "area", "base", "br",    "col",    "embed", "hr",  "img",      "input",
        "link", "meta", "param", "source", "track", "wbr", "basefont", "frame"};
    return std::any_of(kVoid.begin(), kVoid.end(), [&](const char* v) { return name == v; });
}

bool IsRawTextElement(const std::string& name) {
    return name == "script" || name == "style" || name == "textarea" || name == "title";
}

// Elements whose start tag closes an open element of the same kind, as the parser does.
bool ClosesSibling(const std::string& name, const std::string& open) {
    if (name == "tr") return open == "td" || open == "th" || open == "tr";
    if (name == "td" || name == "th") return open == "td" || open == "th";
    if (name == "dt" || name == "dd") return open == "dt" || open == "dd";
    return (name == "p" || name == "li" || name == "option") && name == open;
}

bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == ':';
}

std::string ReadName(std::string_view html, size_t& i) {
    std::string name;
    while (i < html.size() && IsNameChar(html[i])) {
        char c = html[i++];
        name += (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    }
    return name;
}

// Moves past the tag's closing '>' (quoted attribute values may hold '>'); true when the tag
// ends in "/>".
bool SkipTagRest(std::string_view html, size_t& i) {
    char quote = 0;
    char last = 0;
    for (; i < html.size(); ++i) {
        char c = html[i];
        if (quote != 0) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            ++i;
            return last == '/';
        } else if (c != ' ' && c != '\t' && c != '\r' && c != '\n') {
            last = c;
        }
    }
    return false;
}

// Skips the text of a raw-text element up to its closing tag (letter case ignored).
void SkipRawText(std::string_view html, size_t& i, const std::string& name) {
    const std::string close = "</" + name;
    while (i < html.size()) {
        size_t at = html.find("</", i);
        if (at == std::string_view::npos) {
            i = html.size();
            return;
        }
        std::string candidate(html.substr(at, close.size()));
        std::transform(candidate.begin(), candidate.end(), candidate.begin(),
                       [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; });
        i = at + 2;
        if (candidate == close) return;
    }
}

void SkipPast(std::string_view html, size_t& i, std::string_view end) {
    size_t at = html.find(end, i);
    i = at == std::string_view::npos ? html.size() : at + end.size();
}

}  // namespace

int EstimatedNestingDepth(std::string_view html) {
    std::vector<std::string> open;
    size_t deepest = 0;
    size_t i = 0;
    while ((i = html.find('<', i)) != std::string_view::npos) {
        ++i;
        if (html.substr(i, 3) == "!--") {
            SkipPast(html, i, "-->");
        } else if (i < html.size() && (html[i] == '!' || html[i] == '?')) {
            SkipPast(html, i, ">");
        } else if (i < html.size() && html[i] == '/') {
            ++i;
            std::string name = ReadName(html, i);
            SkipTagRest(html, i);
            auto match = std::find(open.rbegin(), open.rend(), name);
            if (match != open.rend()) open.erase(std::prev(match.base()), open.end());
        } else {
            std::string name = ReadName(html, i);
            if (name.empty()) continue;  // a lone "<" in text
            bool selfClosed = SkipTagRest(html, i);
            while (!open.empty() && ClosesSibling(name, open.back())) open.pop_back();
            if (IsRawTextElement(name) && !selfClosed) {
                SkipRawText(html, i, name);
                SkipTagRest(html, i);
            } else if (!selfClosed && !IsVoidElement(name)) {
                open.push_back(std::move(name));
                deepest = std::max(deepest, open.size());
            }
        }
    }
    return int(std::min<size_t>(deepest, 1u << 30));
}

}  // namespace banner
