#include "export/StreamedFile.h"

#include <unistd.h>

#include <algorithm>

namespace zef {
namespace {

constexpr std::size_t kBufferSize = 1 << 16;

}  // namespace

StreamedFile::StreamedFile(const std::string& path, const FileOps& ops)
    : path_(path), ops_(ops), file_(CreateTemporaryBeside(path, ops_)) {
    ok_ = file_.fd >= 0;
    buffer_.reserve(kBufferSize);
}

StreamedFile::~StreamedFile() {
    if (file_.fd >= 0) {
        DiscardTemporary(file_);
    }
}

// A target rewritten in place is not touched before Commit, so that a file given up leaves it as
// it was: its bytes are all kept until then.
bool StreamedFile::Write(const void* data, std::size_t size) {
    if (!ok_) {
        return false;
    }
    const bool inPlace = file_.inPlace;
    if (!inPlace && buffer_.size() + size > kBufferSize && !Drain()) {
        return false;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    if (!inPlace && size >= kBufferSize) {
        return WriteAll(bytes, size);
    }
    buffer_.insert(buffer_.end(), bytes, bytes + size);
    return ok_;
}

bool StreamedFile::WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
    const std::size_t onDisk =
        offset < drained_
            ? static_cast<std::size_t>(std::min<std::uint64_t>(bytes.size(), drained_ - offset))
            : 0;
    if (ok_ && onDisk > 0) {
        ok_ = lseek(file_.fd, static_cast<off_t>(offset), SEEK_SET) >= 0 &&
              zef::WriteAll(file_.fd, bytes.first(onDisk), ops_) &&
              lseek(file_.fd, 0, SEEK_END) >= 0;
    }
    const std::span<const std::uint8_t> buffered = bytes.subspan(onDisk);
    if (ok_ && !buffered.empty()) {
        std::copy(buffered.begin(), buffered.end(),
                  buffer_.begin() + static_cast<std::ptrdiff_t>(offset + onDisk - drained_));
    }
    return ok_;
}

bool StreamedFile::Drain() {
    const bool written = WriteAll(buffer_.data(), buffer_.size());
    buffer_.clear();
    return written;
}

bool StreamedFile::WriteAll(const std::uint8_t* bytes, std::size_t size) {
    ok_ = ok_ && zef::WriteAll(file_.fd, {bytes, size}, ops_);
    drained_ += size;
    return ok_;
}

bool StreamedFile::Commit() {
    const bool written = Drain();
    ok_ = CommitTemporary(file_, written, path_, ops_);
    return ok_;
}

}  // namespace zef
