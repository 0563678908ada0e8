#include "StagedFiles.h"

#include <unistd.h>

#include <cstdio>

namespace zef {

StagedFiles::~StagedFiles() {
    for (std::size_t i = placed_; i < staged_.size(); ++i) {
        std::remove(staged_[i].temporary.c_str());
    }
}

bool StagedFiles::Add(const std::string& path, std::span<const std::uint8_t> bytes) {
    Staged& file = staged_.emplace_back(Staged{{}, path});
    const int fd = CreateTemporaryBeside(path, file.temporary);
    if (fd < 0) {
        staged_.pop_back();
        return false;
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
        if (std::rename(file.temporary.c_str(), file.path.c_str()) != 0) {
            return false;
        }
    }
    return true;
}

}  // namespace zef
