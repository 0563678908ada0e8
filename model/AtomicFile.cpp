#include "AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace zef {
namespace {

namespace fs = std::filesystem;

// As many links as the system itself follows before it gives up.
constexpr int kMostLinksFollowed = 40;

// The file a write to the path replaces: where the symbolic links at the path lead, even to a
// file not made yet.
fs::path WriteTarget(const std::string& path) {
    fs::path target = path;
    std::error_code error;
    for (int i = 0; i < kMostLinksFollowed && fs::is_symlink(target, error); ++i) {
        const fs::path next = fs::read_symlink(target, error);
        if (error) {
            break;
        }
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

// The permission bits of the saved file: those of the file it replaces, so a save does not
// change who may read it, or those of any new file.
mode_t PermissionsFor(const fs::path& target) {
    struct stat existing {};
    if (stat(target.c_str(), &existing) == 0) {
        return existing.st_mode & 07777;
    }
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// The target opened to be rewritten, when it is a plain file there is and may be written.
// Not cut yet: a write that fails at once leaves it as it was.
int OpenInPlace(const fs::path& target) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    struct stat info {};
    if (fd >= 0 && (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool CommitInPlace(int fd, bool written, const FileOps& ops) {
    const off_t end = written ? lseek(fd, 0, SEEK_CUR) : -1;
    const bool flushed = end >= 0 && ftruncate(fd, end) == 0 && ops.flush(fd) == 0;
    const bool closed = ::close(fd) == 0;
    return flushed && closed;
}

}  // namespace

FileOps SystemFileOps() {
    return {[](int fd, const void* data, std::size_t size) { return ::write(fd, data, size); },
            [](int fd) { return ::fsync(fd); }, [](char* pattern) { return mkstemp(pattern); }};
}

// A short name, so that a target whose name is as long as the file system allows still gets
// its temporary file. Only a folder that refuses new files for want of permission leads to a
// rewrite in place; a full disk or any other failure leaves the target alone.
int CreateTemporaryBeside(const std::string& path, std::string& temporary, const FileOps& ops) {
    const fs::path target = WriteTarget(path);
    const fs::path folder = target.parent_path();
    temporary = ((folder.empty() ? fs::path(".") : folder) / ".zeftool-XXXXXX").string();
    const int fd = ops.createTemporary(temporary.data());
    if (fd >= 0) {
        fchmod(fd, PermissionsFor(target));
        return fd;
    }
    const bool refused = errno == EACCES || errno == EPERM;
    temporary.clear();
    return refused ? OpenInPlace(target) : -1;
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes, const FileOps& ops) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ops.write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

bool CommitTemporary(int fd, bool written, const std::string& temporary, const std::string& path,
                     const FileOps& ops) {
    if (temporary.empty()) {
        return CommitInPlace(fd, written, ops);
    }
    const bool flushed = written && ops.flush(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!flushed || !closed || !PlaceTemporary(temporary, path)) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

void DiscardTemporary(int fd, const std::string& temporary) {
    ::close(fd);
    if (!temporary.empty()) {
        std::remove(temporary.c_str());
    }
}

bool PlaceTemporary(const std::string& temporary, const std::string& path) {
    return std::rename(temporary.c_str(), WriteTarget(path).c_str()) == 0;
}

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         const FileOps& ops) {
    std::string temporary;
    const int fd = CreateTemporaryBeside(path, temporary, ops);
    if (fd < 0) {
        return false;
    }
    return CommitTemporary(fd, WriteAll(fd, bytes, ops), temporary, path, ops);
}

}  // namespace zef
