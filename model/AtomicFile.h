#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace zef {

// A file being written to replace the target of a path.
struct TemporaryFile {
    int fd = -1;       // -1: none could be made
    std::string name;  // of a named temporary file; empty when it has none or is the target
    bool inPlace = false;
};

// The system calls a file write goes through; tests replace them to make a write fail
// part-way or no temporary file be made, benchmarks to leave out the flushes to disk.
struct FileOps {
    std::function<ssize_t(int fd, const void* data, std::size_t size)> write;
    // Flushes a file, or a folder opened for reading, to disk.
    std::function<int(int fd)> flush;
    // Opens a new file without a name in the folder, as open with O_TMPFILE does.
    std::function<int(const char* folder, mode_t mode)> createUnnamed;
    // Makes and opens a new file from a name ending in "XXXXXX", as mkstemp does.
    std::function<int(char* pattern)> createTemporary;
    // Where a finished file goes instead of over its target, when set: the write is held back
    // (see HeldFile.h). The temporary file, flushed, is handed over whole, and the target is
    // left alone; no target is ever rewritten in place then.
    std::function<void(TemporaryFile&& file)> hold = {};
};

FileOps SystemFileOps();

// Writes the bytes to a temporary file beside the target, flushes it, renames it over the
// target and flushes the folder, so that a save reported done outlives a power cut. The
// temporary file has no name until it is complete wherever the file system allows it, so a
// program killed part-way leaves nothing behind; elsewhere it is named after the running
// program (see RemoveAbandonedTemporaries). The target is the file the path names, or where
// the symbolic links at the path lead, so a link stays a link; the saved file keeps the
// target's permission bits. When the target's folder takes no new file but the target itself
// may be written, the target is rewritten in place and flushed. False when any of it fails;
// then, apart from a failed rewrite in place or a failed flush of the folder, no temporary
// file is left and the previous file is byte-identical.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         const FileOps& ops = SystemFileOps());

// The steps of that write, for writers that hand over their bytes piece by piece.
// The temporary file with the target's permission bits, unnamed unless `named` is asked for
// or the file system has no unnamed files; or the target opened to be rewritten in place, unless
// the write is held back. Unnamed files are opened for reading too, so a held one can be copied.
TemporaryFile CreateTemporaryBeside(const std::string& path, const FileOps& ops = SystemFileOps(),
                                    bool named = false);
// Every byte written through the ops, retried when interrupted.
bool WriteAll(int fd, std::span<const std::uint8_t> bytes, const FileOps& ops);
// The end: when everything was written, the file is flushed, closed and put in place over the
// target, and the folder flushed (cut to what was written and flushed, in place), or flushed and
// handed to ops.hold; otherwise, or when any of that fails, it is closed, a named temporary file
// removed, and the result is false.
bool CommitTemporary(TemporaryFile& file, bool written, const std::string& path,
                     const FileOps& ops);
// The end of a write given up: the file is closed, a named temporary file removed.
void DiscardTemporary(TemporaryFile& file);
// Renames a finished named temporary file over the target of the path. False when that fails.
bool PlaceTemporary(const std::string& temporary, const std::string& path);
// Puts a finished, flushed temporary file over the target of the path, with the target's
// permission bits, and flushes the folder: an unnamed one linked in, a named one renamed.
// The descriptor stays open. False when that fails; the target is then as it was.
bool PlaceFinished(const TemporaryFile& file, const std::string& path, const FileOps& ops);
// Flushes a folder (the current one when empty), so that the renames into it outlive a power
// cut. False when that fails; true where the folder cannot be read or flushed at all.
bool FlushFolder(const std::string& folder, const FileOps& ops);
// Removes the named temporary files that an instance of the program which no longer runs left
// in the folder where the path's temporary files go. Those of running instances stay.
void RemoveAbandonedTemporaries(const std::string& path);

}  // namespace zef
