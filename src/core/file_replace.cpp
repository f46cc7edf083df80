#include "core/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "core/exceptions.h"
#include "core/resource_strings.h"
#include "core/stream.h"

namespace core {

namespace {

[[noreturn]] void CreateError(const std::string& fileName, int code) {
    throw EFCreateError(strings::SFCreateErrorEx, {ExpandFileName(fileName), SysErrorMessage(code)});
}

bool WriteAll(int fd, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return ::fsync(fd) == 0;
}

}  // namespace

void WriteFileReplacing(const std::string& fileName, const std::vector<uint8_t>& bytes) {
    // An existing file must be writable, as creating it over itself would require.
    struct stat existing {};
    bool exists = ::stat(fileName.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) CreateError(fileName, EISDIR);
    if (exists && ::access(fileName.c_str(), W_OK) != 0) CreateError(fileName, errno);

    std::string temporary = fileName + ".XXXXXX";
    int fd = ::mkstemp(temporary.data());
    if (fd < 0) CreateError(fileName, errno);
    // Keep the permissions a newly created file would get (or the old file's).
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, exists ? (existing.st_mode & 07777) : (0666 & ~mask));

    bool written = WriteAll(fd, bytes);
    int code = errno;
    ::close(fd);
    if (!written || ::rename(temporary.c_str(), fileName.c_str()) != 0) {
        if (written) code = errno;
        ::unlink(temporary.c_str());
        CreateError(fileName, code ? code : EIO);
    }
}

}  // namespace core
