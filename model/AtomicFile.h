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

}  // namespace zef
