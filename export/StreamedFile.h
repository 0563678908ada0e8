#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/AtomicFile.h"

namespace zef {

// A file written piece by piece to a temporary file beside its target and put into place by
// Commit, or rewritten in place by Commit where the target's folder takes no new file (as
// WriteFileAtomically does). Whatever goes wrong before Commit, nothing half-written is left:
// the temporary file has no name where the file system allows it, so even a kill leaves
// nothing, the destructor removes a named one unless Commit succeeded, and the target keeps
// what it held before.
class StreamedFile {
  public:
    StreamedFile(const std::string& path, const FileOps& ops = SystemFileOps());
    StreamedFile(const StreamedFile&) = delete;
    StreamedFile& operator=(const StreamedFile&) = delete;
    ~StreamedFile();

    // False once anything failed, from opening the temporary file on.
    bool Ok() const { return ok_; }
    bool Write(const void* data, std::size_t size);
    // Writes over bytes written before, from `offset` on: a header whose figures are known only
    // at the end.
    bool WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes);
    // Writes what is buffered, flushes the file to disk, closes it, puts it over the target
    // and flushes the folder. False, with the temporary file removed, when any of it fails.
    bool Commit();

  private:
    bool Drain();
    bool WriteAll(const std::uint8_t* bytes, std::size_t size);

    std::string path_;
    FileOps ops_;
    TemporaryFile file_;
    bool ok_ = false;
    std::vector<std::uint8_t> buffer_;
    std::uint64_t drained_ = 0;  // bytes in the file; the buffer holds those after them
};

}  // namespace zef
