#pragma once
// Seekable byte streams: the abstract stream and its memory and file kinds.
#include <cstdint>
#include <string>
#include <vector>

namespace core {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
  public:
    virtual ~TStream() = default;

    // Reads up to `count` bytes; returns how many were read (0 at the end).
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    // Writes up to `count` bytes; returns how many were written.
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    // Moves the position and returns the new one. Seeking past the end is allowed.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    virtual int64_t Size();
    virtual void SetSize(int64_t newSize);

    int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(int64_t position) { Seek(position, TSeekOrigin::soBeginning); }
    // Bytes from the position to the end (0 when the position is past the end).
    int64_t Remaining();

    // A read that must be complete: raises EReadError "Stream read error" when short.
    void ReadBuffer(void* buffer, int64_t count);
    // A write that must be complete: raises EWriteError "Stream write error" when short.
    void WriteBuffer(const void* buffer, int64_t count);
    // Copies `count` bytes from `source`; a count of 0 copies the whole source from its start.
    int64_t CopyFrom(TStream& source, int64_t count);

    template <typename T>
    T ReadValue() {
        T value{};
        ReadBuffer(&value, sizeof value);
        return value;
    }
    template <typename T>
    void WriteValue(const T& value) {
        WriteBuffer(&value, sizeof value);
    }
};

// A growable stream in memory.
class TMemoryStream : public TStream {
  public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : data_(std::move(bytes)) {}

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(data_.size()); }
    void SetSize(int64_t newSize) override;

    void Clear();
    void LoadFromStream(TStream& source);
    void SaveToStream(TStream& target);
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);

    uint8_t* Memory() { return data_.data(); }
    const uint8_t* Memory() const { return data_.data(); }
    const std::vector<uint8_t>& Bytes() const { return data_; }

  private:
    std::vector<uint8_t> data_;
    int64_t position_ = 0;
};

// A read-only stream over bytes that someone else owns (embedded data, fuzz input).
class TBytesStream : public TStream {
  public:
    TBytesStream(const void* data, int64_t size)
        : data_(static_cast<const uint8_t*>(data)), size_(size) {}

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return size_; }

  private:
    const uint8_t* data_;
    int64_t size_;
    int64_t position_ = 0;
};

enum TFileMode : uint32_t {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareDenyWrite = 0x0020,
    fmCreate = 0xFF00,
};

// A file on disk. Opening raises EFOpenError "Cannot open file "%s". %s", creating (which
// truncates) EFCreateError "Cannot create file "%s". %s", each with the full path and the
// system's text for the error.
class TFileStream : public TStream {
  public:
    TFileStream(const std::string& fileName, uint32_t mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void SetSize(int64_t newSize) override;

    const std::string& FileName() const { return fileName_; }

  private:
    std::string fileName_;
    int fd_ = -1;
};

// The absolute form of a path, as error messages show it.
std::string ExpandFileName(const std::string& fileName);

}  // namespace core
