#include "StreamedFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace zef {
namespace {

constexpr std::size_t kBufferSize = 1 << 16;

// The permission bits of a new file: those of the file it replaces, or the usual ones.
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

StreamedFile::StreamedFile(const std::string& path, const FileOps& ops) : path_(path), ops_(ops) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    temporary_ =
        ((folder.empty() ? std::filesystem::path(".") : folder) / ".zeftool-XXXXXX").string();
    fd_ = mkstemp(temporary_.data());
    ok_ = fd_ >= 0 && fchmod(fd_, PermissionsFor(path)) == 0;
    buffer_.reserve(kBufferSize);
}

StreamedFile::~StreamedFile() {
    if (fd_ >= 0) {
        ::close(fd_);
        std::remove(temporary_.c_str());
    }
}

bool StreamedFile::Write(const void* data, std::size_t size) {
    if (buffer_.size() + size > kBufferSize && !Drain()) {
        return false;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    if (size >= kBufferSize) {
        return WriteAll(bytes, size);
    }
    buffer_.insert(buffer_.end(), bytes, bytes + size);
    return ok_;
}

bool StreamedFile::Drain() {
    const bool written = WriteAll(buffer_.data(), buffer_.size());
    buffer_.clear();
    return written;
}

bool StreamedFile::WriteAll(const std::uint8_t* bytes, std::size_t size) {
    std::size_t written = 0;
    while (ok_ && written < size) {
        const ssize_t n = ops_.write(fd_, bytes + written, size - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        ok_ = n > 0;
        written += ok_ ? static_cast<std::size_t>(n) : 0;
    }
    return ok_;
}

bool StreamedFile::Commit() {
    const bool written = Drain() && ops_.flush(fd_) == 0;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    ok_ = written && closed && std::rename(temporary_.c_str(), path_.c_str()) == 0;
    if (!ok_) {
        std::remove(temporary_.c_str());
    }
    return ok_;
}

}  // namespace zef
