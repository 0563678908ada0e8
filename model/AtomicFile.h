#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace zef {

// The system calls a file write goes through; tests replace them to make a write fail
// part-way, benchmarks to leave out the flush to disk.
struct FileOps {
    std::function<ssize_t(int fd, const void* data, std::size_t size)> write;
    std::function<int(int fd)> flush;
};

FileOps SystemFileOps();

// Writes the bytes to a temporary file in the target's folder, flushes it and renames it
// over the target. On any failure the temporary file is removed, the previous file at the
// path is untouched, and the result is false.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         const FileOps& ops = SystemFileOps());

// The steps of that write, for writers that hand over their bytes piece by piece. A temporary
// file with a short name in the target's folder and the permission bits of the file it will
// replace: its descriptor, or -1. Every byte written through the ops, retried when
// interrupted. The end: when everything was written, the file is flushed, closed and renamed
// over the target; otherwise, or when any of that fails, it is closed and removed.
int CreateTemporaryBeside(const std::string& path, std::string& temporary);
bool WriteAll(int fd, std::span<const std::uint8_t> bytes, const FileOps& ops);
bool CommitTemporary(int fd, bool written, const std::string& temporary, const std::string& path,
                     const FileOps& ops);

}  // namespace zef
