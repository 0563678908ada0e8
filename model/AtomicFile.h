#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace zef {

// The system calls a file write goes through; tests replace them to make a write fail
// part-way or no temporary file be made, benchmarks to leave out the flush to disk.
struct FileOps {
    std::function<ssize_t(int fd, const void* data, std::size_t size)> write;
    std::function<int(int fd)> flush;
    // Makes and opens a new file from a name ending in "XXXXXX", as mkstemp does.
    std::function<int(char* pattern)> createTemporary;
};

FileOps SystemFileOps();

// Writes the bytes to a temporary file beside the target, flushes it and renames it over the
// target. The target is the file the path names, or where the symbolic links at the path lead,
// so a link stays a link; the saved file keeps the target's permission bits. When the target's
// folder takes no new file but the target itself may be written, the target is rewritten in
// place and flushed. False when any of it fails; then, apart from a failed rewrite in place,
// the temporary file is removed and the previous file is byte-identical.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         const FileOps& ops = SystemFileOps());

// The steps of that write, for writers that hand over their bytes piece by piece.
// A temporary file with a short name beside the target and the target's permission bits: its
// descriptor, or -1. Rewriting in place, the descriptor is the target's and `temporary` empty.
int CreateTemporaryBeside(const std::string& path, std::string& temporary,
                          const FileOps& ops = SystemFileOps());
// Every byte written through the ops, retried when interrupted.
bool WriteAll(int fd, std::span<const std::uint8_t> bytes, const FileOps& ops);
// The end: when everything was written, the file is flushed, closed and renamed over the
// target (cut to what was written, in place); otherwise, or when any of that fails, it is
// closed, a temporary file removed, and the result is false.
bool CommitTemporary(int fd, bool written, const std::string& temporary, const std::string& path,
                     const FileOps& ops);
// The end of a write given up: the file is closed, a temporary file removed.
void DiscardTemporary(int fd, const std::string& temporary);
// Renames a finished temporary file over the target of the path. False when that fails.
bool PlaceTemporary(const std::string& temporary, const std::string& path);

}  // namespace zef
