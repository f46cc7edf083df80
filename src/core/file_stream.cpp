#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <filesystem>

#include "core/exceptions.h"
#include "core/resource_strings.h"
#include "core/stream.h"

namespace core {

std::string ExpandFileName(const std::string& fileName) {
    std::error_code error;
    auto absolute = std::filesystem::absolute(fileName, error);
    if (error) return fileName;
    return absolute.lexically_normal().string();
}

namespace {

int OpenFlags(uint32_t mode) {
    if (mode == fmCreate) return O_RDWR | O_CREAT | O_TRUNC;
    switch (mode & 3) {
        case fmOpenWrite:
            return O_WRONLY;
        case fmOpenReadWrite:
            return O_RDWR;
        default:
            return O_RDONLY;
    }
}

}  // namespace

TFileStream::TFileStream(const std::string& fileName, uint32_t mode) : fileName_(fileName) {
    fd_ = ::open(fileName.c_str(), OpenFlags(mode) | O_CLOEXEC, 0666);
    // Directories open for reading on this platform but are not files.
    if (fd_ >= 0) {
        struct stat info {};
        if (::fstat(fd_, &info) == 0 && S_ISDIR(info.st_mode)) {
            ::close(fd_);
            fd_ = -1;
            errno = EISDIR;
        }
    }
    if (fd_ < 0) {
        int code = errno;
        std::string text = SysErrorMessage(code);
        std::string path = ExpandFileName(fileName);
        if (mode == fmCreate) throw EFCreateError(strings::SFCreateErrorEx, {path, text});
        throw EFOpenError(strings::SFOpenErrorEx, {path, text});
    }
}

TFileStream::~TFileStream() {
    if (fd_ >= 0) ::close(fd_);
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
    int64_t total = 0;
    auto* bytes = static_cast<uint8_t*>(buffer);
    while (total < count) {
        ssize_t n = ::read(fd_, bytes + total,
                           static_cast<size_t>(std::min<int64_t>(count - total, INT_MAX)));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        total += n;
    }
    return total;
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
    int64_t total = 0;
    auto* bytes = static_cast<const uint8_t*>(buffer);
    while (total < count) {
        ssize_t n = ::write(fd_, bytes + total,
                            static_cast<size_t>(std::min<int64_t>(count - total, INT_MAX)));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        total += n;
    }
    return total;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET
                 : origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                    : SEEK_END;
    off_t result = ::lseek(fd_, offset, whence);
    return result < 0 ? -1 : result;
}

void TFileStream::SetSize(int64_t newSize) {
    if (::ftruncate(fd_, newSize) != 0) RaiseLastOSError(errno);
    if (Position() > newSize) SetPosition(newSize);
}

}  // namespace core
