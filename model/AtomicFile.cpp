#include "model/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <utility>

namespace zef {
namespace {

namespace fs = std::filesystem;

// As many links as the system itself follows before it gives up.
constexpr int kMostLinksFollowed = 40;

// Every temporary file name begins so; the running program's id follows (see OwnerOf).
constexpr std::string_view kTemporaryPrefix = ".zeftool-";

// The file a write to the path replaces: where the symbolic links at the path lead, even to a
// file not made yet.
fs::path WriteTarget(const std::string& path) {
    fs::path target = path;
    std::error_code error;
    for (int i = 0; i < kMostLinksFollowed && fs::is_symlink(target, error); ++i) {
        const fs::path next = fs::read_symlink(target, error);
        if (error) {
            break;
        }
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

fs::path FolderOf(const fs::path& target) {
    const fs::path folder = target.parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

// When the process started, in clock ticks since the machine did: with the process id it names
// one run of a program, as ids are reused. Empty when the process does not run or /proc is
// missing. The program's name, in parentheses, may hold spaces; the start is the 20th field
// after it.
std::string StartOf(const std::string& pid) {
    std::ifstream in("/proc/" + pid + "/stat");
    const std::string stat{std::istreambuf_iterator<char>(in), {}};
    std::istringstream fields(stat.substr(stat.rfind(')') + 1));
    std::string field;
    for (int i = 0; i < 20; ++i) {
        fields >> field;
    }
    return fields ? field : std::string();
}

// The running program as its temporary files name it: "<process id>-<start>".
std::string Owner() {
    const std::string pid = std::to_string(::getpid());
    return pid + "-" + StartOf(pid);
}

// Whether the program that named a temporary file ".zeftool-<process id>-<start>-..." still
// runs. A name of another form is taken to be of a running program: nothing says otherwise.
bool OwnerRuns(const std::string& name) {
    std::istringstream parts(name.substr(kTemporaryPrefix.size()));
    std::string pid;
    std::string start;
    if (!std::getline(parts, pid, '-') || !std::getline(parts, start, '-') || pid.empty() ||
        pid.find_first_not_of("0123456789") != std::string::npos) {
        return true;
    }
    const std::string running = StartOf(pid);
    return !running.empty() && (start.empty() || start == running);
}

// A name beside the target for a temporary file of this program; short, so that a target
// whose name is as long as the file system allows still gets its temporary file.
fs::path OwnedName(const fs::path& target, const std::string& ending) {
    return FolderOf(target) / (std::string(kTemporaryPrefix) + Owner() + "-" + ending);
}

// The permission bits of the saved file: those of the file it replaces, so a save does not
// change who may read it, or those of any new file.
mode_t PermissionsFor(const fs::path& target) {
    struct stat existing {};
    if (stat(target.c_str(), &existing) == 0) {
        return existing.st_mode & 07777;
    }
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// The target opened to be rewritten, when it is a plain file there is and may be written.
// Not cut yet: a write that fails at once leaves it as it was.
int OpenInPlace(const fs::path& target) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    struct stat info {};
    if (fd >= 0 && (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool CommitInPlace(int fd, bool written, const FileOps& ops) {
    const off_t end = written ? lseek(fd, 0, SEEK_CUR) : -1;
    const bool flushed = end >= 0 && ftruncate(fd, end) == 0 && ops.flush(fd) == 0;
    const bool closed = ::close(fd) == 0;
    return flushed && closed;
}

// Gives the unnamed file a name: through /proc, as any user may, or straight from the
// descriptor where /proc is missing and the user is allowed to.
bool Link(int fd, const fs::path& name) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        return true;
    }
    return errno == ENOENT && linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0;
}

// A link cannot replace a file, so the unnamed file is linked under a fresh name of this
// program and renamed over the target from there; only a kill in between leaves that name.
bool PlaceUnnamed(int fd, const std::string& path) {
    static std::atomic<unsigned> linked = 0;
    const fs::path target = WriteTarget(path);
    const fs::path name = OwnedName(target, std::to_string(++linked));
    if (!Link(fd, name)) {
        return false;
    }
    if (std::rename(name.c_str(), target.c_str()) != 0) {
        std::remove(name.c_str());
        return false;
    }
    return true;
}

}  // namespace

FileOps SystemFileOps() {
    return {[](int fd, const void* data, std::size_t size) { return ::write(fd, data, size); },
            [](int fd) { return ::fsync(fd); },
            [](const char* folder, mode_t mode) {
                return ::open(folder, O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
            },
            [](char* pattern) { return mkostemp(pattern, O_CLOEXEC); }};
}

// Any failure of an unnamed file falls back on a named one, for file systems that have none.
// Only a folder that refuses new files for want of permission leads to a rewrite in place; a
// full disk or any other failure leaves the target alone.
TemporaryFile CreateTemporaryBeside(const std::string& path, const FileOps& ops, bool named) {
    const fs::path target = WriteTarget(path);
    const mode_t mode = PermissionsFor(target);
    TemporaryFile file;
    if (!named) {
        file.fd = ops.createUnnamed(FolderOf(target).c_str(), mode);
    }
    if (file.fd < 0) {
        file.name = OwnedName(target, "XXXXXX").string();
        file.fd = ops.createTemporary(file.name.data());
    }
    if (file.fd >= 0) {
        fchmod(file.fd, mode);
        return file;
    }
    const bool refused = (errno == EACCES || errno == EPERM) && !ops.hold;
    file.name.clear();
    file.fd = refused ? OpenInPlace(target) : -1;
    file.inPlace = file.fd >= 0;
    return file;
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes, const FileOps& ops) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ops.write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

bool CommitTemporary(TemporaryFile& file, bool written, const std::string& path,
                     const FileOps& ops) {
    const int fd = std::exchange(file.fd, -1);
    if (file.inPlace) {
        return CommitInPlace(fd, written, ops);
    }
    const bool flushed = written && ops.flush(fd) == 0;
    if (flushed && ops.hold) {
        ops.hold({fd, std::exchange(file.name, {}), false});
        return true;
    }
    const bool placed =
        flushed && (file.name.empty() ? PlaceUnnamed(fd, path) : PlaceTemporary(file.name, path));
    const bool closed = ::close(fd) == 0;
    if (!placed && !file.name.empty()) {
        std::remove(file.name.c_str());
    }
    return placed && closed && FlushFolder(FolderOf(WriteTarget(path)), ops);
}

void DiscardTemporary(TemporaryFile& file) {
    ::close(std::exchange(file.fd, -1));
    if (!file.name.empty()) {
        std::remove(file.name.c_str());
    }
}

bool PlaceTemporary(const std::string& temporary, const std::string& path) {
    return std::rename(temporary.c_str(), WriteTarget(path).c_str()) == 0;
}

bool PlaceFinished(const TemporaryFile& file, const std::string& path, const FileOps& ops) {
    const fs::path target = WriteTarget(path);
    fchmod(file.fd, PermissionsFor(target));
    const bool placed =
        file.name.empty() ? PlaceUnnamed(file.fd, path) : PlaceTemporary(file.name, path);
    return placed && FlushFolder(FolderOf(target), ops);
}

// A folder that may be written but not read cannot be opened to be flushed, and some file
// systems do not flush folders (EINVAL); there the rename is as safe as it gets.
bool FlushFolder(const std::string& folder, const FileOps& ops) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return errno == EACCES;
    }
    const bool flushed = ops.flush(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return flushed;
}

// Without /proc no program can be told to run, and nothing is removed.
void RemoveAbandonedTemporaries(const std::string& path) {
    if (StartOf(std::to_string(::getpid())).empty()) {
        return;
    }
    std::error_code error;
    for (fs::directory_iterator entry(FolderOf(WriteTarget(path)), error), end;
         !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        std::error_code ignored;
        if (name.starts_with(kTemporaryPrefix) && !OwnerRuns(name)) {
            fs::remove(entry->path(), ignored);
        }
    }
}

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         const FileOps& ops) {
    TemporaryFile file = CreateTemporaryBeside(path, ops);
    if (file.fd < 0) {
        return false;
    }
    const bool written = WriteAll(file.fd, bytes, ops);
    return CommitTemporary(file, written, path, ops);
}

}  // namespace zef
