#include "StreamedFile.h"

#include <unistd.h>

#include <cstdio>

namespace zef {
namespace {

constexpr std::size_t kBufferSize = 1 << 16;

}  // namespace

StreamedFile::StreamedFile(const std::string& path, const FileOps& ops) : path_(path), ops_(ops) {
    fd_ = CreateTemporaryBeside(path, temporary_);
    ok_ = fd_ >= 0;
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
    ok_ = ok_ && zef::WriteAll(fd_, {bytes, size}, ops_);
    return ok_;
}

bool StreamedFile::Commit() {
    const bool written = Drain();
    ok_ = CommitTemporary(fd_, written, temporary_, path_, ops_);
    fd_ = -1;
    return ok_;
}

}  // namespace zef
