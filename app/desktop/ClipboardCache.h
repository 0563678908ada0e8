#pragma once

#include <filesystem>
#include <string>

namespace zef {

// Where a file handed to the clipboard or dragged away before it is saved waits for the
// program that takes it: $XDG_CACHE_HOME/zeftool, else ~/.cache/zeftool.
std::filesystem::path ClipboardCacheFolder();

// The file in `folder` for an export the dialog shows at `shownPath`: under the name the path
// ends in, or under `fallbackName` when the path ends in no name.
std::filesystem::path ClipboardCachePath(const std::filesystem::path& folder,
                                         const std::string& shownPath,
                                         const std::string& fallbackName);

// Removes the files of the folder last changed a day or more before `now`; a folder that
// cannot be read is left alone.
void RemoveDayOldFiles(
    const std::filesystem::path& folder,
    std::filesystem::file_time_type now = std::filesystem::file_time_type::clock::now());

}  // namespace zef
