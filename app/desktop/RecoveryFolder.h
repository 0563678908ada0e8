#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zef {

// Where the recovery copies are kept: `$XDG_STATE_HOME/zeftool/recovery`, or
// `home/.local/state/zeftool/recovery` when that variable is unset, empty or not absolute.
std::filesystem::path ChooseRecoveryFolder(std::string_view xdgStateHome, std::string_view home);
// The same choice for this process, from the environment.
std::filesystem::path RecoveryFolderPath();

// The folder of recovery copies and this instance's place in it. Every running instance holds
// a lock on a file of its own there (`<id>.lock`) for as long as it runs, and keeps its copy
// beside it (`<id>.copy`); a copy whose lock nobody holds was left behind by an instance that
// ended without removing it. The folder is the user's own (mode 0700), the copies 0600; a
// copy that is a symbolic link or belongs to another user is ignored.
class RecoveryFolder {
  public:
    // Takes a place in `folder`, made with its parents when missing; nothing when it is not
    // a real folder of this user's own or no lock can be had there.
    static std::unique_ptr<RecoveryFolder> Open(const std::filesystem::path& folder);

    RecoveryFolder(const RecoveryFolder&) = delete;
    RecoveryFolder& operator=(const RecoveryFolder&) = delete;
    // Gives up the place; a copy left behind stays for the next start to offer.
    ~RecoveryFolder();

    const std::string& CopyPath() const { return copy_; }

    // The copies of instances that no longer run, newest first.
    std::vector<std::string> LeftBehind() const;
    // The bytes of such a copy; nothing when it is gone, not a regular file of this user's,
    // or cannot be read.
    std::optional<std::vector<std::uint8_t>> Read(const std::string& copy) const;
    // Deletes a copy left behind.
    void Remove(const std::string& copy) const;
    // Renames a damaged copy aside, to the same name ending in ".damaged".
    void SetAside(const std::string& copy) const;
    // Makes a copy left behind this instance's own copy; false when it could not be moved.
    bool Adopt(const std::string& copy) const;

    // Replaces this instance's copy by the bytes, atomically; false when that failed, and the
    // previous copy is then untouched.
    bool WriteCopy(std::span<const std::uint8_t> bytes) const;
    void RemoveCopy() const;

  private:
    RecoveryFolder(std::filesystem::path folder, int lockFd, std::string lock);

    std::filesystem::path folder_;
    int lockFd_;
    std::string lock_;
    std::string copy_;
};

}  // namespace zef
