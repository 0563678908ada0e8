#include "app/desktop/RecoveryFolder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>
#include <tuple>

#include "app/desktop/PrivateFolder.h"
#include "app/desktop/UserFolders.h"
#include "model/AtomicFile.h"
#include "model/ModelFileIO.h"

namespace zef {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kCopyEnding = ".copy";
constexpr std::string_view kLockEnding = ".lock";
constexpr std::string_view kDamagedEnding = ".damaged";
// A lock file is made a moment before it is locked; one that nobody holds is taken for left
// behind only once it is this old.
constexpr std::time_t kLockSettleSeconds = 60;

std::string LockOf(const std::string& copy) {
    return copy.substr(0, copy.size() - kCopyEnding.size()) + std::string(kLockEnding);
}

// A regular file, not a symbolic link, of this user's.
bool OwnFile(const std::string& path, struct stat& info) {
    return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::getuid();
}

// True when no running instance holds the lock, or there is none.
bool LockFree(const std::string& lock) {
    const int fd = ::open(lock.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT;
    }
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

// The lock files of instances that ended without removing theirs.
void RemoveFreeLocks(const fs::path& folder, const std::string& own) {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const std::string path = entry.path().string();
        struct stat info {};
        if (path.ends_with(kLockEnding) && path != own && OwnFile(path, info) &&
            info.st_mtime + kLockSettleSeconds < std::time(nullptr) && LockFree(path)) {
            ::unlink(path.c_str());
        }
    }
}

}  // namespace

fs::path ChooseRecoveryFolder(std::string_view xdgStateHome, std::string_view home) {
    return XdgProgramFolder(xdgStateHome, home, ".local/state") / "recovery";
}

fs::path RecoveryFolderPath() {
    return ChooseRecoveryFolder(EnvironmentValue("XDG_STATE_HOME"), HomeFolder());
}

std::unique_ptr<RecoveryFolder> RecoveryFolder::Open(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder.parent_path(), error);
    if (!MakePrivateFolder(folder)) {
        return nullptr;
    }
    std::string lock = (folder / (std::to_string(::getpid()) + "-XXXXXX")).string();
    lock += kLockEnding;
    const int fd = ::mkostemps(lock.data(), static_cast<int>(kLockEnding.size()), O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::unlink(lock.c_str());
        ::close(fd);
        return nullptr;
    }
    RemoveFreeLocks(folder, lock);
    return std::unique_ptr<RecoveryFolder>(new RecoveryFolder(folder, fd, std::move(lock)));
}

RecoveryFolder::RecoveryFolder(fs::path folder, int lockFd, std::string lock)
    : folder_(std::move(folder)), lockFd_(lockFd), lock_(std::move(lock)) {
    copy_ = lock_.substr(0, lock_.size() - kLockEnding.size()) + std::string(kCopyEnding);
}

RecoveryFolder::~RecoveryFolder() {
    ::unlink(lock_.c_str());
    ::close(lockFd_);
}

std::vector<std::string> RecoveryFolder::LeftBehind() const {
    struct Found {
        std::string path;
        timespec modified;
    };
    std::vector<Found> found;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_, error)) {
        std::string path = entry.path().string();
        struct stat info {};
        if (path.ends_with(kCopyEnding) && path != copy_ && OwnFile(path, info) &&
            LockFree(LockOf(path))) {
            found.push_back({std::move(path), info.st_mtim});
        }
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return std::tie(a.modified.tv_sec, a.modified.tv_nsec) >
               std::tie(b.modified.tv_sec, b.modified.tv_nsec);
    });
    std::vector<std::string> paths;
    for (Found& copy : found) {
        paths.push_back(std::move(copy.path));
    }
    return paths;
}

std::optional<std::vector<std::uint8_t>> RecoveryFolder::Read(const std::string& copy) const {
    const int fd = ::open(copy.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    std::vector<std::uint8_t> bytes;
    bool read = false;
    try {
        read = ::fstat(fd, &info) == 0 && info.st_uid == ::getuid() && ReadAll(fd, bytes);
    } catch (const std::bad_alloc&) {
    }
    ::close(fd);
    return read ? std::optional(std::move(bytes)) : std::nullopt;
}

void RecoveryFolder::Remove(const std::string& copy) const {
    ::unlink(copy.c_str());
    ::unlink(LockOf(copy).c_str());
}

void RecoveryFolder::SetAside(const std::string& copy) const {
    std::rename(copy.c_str(), (copy + std::string(kDamagedEnding)).c_str());
    ::unlink(LockOf(copy).c_str());
}

bool RecoveryFolder::Adopt(const std::string& copy) const {
    if (std::rename(copy.c_str(), copy_.c_str()) != 0) {
        return false;
    }
    ::unlink(LockOf(copy).c_str());
    return true;
}

bool RecoveryFolder::WriteCopy(std::span<const std::uint8_t> bytes) const {
    const FileOps ops = SystemFileOps();
    TemporaryFile file = CreateTemporaryBeside(copy_, ops);
    if (file.fd < 0) {
        return false;
    }
    const bool written = ::fchmod(file.fd, 0600) == 0 && WriteAll(file.fd, bytes, ops);
    return CommitTemporary(file, written, copy_, ops);
}

void RecoveryFolder::RemoveCopy() const {
    ::unlink(copy_.c_str());
}

}  // namespace zef
