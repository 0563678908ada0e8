#include "app/desktop/PrivateFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace zef {

bool MakePrivateFolder(const std::filesystem::path& folder) {
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return false;
    }
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != ::getuid()) {
        return false;
    }
    return (info.st_mode & 0077) == 0 || ::chmod(folder.c_str(), 0700) == 0;
}

}  // namespace zef
