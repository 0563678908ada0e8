#include "app/desktop/SettingsFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "app/desktop/UserFolders.h"
#include "generated/ProgramIdentity.h"

namespace zef {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kFileName = "Config.dat";

// Reads until `bytes` is full or the file ends; nothing when a read fails.
std::optional<std::size_t> ReadUpTo(int fd, std::span<std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return done;
}

// The count of the file's first bytes read into `bytes`; nothing when the file is missing,
// not a regular file or cannot be read. A named pipe is opened without waiting for a writer
// and then refused.
std::optional<std::size_t> ReadStart(const fs::path& path, std::span<std::uint8_t> bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    const bool regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    const std::optional<std::size_t> done = regular ? ReadUpTo(fd, bytes) : std::nullopt;
    ::close(fd);
    return done;
}

}  // namespace

fs::path ChooseSettingsPath(const fs::path& executableFolder, bool executableFolderWritable,
                            std::string_view xdgConfigHome, std::string_view home) {
    if (executableFolderWritable) {
        return executableFolder / kFileName;
    }
    return XdgProgramFolder(xdgConfigHome, home, ".config") / kFileName;
}

bool IsSystemProgramFolder(const fs::path& executableFolder) {
    const fs::path folder = executableFolder.lexically_normal();
    for (const char* system : {ZEF_INSTALL_BINDIR, "/usr/bin", "/usr/local/bin", "/bin"}) {
        if (folder == fs::path(system) || folder == fs::path(system) / "") {
            return true;
        }
    }
    return false;
}

bool ProgramFolderIsOwn(const fs::path& executableFolder) {
    return !IsSystemProgramFolder(executableFolder) &&
           ::access(executableFolder.c_str(), W_OK) == 0;
}

fs::path SettingsFilePath(const fs::path& executableFolder) {
    return ChooseSettingsPath(executableFolder, ProgramFolderIsOwn(executableFolder),
                              EnvironmentValue("XDG_CONFIG_HOME"), HomeFolder());
}

SettingsRecord ReadSettingsFile(const fs::path& path) {
    std::array<std::uint8_t, kSettingsRecordSize> bytes{};
    const std::optional<std::size_t> size = ReadStart(path, bytes);
    return size ? DecodeSettingsRecord(std::span(bytes).first(*size)) : SettingsRecord{};
}

bool WriteSettingsFile(const fs::path& path, const SettingsRecord& record, const FileOps& ops) {
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    return WriteFileAtomically(path.string(), EncodeSettingsRecord(record), ops);
}

}  // namespace zef
