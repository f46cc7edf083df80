#include "skin/skin_package.h"

#include <cstring>
#include <filesystem>

#include "core/exceptions.h"
#include "core/ini_file.h"
#include "core/resource_strings.h"
#include "core/string_list.h"
#include "skin/skin_strings.h"
#include "skin/zlib_stream.h"

namespace skin {

namespace {

[[noreturn]] void Invalid() {
    throw core::EInvalidGraphic(strings::SInvalidBitmap);
}
[[noreturn]] void Short() {
    throw core::EReadError(core::strings::SReadError);
}

uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
uint16_t U16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
int32_t I32(const uint8_t* p) {
    return static_cast<int32_t>(U32(p));
}

constexpr int64_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3;

struct InfoFields {
    int64_t width = 0, height = 0;
    uint32_t bitCount = 0, compression = BI_RGB, sizeImage = 0, clrUsed = 0;
};

InfoFields ReadInfoHeader(const uint8_t* h, uint32_t headerSize) {
    InfoFields f;
    if (headerSize == kCoreHeaderSize) {
        f.width = U16(h + 4);
        f.height = U16(h + 6);
        f.bitCount = U16(h + 10);
        return f;
    }
    f.width = I32(h + 4);
    f.height = I32(h + 8);
    f.bitCount = U16(h + 14);
    f.compression = U32(h + 16);
    f.sizeImage = U32(h + 20);
    f.clrUsed = U32(h + 32);
    return f;
}

int64_t ColourTableSize(const InfoFields& f, uint32_t headerSize) {
    int64_t entrySize = headerSize == kCoreHeaderSize ? 3 : 4;
    int64_t entries = 0;
    if (f.bitCount <= 8) {
        int64_t full = int64_t{1} << f.bitCount;
        entries = (f.clrUsed == 0 || f.clrUsed > full) ? full : f.clrUsed;
    } else if (f.clrUsed <= 256) {
        entries = f.clrUsed;
    } else {
        Invalid();
    }
    int64_t masks = (headerSize == 40 && f.compression == BI_BITFIELDS) ? 12 : 0;
    return entries * entrySize + masks;
}

int64_t PixelBytes(const InfoFields& f) {
    if (f.compression == BI_RLE8 || f.compression == BI_RLE4) return f.sizeImage;
    int64_t rowBits = f.width * f.bitCount;
    int64_t stride = ((rowBits + 31) / 32) * 4;
    int64_t rows = f.height < 0 ? -f.height : f.height;
    // Width and height are below 2^32; a product that cannot fit any real package is refused
    // before it is formed.
    if (stride > 0 && rows > (int64_t{1} << 40) / stride) Short();
    return stride * rows;
}

class ByteReader {
  public:
    ByteReader(const uint8_t* data, int64_t size) : data_(data), size_(size) {}
    int64_t Position() const { return pos_; }
    uint8_t Byte() {
        if (size_ - pos_ < 1) Short();
        return data_[pos_++];
    }
    int32_t Int32() {
        if (size_ - pos_ < 4) Short();
        int32_t v = I32(data_ + pos_);
        pos_ += 4;
        return v;
    }
    TbsByteRange Bitmap() {
        int64_t length = MeasureBmp(data_ + pos_, size_ - pos_);
        TbsByteRange range{pos_, length};
        pos_ += length;
        return range;
    }
    std::optional<TbsByteRange> FlaggedBitmap() {
        if (Byte() != 0) return std::nullopt;
        return Bitmap();
    }

