#include "StagedFiles.h"

#include <unistd.h>

#include <cstdio>

namespace zef {

StagedFiles::~StagedFiles() {
    for (std::size_t i = placed_; i < staged_.size(); ++i) {
        if (!staged_[i].temporary.empty()) {
            std::remove(staged_[i].temporary.c_str());
        }
    }
}

bool StagedFiles::Add(const std::string& path, std::span<const std::uint8_t> bytes) {
    Staged& file = staged_.emplace_back(Staged{{}, path, {}});
    const int fd = CreateTemporaryBeside(path, file.temporary, ops_);
    if (fd < 0) {
        staged_.pop_back();
        return false;
    }
    if (file.temporary.empty()) {
        ::close(fd);
        file.bytes.assign(bytes.begin(), bytes.end());
        return true;
    }
    const bool written = WriteAll(fd, bytes, ops_) && ops_.flush(fd) == 0;
    if (::close(fd) != 0 || !written) {
        std::remove(file.temporary.c_str());
        staged_.pop_back();
        return false;
    }
    return true;
}

bool StagedFiles::Commit() {
    for (; placed_ < staged_.size(); ++placed_) {
        const Staged& file = staged_[placed_];
        const bool placed = file.temporary.empty()
                                ? WriteFileAtomically(file.path, file.bytes, ops_)
                                : PlaceTemporary(file.temporary, file.path);
        if (!placed) {
            return false;
        }
    }
    return true;
}

}  // namespace zef
