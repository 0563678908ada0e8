#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/AtomicFile.h"

namespace zef {

// Files that appear together or not at all. Each is written and flushed under a temporary
// name beside its target (a name, as they must wait side by side, of the running program's, so
// that a later export removes them should it be killed: RemoveAbandonedTemporaries), and
// Commit renames them into place once all are complete; until then every file under a target
// name keeps what it held. Whatever was not put in place is removed with the StagedFiles. As
// in WriteFileAtomically, the target is where links at the path lead, and a target in a folder
// that takes no new file is rewritten in place; its bytes wait in memory until Commit.
class StagedFiles {
  public:
    explicit StagedFiles(const FileOps& ops = SystemFileOps()) : ops_(ops) {}
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;
    ~StagedFiles();

    // Writes the bytes that are to become the file at `path`. False, with nothing of them
    // left, when they could not be written and flushed.
    bool Add(const std::string& path, std::span<const std::uint8_t> bytes);
    // Renames the files into place in the order they were added, then flushes their folders.
    // A rename or rewrite that fails stops it with false: the files before it are in place, it
    // and the rest stay temporary.
    bool Commit();

  private:
    struct Staged {
        std::string temporary;  // empty: rewritten in place by Commit
        std::string path;
        std::vector<std::uint8_t> bytes;  // only of a file rewritten in place
    };

    FileOps ops_;
    std::vector<Staged> staged_;
    std::size_t placed_ = 0;
};

}  // namespace zef
