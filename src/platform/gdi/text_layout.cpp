#include "platform/gdi/text_layout.h"

#include <algorithm>
#include <string_view>

namespace platform::text {
namespace {

constexpr std::u32string_view kEllipsis = U"...";
constexpr int kTabStopChars = 8;
constexpr int kCoordinateLimit = 1 << 26;

struct Paragraph {
    std::u32string chars;
    std::vector<bool> accelerated;  // character follows a lone "&"
};

bool IsSpace(char32_t ch) {
    return ch == U' ' || ch == U'\t' || ch == 0x3000;
}

// Punctuation that must not start a line, and brackets that must not end one.
bool NoBreakBefore(char32_t ch) {
    constexpr std::u32string_view closers = U"，。、；：？！）】」』》〉,.;:?!)]}";
    return closers.find(ch) != std::u32string_view::npos;
}
bool NoBreakAfter(char32_t ch) {
    constexpr std::u32string_view openers = U"（【「『《〈([{";
    return openers.find(ch) != std::u32string_view::npos;
}

Paragraph StripPrefixes(std::u32string_view text, unsigned format) {
    Paragraph p;
    const bool process = (format & DT_NOPREFIX) == 0;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t ch = text[i];
        bool accel = false;
        if (process && ch == U'&') {
            if (i + 1 >= text.size()) break;  // a trailing "&" shows nothing
            ++i;
            ch = text[i];
            accel = ch != U'&';  // "&&" is a literal "&"
        }
        p.chars.push_back(ch);
        p.accelerated.push_back(accel && (format & DT_HIDEPREFIX) == 0);
    }
    return p;
}

std::vector<std::u32string_view> SplitLines(std::u32string_view text, unsigned format) {
    std::vector<std::u32string_view> lines;
    if (format & DT_SINGLELINE) {
        lines.push_back(text);
        return lines;
    }
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != U'\r' && text[i] != U'\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') ++i;
        start = i + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

// Pen positions saturate instead of overflowing on absurdly long lines.
int Step(int x, int w) {
    return static_cast<int>(
        std::clamp<long long>(static_cast<long long>(x) + w, -kCoordinateLimit, kCoordinateLimit));
}

class LineBuilder {
  public:
    LineBuilder(unsigned format, TextMeasure& measure, int tabChars)
        : format_(format), measure_(measure) {
        tabWidth_ = std::max(1, measure.AveCharWidth() * tabChars);
    }

    // Width of one character placed at pen position x (tabs jump to the next stop).
    int AdvanceAt(char32_t ch, int x) {
        if (ch == U'\t' && (format_ & DT_EXPANDTABS)) return (x / tabWidth_ + 1) * tabWidth_ - x;
        if (ch == U'\r' || ch == U'\n') return 0;
        return measure_.Advance(ch);
    }

    int Width(std::u32string_view chars) {
        int x = 0;
        for (char32_t ch : chars) x = Step(x, AdvanceAt(ch, x));
        return x;
    }

    // How many leading characters fit in `budget` pixels.
    size_t FitPrefix(std::u32string_view chars, int budget) {
        int x = 0;
        for (size_t i = 0; i < chars.size(); ++i) {
            x = Step(x, AdvanceAt(chars[i], x));
            if (x > budget) return i;
        }
        return chars.size();
    }

    // Greedy word wrap of one paragraph into [begin, end) ranges.
    std::vector<std::pair<size_t, size_t>> Wrap(const std::u32string& chars, int maxWidth) {
        std::vector<std::pair<size_t, size_t>> ranges;
        if (!(format_ & DT_WORDBREAK) || (format_ & DT_SINGLELINE)) {
            ranges.emplace_back(0, chars.size());
            return ranges;
        }
        size_t start = 0;
        while (true) {
            size_t i = start;
            int x = 0;
            size_t lastBreak = start;  // break before this index; start = none yet
            while (i < chars.size()) {
                if (i > start && CanBreakBefore(chars, i)) lastBreak = i;
                const int w = AdvanceAt(chars[i], x);
                if (Step(x, w) > maxWidth && !IsSpace(chars[i]) && i > start) {
                    if (lastBreak > start) break;
                    // A word wider than the box stays whole, as Windows keeps it.
                }
                x = Step(x, w);
                ++i;
            }
            if (i >= chars.size()) {
                ranges.emplace_back(start, TrimEnd(chars, start, chars.size()));
                return ranges;
            }
            ranges.emplace_back(start, TrimEnd(chars, start, lastBreak));
            start = lastBreak;
            while (start < chars.size() && IsSpace(chars[start])) ++start;
            if (start >= chars.size()) return ranges;
        }
    }

