#include "model/ModelFileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <vector>

namespace zef {

bool ReadAll(int fd, std::vector<std::uint8_t>& bytes) {
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

namespace {

// The name is checked before a byte is read: a file with any other ending is refused as it is,
// however large.
LoadResult ReadOpenFile(int fd, const std::string& path, const ModelProperties& current) {
    const std::optional<ModelFormat> format = FormatOfName(path);
    if (!format) {
        return {std::nullopt, LoadFailure::kNotModelFile};
    }
    std::vector<std::uint8_t> bytes;
    try {
        if (!ReadAll(fd, bytes)) {
            return {std::nullopt, LoadFailure::kCannotOpen};
        }
    } catch (const std::bad_alloc&) {
        return {std::nullopt, LoadFailure::kOutOfMemory};
    }
    return DecodeModel(bytes, *format, current);
}

}  // namespace

LoadResult ReadModelFile(const std::string& path, const ModelProperties& current) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return {std::nullopt, LoadFailure::kCannotOpen};
    }
    LoadResult result = ReadOpenFile(fd, path, current);
    ::close(fd);
    return result;
}

bool WriteModelFile(const std::string& path, const Model& model, const FileOps& ops) {
    try {
        return WriteFileAtomically(path, EncodeModel(model.properties, model.points), ops);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace zef
