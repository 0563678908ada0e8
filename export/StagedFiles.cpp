#include "export/StagedFiles.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <utility>

namespace zef {

StagedFiles::~StagedFiles() {
    for (std::size_t i = placed_; i < staged_.size(); ++i) {
        if (!staged_[i].temporary.empty()) {
            std::remove(staged_[i].temporary.c_str());
        }
    }
}

bool StagedFiles::Add(const std::string& path, std::span<const std::uint8_t> bytes) {
    Staged& staged = staged_.emplace_back(Staged{{}, path, {}});
    TemporaryFile file = CreateTemporaryBeside(path, ops_, true);
    if (file.fd < 0) {
        staged_.pop_back();
        return false;
    }
    staged.temporary = std::move(file.name);
    if (file.inPlace) {
        ::close(file.fd);
        staged.bytes.assign(bytes.begin(), bytes.end());
        return true;
    }
    const bool written = WriteAll(file.fd, bytes, ops_) && ops_.flush(file.fd) == 0;
    if (::close(file.fd) != 0 || !written) {
        std::remove(staged.temporary.c_str());
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
    std::set<std::string> folders;
    for (const Staged& file : staged_) {
        if (!file.temporary.empty()) {
            folders.insert(std::filesystem::path(file.temporary).parent_path().string());
        }
    }
    return std::ranges::all_of(
        folders, [this](const std::string& folder) { return FlushFolder(folder, ops_); });
}

}  // namespace zef
