// The stretch rule checked against a model of it, for every source size S and destination
// size D in 1..130 along each axis, both row orders and every DIB depth:
//  - COLORONCOLOR takes one source per destination pixel: when enlarging, source
//    floor((2*S*d + S - 1) / (2*D)); when shrinking, sources fall into groups by
//    floor((2*D*s + D - 1) / (2*S)) and a column takes the last source of its group, a row
//    the first;
//  - BLACKONWHITE ANDs the colours of a whole group (it takes the one source when enlarging),
//    whatever the source's colour table says its indices are.
#include <cstdint>
#include <map>
#include <random>

#include "gdi_fixture.h"

namespace platform {
namespace {

using testing::GdiTest;
using testing::MemDc;

constexpr int kMaxSize = 130;

// The model: sources of destination d, written from the rule, not from the raster's code.
struct Group {
    int first;
    int last;
};

Group SourcesOf(int S, int D, int d) {
    if (D >= S) {
        int s = int((2LL * S * d + S - 1) / (2LL * D));
        return {s, s};
    }
    Group g{-1, -1};
    for (int s = 0; s < S; ++s) {
        if (int((2LL * D * s + D - 1) / (2LL * S)) != d) continue;
        if (g.first < 0) g.first = s;
        g.last = s;
    }
    return g;
}

int ColorOnColorSource(int S, int D, int d, bool columns) {
    Group g = SourcesOf(S, D, d);
    return columns ? g.last : g.first;
}

// A DIB section whose pixels are reached by (position along the tested axis, lane across it).
class LineBitmap {
  public:
    LineBitmap(int length, int lanes, int bpp, bool columns, bool topDown,
               const std::vector<RGBQUAD>& table)
        : columns_(columns), bpp_(bpp) {
        std::vector<std::uint8_t> buffer(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
        auto* info = reinterpret_cast<BITMAPINFO*>(buffer.data());
        width_ = columns ? length : lanes;
        int height = columns ? lanes : length;
        info->bmiHeader = {sizeof(BITMAPINFOHEADER),
                           width_,
                           topDown ? -height : height,
                           1,
                           WORD(bpp),
                           BI_RGB,
                           0,
                           0,
                           0,
                           0,
                           0};
        for (std::size_t i = 0; i < table.size(); ++i) info->bmiColors[i] = table[i];
        void* bits = nullptr;
        dc_ = std::make_unique<MemDc>(
            CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<std::uint8_t*>(bits);
        stride_ = ((width_ * bpp + 31) / 32) * 4;
        height_ = height;
        topDown_ = topDown;
    }
    HDC dc() const { return dc_->dc(); }
    bool Valid() const { return bits_ != nullptr; }

    void Put(int at, int lane, std::uint32_t value) {
        int x = columns_ ? at : lane, y = columns_ ? lane : at;
        std::uint8_t* row = Row(y);
        switch (bpp_) {
            case 1:
                row[x / 8] = std::uint8_t((row[x / 8] & ~(0x80 >> x % 8)) | (value << (7 - x % 8)));
                break;
            case 4:
                row[x / 2] = std::uint8_t(x % 2 ? (row[x / 2] & 0xF0) | value
                                                : (row[x / 2] & 0x0F) | value << 4);
                break;
            case 8:
                row[x] = std::uint8_t(value);
                break;
            case 16:
                row[2 * std::size_t(x)] = std::uint8_t(value);
                row[2 * std::size_t(x) + 1] = std::uint8_t(value >> 8);
                break;
            case 24:
                for (int k = 0; k < 3; ++k) row[3 * x + k] = std::uint8_t(value >> 8 * k);
                break;
            default:
                std::memcpy(row + 4 * std::size_t(x), &value, 4);
                break;
        }
    }
    // A pixel of a 32-bit bitmap.
    std::uint32_t Get(int at, int lane) {
        int x = columns_ ? at : lane, y = columns_ ? lane : at;
        std::uint32_t v;
        std::memcpy(&v, Row(y) + 4 * std::size_t(x), 4);
        return v & 0xFFFFFF;
    }
    // Stretches `length` pixels of `source` onto the first `length` of this bitmap.
    bool StretchFrom(const LineBitmap& source, int srcLength, int dstLength, int lanes) {
        if (columns_)
            return StretchBlt(dc(), 0, 0, dstLength, lanes, source.dc(), 0, 0, srcLength, lanes,
                              SRCCOPY);
        return StretchBlt(dc(), 0, 0, lanes, dstLength, source.dc(), 0, 0, lanes, srcLength,
                          SRCCOPY);
    }

  private:
    std::uint8_t* Row(int y) {
        return bits_ + std::size_t(topDown_ ? y : height_ - 1 - y) * stride_;
    }

    std::unique_ptr<MemDc> dc_;
    std::uint8_t* bits_ = nullptr;
    bool columns_;
    bool topDown_ = false;
    int bpp_;
    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
};

// Distinct, recognisable colours for the entries of an indexed source.
std::vector<RGBQUAD> DistinctTable(int bpp) {
    std::vector<RGBQUAD> table;
    if (bpp > 8) return table;
    for (int i = 0; i < (1 << bpp); ++i) table.push_back({BYTE(i), 0x40, BYTE(255 - i), 0});
    return table;
}

// Values one source pixel can hold that map to distinct colours: a source position is
// spelled in this base, one digit per lane.
int DigitBase(int bpp) {
    return bpp == 1 ? 2 : bpp == 4 ? 16 : 256;
}

int DigitLanes(int bpp) {
    int lanes = 0;
    for (int span = 1; span < kMaxSize; span *= DigitBase(bpp)) ++lanes;
    return lanes;
}

struct Layout {
    int bpp;
    bool columns;
    bool topDown;
};

std::string Describe(const Layout& l, int S, int D) {
    return std::to_string(l.bpp) + " bits, " + (l.columns ? "columns" : "rows") + ", " +
           (l.topDown ? "top-down" : "bottom-up") + " source, " + std::to_string(S) + " -> " +
           std::to_string(D);
}

// The colour each digit value becomes on a 32-bit destination, read from a 1:1 copy.
std::map<std::uint32_t, int> DigitColours(const Layout& l) {
    int base = DigitBase(l.bpp);
    LineBitmap probe(base, 1, l.bpp, l.columns, l.topDown, DistinctTable(l.bpp));
    LineBitmap copy(base, 1, 32, l.columns, !l.topDown, {});
    for (int v = 0; v < base; ++v) probe.Put(v, 0, std::uint32_t(v));
    copy.StretchFrom(probe, base, base, 1);
    std::map<std::uint32_t, int> colours;
    for (int v = 0; v < base; ++v) colours[copy.Get(v, 0)] = v;
    return colours;
}

class StretchModel : public GdiTest, public ::testing::WithParamInterface<int> {};

TEST_P(StretchModel, ColorOnColorPicksTheRulesSourceForEverySize) {
    const int bpp = GetParam(), base = DigitBase(bpp), lanes = DigitLanes(bpp);
    for (bool columns : {true, false}) {
        for (bool topDown : {true, false}) {
            Layout l{bpp, columns, topDown};
            std::map<std::uint32_t, int> digitOf = DigitColours(l);
            ASSERT_EQ(digitOf.size(), std::size_t(base)) << "digit colours are not distinct";
            LineBitmap dst(kMaxSize, lanes, 32, columns, !topDown, {});
            SetStretchBltMode(dst.dc(), COLORONCOLOR);
            for (int S = 1; S <= kMaxSize; ++S) {
                LineBitmap src(S, lanes, bpp, columns, topDown, DistinctTable(bpp));
                ASSERT_TRUE(src.Valid());
                for (int s = 0; s < S; ++s)
                    for (int lane = 0, rest = s; lane < lanes; ++lane, rest /= base)
                        src.Put(s, lane, std::uint32_t(rest % base));
                for (int D = 1; D <= kMaxSize; ++D) {
                    ASSERT_TRUE(dst.StretchFrom(src, S, D, lanes));
                    for (int d = 0; d < D; ++d) {
                        int got = 0;
                        for (int lane = lanes - 1; lane >= 0; --lane)
                            got = got * base + digitOf[dst.Get(d, lane)];
                        ASSERT_EQ(got, ColorOnColorSource(S, D, d, columns))
                            << Describe(l, S, D) << ", destination " << d;
                    }
                }
            }
        }
    }
}

// Random pixels of a source: values, and the colours they stand for on a 32-bit destination.
struct RandomLine {
    std::vector<std::uint32_t> values;
    std::vector<std::uint32_t> colours;
};

RandomLine MakeRandomLine(int S, int bpp, const std::map<std::uint32_t, int>& digitOf,
                          std::mt19937& random) {
    std::vector<std::uint32_t> colourOf(256);
    for (const auto& [colour, value] : digitOf) colourOf[std::size_t(value)] = colour;
    RandomLine line;
    for (int s = 0; s < S; ++s) {
        std::uint32_t v = random() % std::uint32_t(DigitBase(bpp));
        line.values.push_back(v);
        line.colours.push_back(colourOf[v]);
    }
    return line;
}

TEST_P(StretchModel, BlackOnWhiteAndsTheColoursOfEveryGroup) {
    const int bpp = GetParam();
    std::mt19937 random{std::uint32_t(bpp)};
    for (bool columns : {true, false}) {
        for (bool topDown : {true, false}) {
            Layout l{bpp, columns, topDown};
            std::map<std::uint32_t, int> digitOf = DigitColours(l);
            LineBitmap dst(kMaxSize, 1, 32, columns, !topDown, {});
            ASSERT_EQ(GetStretchBltMode(dst.dc()), BLACKONWHITE);
            for (int S = 1; S <= kMaxSize; ++S) {
                LineBitmap src(S, 1, bpp, columns, topDown, DistinctTable(bpp));
                RandomLine line = MakeRandomLine(S, bpp, digitOf, random);
                for (int s = 0; s < S; ++s) src.Put(s, 0, line.values[std::size_t(s)]);
                for (int D = 1; D <= kMaxSize; ++D) {
                    ASSERT_TRUE(dst.StretchFrom(src, S, D, 1));
                    for (int d = 0; d < D; ++d) {
                        Group g = SourcesOf(S, D, d);
                        std::uint32_t expected = 0xFFFFFF;
                        for (int s = g.first; s <= g.last; ++s)
                            expected &= line.colours[std::size_t(s)];
                        ASSERT_EQ(dst.Get(d, 0), expected)
                            << Describe(l, S, D) << ", destination " << d;
                    }
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(SourceDepths, StretchModel, ::testing::Values(1, 4, 8, 16, 24, 32),
                         [](const auto& info) { return std::to_string(info.param) + "bits"; });

// Both axes at once: BLACKONWHITE ANDs the whole rectangle of a group, in colours. A 1-bit
// picture whose table lists white first must keep its black pixels like one that lists black
// first.
TEST_F(GdiTest, BlackOnWhiteAndsTheGroupRectangleOfAOneBitPicture) {
    const std::vector<RGBQUAD> whiteFirst = {{255, 255, 255, 0}, {0, 0, 0, 0}};
    const std::vector<RGBQUAD> twoColours = {{0x30, 0xC0, 0x60, 0}, {0xC6, 0x0C, 0x63, 0}};
    std::mt19937 random{7};
    for (const auto& table : {whiteFirst, twoColours}) {
        for (auto [S, D] : {std::pair{33, 32}, std::pair{65, 16}, std::pair{97, 40}}) {
            void* bits = nullptr;
            MemDc src(testing::MakeDib(S, S, 1, &bits, table));
            std::vector<std::vector<int>> index{std::size_t(S), std::vector<int>(std::size_t(S))};
            for (int y = 0; y < S; ++y)
                for (int x = 0; x < S; ++x) {
                    index[std::size_t(y)][std::size_t(x)] = int(random() % 2);
                    const RGBQUAD& q = table[std::size_t(index[std::size_t(y)][std::size_t(x)])];
                    ASSERT_NE(SetPixel(src.dc(), x, y, RGB(q.rgbRed, q.rgbGreen, q.rgbBlue)),
                              CLR_INVALID);
                }
            MemDc dst(testing::MakeDib(D, D, 32));
            ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, D, D, src.dc(), 0, 0, S, S, SRCCOPY));
            for (int y = 0; y < D; ++y) {
                for (int x = 0; x < D; ++x) {
                    Group gx = SourcesOf(S, D, x), gy = SourcesOf(S, D, y);
                    COLORREF expected = 0xFFFFFF;
                    for (int sy = gy.first; sy <= gy.last; ++sy)
                        for (int sx = gx.first; sx <= gx.last; ++sx) {
                            const RGBQUAD& q =
                                table[std::size_t(index[std::size_t(sy)][std::size_t(sx)])];
                            expected &= RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
                        }
                    ASSERT_EQ(GetPixel(dst.dc(), x, y), expected)
                        << S << " -> " << D << " at " << x << "," << y;
                }
            }
        }
    }
}

}  // namespace
}  // namespace platform
