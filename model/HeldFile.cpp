#include "model/HeldFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>
#include <vector>

namespace zef {

HeldFile::HeldFile(HeldFile&& other) noexcept : file_(std::exchange(other.file_, {})) {}

HeldFile& HeldFile::operator=(HeldFile&& other) noexcept {
    if (this != &other) {
        Drop();
        file_ = std::exchange(other.file_, {});
    }
    return *this;
}

HeldFile::~HeldFile() {
    Drop();
}

FileOps HeldFile::Holding(FileOps ops) {
    ops.hold = [this](TemporaryFile&& file) {
        Drop();
        file_ = std::move(file);
    };
    return ops;
}

std::uint64_t HeldFile::Size() const {
    struct stat info {};
    return Held() && fstat(file_.fd, &info) == 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
}

bool HeldFile::Place(const std::string& path, const FileOps& ops) {
    if (!Held() || !PlaceFinished(file_, path, ops)) {
        return false;
    }
    ::close(std::exchange(file_.fd, -1));
    file_.name.clear();
    return true;
}

bool HeldFile::CopyTo(const std::string& path, const FileOps& ops) const {
    if (!Held()) {
        return false;
    }
    TemporaryFile copy = CreateTemporaryBeside(path, ops);
    if (copy.fd < 0) {
        return false;
    }
    std::vector<std::uint8_t> chunk(1 << 16);
    bool copied = true;
    for (off_t offset = 0;;) {
        const ssize_t n = ::pread(file_.fd, chunk.data(), chunk.size(), offset);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            copied = n == 0;
            break;
        }
        if (!WriteAll(copy.fd, {chunk.data(), static_cast<std::size_t>(n)}, ops)) {
            copied = false;
            break;
        }
        offset += n;
    }
    return CommitTemporary(copy, copied, path, ops);
}

void HeldFile::Drop() {
    if (Held()) {
        DiscardTemporary(file_);
    }
    file_ = {};
}

bool CanHoldBeside(const std::string& path) {
    HeldFile probe;
    TemporaryFile file = CreateTemporaryBeside(path, probe.Holding(SystemFileOps()));
    const bool made = file.fd >= 0;
    if (made) {
        DiscardTemporary(file);
    }
    return made;
}

}  // namespace zef