  private:
    static size_t TrimEnd(const std::u32string& chars, size_t begin, size_t end) {
        while (end > begin && IsSpace(chars[end - 1])) --end;
        return end;
    }

    static bool CanBreakBefore(const std::u32string& chars, size_t i) {
        const char32_t prev = chars[i - 1];
        const char32_t next = chars[i];
        if (IsSpace(next)) return false;  // break after the run of spaces
        if (NoBreakBefore(next) || NoBreakAfter(prev)) return false;
        if (IsSpace(prev)) return true;
        return IsBreakableWide(prev) || IsBreakableWide(next);
    }

    unsigned format_;
    TextMeasure& measure_;
    int tabWidth_ = 1;
};

struct Piece {
    std::u32string chars;
    std::vector<bool> accelerated;
};

void Truncate(Piece& piece, size_t keep) {
    piece.chars.resize(keep);
    piece.accelerated.resize(keep);
}

void AppendEllipsis(Piece& piece) {
    piece.chars.append(kEllipsis);
    piece.accelerated.resize(piece.chars.size(), false);
}

// Shortens the end of a piece until it and "..." fit (one pass: long lines stay cheap).
void EndEllipsis(Piece& piece, int maxWidth, LineBuilder& builder) {
    const int dots = builder.Width(kEllipsis);
    const size_t keep = builder.FitPrefix(piece.chars, maxWidth - dots);
    // At least one character goes, or the line would not have needed an ellipsis.
    Truncate(piece, std::min(keep, piece.chars.empty() ? 0 : piece.chars.size() - 1));
    AppendEllipsis(piece);
}

// Keeps the text from the last path separator on and shortens what comes before it.
void PathEllipsis(Piece& piece, int maxWidth, LineBuilder& builder) {
    const size_t sep = piece.chars.find_last_of(U"\\/");
    if (sep == std::u32string::npos || sep == 0) {
        EndEllipsis(piece, maxWidth, builder);
        return;
    }
    Piece head{piece.chars.substr(0, sep),
               std::vector<bool>(piece.accelerated.begin(),
                                 piece.accelerated.begin() + std::ptrdiff_t(sep))};
    Piece tail{piece.chars.substr(sep),
               std::vector<bool>(piece.accelerated.begin() + std::ptrdiff_t(sep),
                                 piece.accelerated.end())};
    const int tailWidth = builder.Width(tail.chars) + builder.Width(kEllipsis);
    if (tailWidth > maxWidth) {
        // Not even the last part fits: lead with "..." and cut the end instead.
        Piece rest{std::u32string(kEllipsis) + tail.chars,
                   std::vector<bool>(kEllipsis.size(), false)};
        rest.accelerated.insert(rest.accelerated.end(), tail.accelerated.begin(),
                                tail.accelerated.end());
        piece = std::move(rest);
        if (builder.Width(piece.chars) > maxWidth) EndEllipsis(piece, maxWidth, builder);
        return;
    }
    Truncate(head, builder.FitPrefix(head.chars, maxWidth - tailWidth));
    AppendEllipsis(head);
    head.chars += tail.chars;
    head.accelerated.insert(head.accelerated.end(), tail.accelerated.begin(),
                            tail.accelerated.end());
    piece = std::move(head);
}

LaidLine PlaceLine(const Piece& piece, LineBuilder& builder) {
    LaidLine line;
    line.chars = piece.chars;
    int x = 0;
    for (size_t i = 0; i < piece.chars.size(); ++i) {
        line.x.push_back(x);
        const int w = builder.AdvanceAt(piece.chars[i], x);
        if (piece.accelerated[i] && w > 0) line.underlines.emplace_back(x, Step(x, w));
        x = Step(x, w);
    }
    line.width = x;
    return line;
}

// The text's lines, wrapped to the box when the format asks for it.
std::vector<Piece> BreakLines(std::u32string_view text, unsigned format, LineBuilder& builder,
                              int boxWidth) {
    std::vector<Piece> pieces;
    if (text.empty()) return pieces;
    for (std::u32string_view source : SplitLines(text, format)) {
        Paragraph para = StripPrefixes(source, format);
        if (format & DT_SINGLELINE) {
            // Line breaks do not break a single line; they are not drawn either.
            Paragraph kept;
            for (size_t i = 0; i < para.chars.size(); ++i) {
                if (para.chars[i] == U'\r' || para.chars[i] == U'\n') continue;
                kept.chars.push_back(para.chars[i]);
                kept.accelerated.push_back(para.accelerated[i]);
            }
            para = std::move(kept);
        }
        for (auto [begin, end] : builder.Wrap(para.chars, boxWidth)) {
            pieces.push_back({para.chars.substr(begin, end - begin),
                              std::vector<bool>(para.accelerated.begin() + std::ptrdiff_t(begin),
                                                para.accelerated.begin() + std::ptrdiff_t(end))});
        }
    }
    return pieces;
}

// Moves the laid lines into the box, aligned as the format says; returns the first line's top.
int AlignLines(TextLayout& layout, const LayoutBox& box, unsigned format) {
    const int count = static_cast<int>(layout.lines.size());
    const int boxWidth = box.right - box.left;
    int top = box.top;
    if ((format & DT_SINGLELINE) && count > 0) {
        if (format & DT_VCENTER)
            top = box.top + (box.bottom - box.top - layout.lineHeight) / 2;
        else if (format & DT_BOTTOM)
            top = box.bottom - layout.lineHeight;
    }
    for (int i = 0; i < count; ++i) {
        LaidLine& line = layout.lines[static_cast<size_t>(i)];
        int left = box.left;
        if (format & DT_CENTER)
            left = box.left + (boxWidth - line.width) / 2;
        else if (format & DT_RIGHT)
            left = box.right - line.width;
        line.left = left;
        line.top = top + i * layout.lineHeight;
        for (int& x : line.x) x += left;
        for (auto& span : line.underlines) {
            span.first += left;
            span.second += left;
        }
    }
    return top;
}

}  // namespace