  private:
    const uint8_t* data_;
    int64_t size_;
    int64_t pos_ = 0;
};

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    core::TMemoryStream stream;
    stream.LoadFromFile(path);
    return stream.Bytes();
}

void AppendInt32(std::vector<uint8_t>& out, int32_t value) {
    uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A picture file as the package stores it: exactly the bytes the bitmap reader consumes.
void AppendBitmapFile(std::vector<uint8_t>& out, const std::string& path) {
    std::vector<uint8_t> bytes = ReadFileBytes(path);
    int64_t length = MeasureBmp(bytes.data(), static_cast<int64_t>(bytes.size()));
    out.insert(out.end(), bytes.begin(), bytes.begin() + length);
}

}  // namespace

int64_t MeasureBmp(const uint8_t* data, int64_t size) {
    if (size < kFileHeaderSize + 4) Short();
    if (data[0] != 'B' || data[1] != 'M') Invalid();
    uint32_t headerSize = U32(data + kFileHeaderSize);
    switch (headerSize) {
        case kCoreHeaderSize:
        case 40:
        case 52:
        case 56:
        case 108:
        case 124:
            break;
        default:
            Invalid();
    }
    if (size - kFileHeaderSize < headerSize) Short();
    InfoFields f = ReadInfoHeader(data + kFileHeaderSize, headerSize);
    switch (f.bitCount) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            break;
        default:
            Invalid();
    }
    if (f.width <= 0 || f.height == 0 || f.compression > BI_BITFIELDS) Invalid();
    if ((f.compression == BI_RLE8 && f.bitCount != 8) ||
        (f.compression == BI_RLE4 && f.bitCount != 4))
        Invalid();
    int64_t total = kFileHeaderSize + headerSize + ColourTableSize(f, headerSize) + PixelBytes(f);
    if (total > size) Short();
    return total;
}

TbsPackageLayout WalkPackage(const uint8_t* data, int64_t size) {
    ByteReader reader(data, size);
    TbsPackageLayout layout;
    layout.Version = reader.Int32();
    if (layout.Version >= kFirstUnsupportedVersion) return layout;
    layout.FramePicture = reader.FlaggedBitmap();
    layout.InactiveFramePicture = reader.FlaggedBitmap();
    layout.FrameMask = reader.FlaggedBitmap();
    if (layout.Version == 2) {
        reader.FlaggedBitmap();
        reader.FlaggedBitmap();
    }
    int32_t count = reader.Int32();
    for (int32_t i = 0; i < count; ++i) layout.ActivePictures.push_back(reader.Bitmap());
    layout.Text = TbsByteRange{reader.Position(), size - reader.Position()};
    return layout;
}

std::vector<uint8_t> InflatePackage(core::TStream& compressed) {
    compressed.SetPosition(0);
    TDecompressionStream inflater(compressed);
    std::vector<uint8_t> out;
    uint8_t block[TCustomZlibStream::kBufferSize];
    for (;;) {
        int64_t got = inflater.Read(block, sizeof block);
        if (got <= 0) break;
        out.insert(out.end(), block, block + got);
    }
    return out;
}

std::optional<std::vector<uint8_t>> BuildPackageFromSkinIni(const std::string& iniPath) {
    std::vector<uint8_t> iniBytes = ReadFileBytes(iniPath);
    core::TStringList lines;
    lines.SetText(
        std::string_view(reinterpret_cast<const char*>(iniBytes.data()), iniBytes.size()));
    core::TMemIniFile ini(lines);
    for (const char* section : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"})
        if (!ini.SectionExists(section)) return std::nullopt;

    const std::filesystem::path dir = std::filesystem::path(iniPath).parent_path();
    auto pathOf = [&](const std::string& name) { return (dir / name).string(); };

    std::vector<uint8_t> out;
    AppendInt32(out, kPackageVersion);
    for (const char* key : {"picture", "inactivepicture", "mask"}) {
        std::string name = ini.ReadString("PICTURES", key, "");
        if (name.empty()) {
            out.push_back(1);
            continue;
        }
        out.push_back(0);
        AppendBitmapFile(out, pathOf(name));
    }
    int32_t count = std::max(0, ini.ReadInteger("PICTURES", "activepicturescount", 0));
    AppendInt32(out, count);
    for (int32_t i = 0; i < count; ++i)
        AppendBitmapFile(out, pathOf(ini.ReadString("PICTURES", std::to_string(i), "")));
    for (const std::string& line : lines) {
        out.insert(out.end(), line.begin(), line.end());
        out.push_back('\r');
        out.push_back('\n');
    }
    return out;
}

void CompressPackage(const std::vector<uint8_t>& package, core::TStream& destination) {
    TCompressionStream deflater(TCompressionLevel::clMax, destination);
    deflater.WriteBuffer(package.data(), static_cast<int64_t>(package.size()));
    deflater.Finish();
}

}  // namespace skin
