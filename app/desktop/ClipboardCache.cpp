#include "app/desktop/ClipboardCache.h"

#include <chrono>
#include <system_error>

#include "app/desktop/UserFolders.h"

namespace zef {

std::filesystem::path ClipboardCacheFolder() {
    return XdgProgramFolder(EnvironmentValue("XDG_CACHE_HOME"), HomeFolder(), ".cache");
}

std::filesystem::path ClipboardCachePath(const std::filesystem::path& folder,
                                         const std::string& shownPath,
                                         const std::string& fallbackName) {
    const std::filesystem::path name = std::filesystem::path(shownPath).filename();
    return folder / (name.empty() || name == "." || name == ".."
                         ? std::filesystem::path(fallbackName)
                         : name);
}

void RemoveDayOldFiles(const std::filesystem::path& folder, std::filesystem::file_time_type now) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        std::error_code entryError;
        if (!entry.is_regular_file(entryError)) {
            continue;
        }
        const std::filesystem::file_time_type changed = entry.last_write_time(entryError);
        if (!entryError && changed <= now - std::chrono::hours(24)) {
            std::filesystem::remove(entry.path(), entryError);
        }
    }
}

}  // namespace zef
