#include "AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace zef {
namespace {

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

// The permission bits of the saved file: those of the file it replaces, so a save does not
// change who may read the model, or those of any new file.
mode_t PermissionsFor(const std::string& path) {
    struct stat existing {};
    if (stat(path.c_str(), &existing) == 0) {
        return existing.st_mode & 07777;
    }
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

int CreateTemporaryBeside(const std::string& path, std::string& temporary) {
    temporary = path + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd >= 0) {
        fchmod(fd, PermissionsFor(path));
    }
    return fd;
}

}  // namespace

FileOps SystemFileOps() {
    return {[](int fd, const void* data, std::size_t size) { return ::write(fd, data, size); },
            [](int fd) { return ::fsync(fd); }};
}

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         const FileOps& ops) {
    std::string temporary;
    const int fd = CreateTemporaryBeside(path, temporary);
    if (fd < 0) {
        return false;
    }
    const bool written = WriteAll(fd, bytes, ops) && ops.flush(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    bytes.clear();
    if (ok) {
        bytes.resize(static_cast<std::size_t>(info.st_size));
        std::size_t done = 0;
        while (ok && done < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            ok = n > 0;
            done += ok ? static_cast<std::size_t>(n) : 0;
        }
    }
    ::close(fd);
    return ok;
}

}  // namespace zef
