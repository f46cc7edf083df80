#include "core/stream.h"

#include <algorithm>
#include <cstring>

#include "core/exceptions.h"
#include "core/resource_strings.h"

namespace core {

int64_t TStream::Size() {
    int64_t position = Seek(0, TSeekOrigin::soCurrent);
    int64_t size = Seek(0, TSeekOrigin::soEnd);
    Seek(position, TSeekOrigin::soBeginning);
    return size;
}

void TStream::SetSize(int64_t) {
    throw EStreamError(strings::SInvalidStreamOperation);
}

int64_t TStream::Remaining() {
    return std::max<int64_t>(0, Size() - Position());
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
    if (count > 0 && Read(buffer, count) != count) throw EReadError(strings::SReadError);
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
    if (count > 0 && Write(buffer, count) != count) throw EWriteError(strings::SWriteError);
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    constexpr int64_t kChunk = int64_t{64} * 1024;
    std::vector<uint8_t> buffer(static_cast<size_t>(std::min(count, kChunk)));
    int64_t left = count;
    while (left > 0) {
        int64_t n = std::min(left, kChunk);
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        left -= n;
    }
    return count;
}

namespace {

int64_t SeekTarget(int64_t position, int64_t size, int64_t offset, TSeekOrigin origin) {
    switch (origin) {
        case TSeekOrigin::soBeginning:
            return offset;
        case TSeekOrigin::soCurrent:
            return position + offset;
        case TSeekOrigin::soEnd:
            return size + offset;
    }
    return position;
}

int64_t CopyOut(const uint8_t* data, int64_t size, int64_t& position, void* buffer, int64_t count) {
    if (count <= 0 || position < 0 || position >= size) return 0;
    int64_t n = std::min(count, size - position);
    std::memcpy(buffer, data + position, static_cast<size_t>(n));
    position += n;
    return n;
}

}  // namespace

// --- TMemoryStream ---

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
    return CopyOut(data_.data(), Size(), position_, buffer, count);
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
    if (count <= 0 || position_ < 0) return 0;
    int64_t end = position_ + count;
    if (end > Size()) data_.resize(static_cast<size_t>(end));
    std::memcpy(data_.data() + position_, buffer, static_cast<size_t>(count));
    position_ = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    position_ = SeekTarget(position_, Size(), offset, origin);
    return position_;
}

void TMemoryStream::SetSize(int64_t newSize) {
    data_.resize(static_cast<size_t>(std::max<int64_t>(0, newSize)));
    position_ = std::min(position_, Size());
}

void TMemoryStream::Clear() {
    data_.clear();
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
    source.SetPosition(0);
    int64_t size = source.Size();
    data_.resize(static_cast<size_t>(size));
    source.ReadBuffer(data_.data(), size);
    position_ = 0;
}

void TMemoryStream::SaveToStream(TStream& target) {
    target.WriteBuffer(data_.data(), Size());
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const std::string& fileName) {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

// --- TBytesStream ---

int64_t TBytesStream::Read(void* buffer, int64_t count) {
    return CopyOut(data_, size_, position_, buffer, count);
}

int64_t TBytesStream::Write(const void*, int64_t) {
    return 0;
}

int64_t TBytesStream::Seek(int64_t offset, TSeekOrigin origin) {
    position_ = SeekTarget(position_, size_, offset, origin);
    return position_;
}

}  // namespace core
