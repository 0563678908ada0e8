#include "app/desktop/UserFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace zef {

std::string_view EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string_view HomeFolder() {
    const std::string_view home = EnvironmentValue("HOME");
    if (!home.empty()) {
        return home;
    }
    const passwd* user = getpwuid(getuid());
    return user && user->pw_dir ? user->pw_dir : "";
}

std::filesystem::path XdgProgramFolder(std::string_view value, std::string_view home,
                                       const std::filesystem::path& fallback) {
    const std::filesystem::path folder(value);
    return (folder.is_absolute() ? folder : std::filesystem::path(home) / fallback) / "zeftool";
}

}  // namespace zef
