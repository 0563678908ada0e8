#pragma once

#include <cstdint>
#include <string>

#include "model/AtomicFile.h"

namespace zef {

// A finished file held back beside its target instead of put in place: an export made before
// the person asked for it, shown by its size and placed without being written again. Where the
// file system allows it the file has no name, so a killed program leaves nothing; a named one
// (a video, which ffmpeg writes by name) is named after the running program, and removed by
// RemoveAbandonedTemporaries should the program be killed. Dropping it removes it.
class HeldFile {
  public:
    HeldFile() = default;
    HeldFile(HeldFile&& other) noexcept;
    HeldFile& operator=(HeldFile&& other) noexcept;
    ~HeldFile();

    // The ops of a write whose finished file this takes instead of its target; this must stay
    // where it is until the write ends.
    FileOps Holding(FileOps ops);
    bool Held() const { return file_.fd >= 0; }
    // The file's size in bytes; 0 when nothing is held.
    std::uint64_t Size() const;
    // Puts the file over the target of the path as every write does (the link followed, the
    // target's permission bits, the folder flushed); then nothing is held. False when that
    // fails, the file still held and the target as it was.
    bool Place(const std::string& path, const FileOps& ops = SystemFileOps());
    // Writes a copy of the file's bytes to the path, atomically; the file stays held.
    bool CopyTo(const std::string& path, const FileOps& ops = SystemFileOps()) const;
    // Removes the file.
    void Drop();

  private:
    TemporaryFile file_;
};

// Whether a temporary file can be made beside the target of the path (its folder is there and
// takes new files), which a held file needs.
bool CanHoldBeside(const std::string& path);

}  // namespace zef