bool IsBreakableWide(char32_t ch) {
    return (ch >= 0x2E80 && ch <= 0x9FFF) ||  // CJK radicals, kana, bopomofo, ideographs
           (ch >= 0xAC00 && ch <= 0xD7AF) ||  // hangul
           (ch >= 0xF900 && ch <= 0xFAFF) ||  // compatibility ideographs
           (ch >= 0xFF00 && ch <= 0xFFEF) ||  // full-width forms
           (ch >= 0x20000 && ch <= 0x3FFFF);  // supplementary ideographs
}

TextLayout LayoutText(std::u32string_view text, const LayoutBox& callerBox, unsigned format,
                      TextMeasure& measure) {
    TextLayout layout;
    // Coordinates far outside anything drawable are pulled in so that widths and centring
    // cannot overflow.
    auto pull = [](int v) { return std::clamp(v, -kCoordinateLimit, kCoordinateLimit); };
    const LayoutBox box{pull(callerBox.left), pull(callerBox.top), pull(callerBox.right),
                        pull(callerBox.bottom)};
    int tabChars = kTabStopChars;
    if (format & DT_TABSTOP) {
        // The second byte holds the tab size in characters, not format bits.
        tabChars = static_cast<int>((format >> 8) & 0xFF);
        if (tabChars == 0) tabChars = kTabStopChars;
        format &= ~0xFF00u;
    }
    layout.lineHeight =
        measure.LineHeight() + ((format & DT_EXTERNALLEADING) ? measure.ExternalLeading() : 0);
    const int boxWidth = box.right - box.left;
    LineBuilder builder(format, measure, tabChars);

    // A word too long for its line is cut with "..." as a line end would be.
    const bool ellipsis = (format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS)) != 0;
    for (Piece& piece : BreakLines(text, format, builder, boxWidth)) {
        if (ellipsis && builder.Width(piece.chars) > boxWidth) {
            if (format & DT_PATH_ELLIPSIS)
                PathEllipsis(piece, boxWidth, builder);
            else
                EndEllipsis(piece, boxWidth, builder);
        }
        layout.lines.push_back(PlaceLine(piece, builder));
        layout.width = std::max(layout.width, layout.lines.back().width);
    }

    const int count = static_cast<int>(layout.lines.size());
    const int textHeight = count * layout.lineHeight;
    const int top = AlignLines(layout, box, format);
    layout.height = (format & (DT_VCENTER | DT_BOTTOM)) && (format & DT_SINGLELINE) && count > 0
                        ? top + textHeight - box.top
                        : textHeight;
    layout.extent = {box.left, box.top, box.left + layout.width, box.top + textHeight};
    return layout;
}

}  // namespace platform::text
