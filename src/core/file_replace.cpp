#include "core/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>

#include "core/exceptions.h"
#include "core/resource_strings.h"
#include "core/stream.h"

namespace core {

namespace {

// Symbolic links followed before giving up, as the kernel does (ELOOP).
constexpr int kMaxLinkHops = 40;

[[noreturn]] void CreateError(const std::string& fileName, int code) {
    throw EFCreateError(strings::SFCreateErrorEx,
                        {ExpandFileName(fileName), SysErrorMessage(code)});
}

class OpenFile {
  public:
    explicit OpenFile(int fd) : fd_(fd) {}
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile() { Close(); }
    int Fd() const { return fd_; }
    // Returns false (errno set) when the kernel reports a late write error on close.
    bool Close() {
        int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

  private:
    int fd_;
};

bool WriteAll(int fd, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// The file a chain of symbolic links names (it need not exist yet): writing goes to that
// file and leaves the links as they are, as it does when the file is simply opened.
std::string FollowLinks(const std::string& fileName) {
    std::string path = fileName;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        char target[PATH_MAX];
        ssize_t length = ::readlink(path.c_str(), target, sizeof target);
        if (length < 0 || static_cast<size_t>(length) == sizeof target)
            CreateError(fileName, errno);
        std::string next(target, static_cast<size_t>(length));
        size_t slash = path.rfind('/');
        if (next[0] != '/' && slash != std::string::npos) next.insert(0, path, 0, slash + 1);
        path = next;
    }
    CreateError(fileName, ELOOP);
}

// Where no new file may be made in the folder, the file itself is overwritten. Room for the
// new bytes is reserved before the old ones are touched, so a full disk keeps the old file.
void WriteInPlace(const std::string& fileName, const std::string& target,
                  const std::vector<uint8_t>& bytes) {
    OpenFile file(::open(target.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666));
    if (file.Fd() < 0) CreateError(fileName, errno);
    struct stat info {};
    if (::fstat(file.Fd(), &info) != 0) CreateError(fileName, errno);
    bool regular = S_ISREG(info.st_mode);
    if (regular && static_cast<off_t>(bytes.size()) > info.st_size) {
        int reserved = ::posix_fallocate(file.Fd(), 0, static_cast<off_t>(bytes.size()));
        if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL) {
            (void)!::ftruncate(file.Fd(), info.st_size);
            CreateError(fileName, reserved);
        }
    }
    bool written = WriteAll(file.Fd(), bytes);
    if (written && regular)
        written = ::ftruncate(file.Fd(), static_cast<off_t>(bytes.size())) == 0 &&
                  ::fsync(file.Fd()) == 0;
    if (!written || !file.Close()) CreateError(fileName, errno ? errno : EIO);
}

// Writes a temporary file beside `target` and renames it over the target, so the target is
// either the old file or the whole new one. Returns false when no temporary file can be made.
bool ReplaceThroughTemporary(const std::string& fileName, const std::string& target,
                             const struct stat* existing, const std::vector<uint8_t>& bytes) {
    std::string temporary = target + ".XXXXXX";
    OpenFile file(::mkstemp(temporary.data()));
    if (file.Fd() < 0) return false;
    // The new file keeps the old one's permissions and owner, or gets a new file's.
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(file.Fd(), existing ? (existing->st_mode & 07777) : (0666 & ~mask));
    if (existing) (void)!::fchown(file.Fd(), existing->st_uid, existing->st_gid);

    bool written = WriteAll(file.Fd(), bytes) && ::fsync(file.Fd()) == 0 && file.Close() &&
                   ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!written) {
        int code = errno ? errno : EIO;
        ::unlink(temporary.c_str());
        CreateError(fileName, code);
    }
    return true;
}

}  // namespace

void WriteFileReplacing(const std::string& fileName, const std::vector<uint8_t>& bytes) {
    const std::string target = FollowLinks(fileName);
    // An existing file must be writable, as creating it over itself would require.
    struct stat existing {};
    bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) CreateError(fileName, EISDIR);
    if (exists && ::access(target.c_str(), W_OK) != 0) CreateError(fileName, errno);

    // Devices and pipes are written to, never replaced.
    if (exists && !S_ISREG(existing.st_mode)) return WriteInPlace(fileName, target, bytes);
    errno = 0;
    if (!ReplaceThroughTemporary(fileName, target, exists ? &existing : nullptr, bytes))
        WriteInPlace(fileName, target, bytes);
}

}  // namespace core
