#include "AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace zef {
namespace {

// The permission bits of the saved file: those of the file it replaces, so a save does not
// change who may read it, or those of any new file.
mode_t PermissionsFor(const std::string& path) {
    struct stat existing {};
    if (stat(path.c_str(), &existing) == 0) {
        return existing.st_mode & 07777;
    }
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

FileOps SystemFileOps() {
    return {[](int fd, const void* data, std::size_t size) { return ::write(fd, data, size); },
            [](int fd) { return ::fsync(fd); }};
}

// A short name, so that a target whose name is as long as the file system allows still gets
// its temporary file.
int CreateTemporaryBeside(const std::string& path, std::string& temporary) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    temporary =
        ((folder.empty() ? std::filesystem::path(".") : folder) / ".zeftool-XXXXXX").string();
    const int fd = mkstemp(temporary.data());
    if (fd >= 0) {
        fchmod(fd, PermissionsFor(path));
    }
    return fd;
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
    const bool flushed = written && ops.flush(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!flushed || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         const FileOps& ops) {
    std::string temporary;
    const int fd = CreateTemporaryBeside(path, temporary);
    if (fd < 0) {
        return false;
    }
    return CommitTemporary(fd, WriteAll(fd, bytes, ops), temporary, path, ops);
}

}  // namespace zef
