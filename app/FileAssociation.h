#pragma once

#include <filesystem>
#include <string_view>

namespace zef {

// Associates model files with the program for the current user, under the data home
// ($XDG_DATA_HOME, by default ~/.local/share): the MIME package, the desktop entry running
// `executable` with the file, the type's icon (`typeIcon`, SVG text), and the entry as the
// type's default in mimeapps.list. Registering again points everything at the executable of
// the moment. False when a file could not be written. The desktop's caches are the caller's
// to rebuild.
bool RegisterFileAssociation(const std::filesystem::path& dataHome, std::string_view executable,
                             std::string_view typeIcon);

// Deletes what registering wrote and takes the entry out of mimeapps.list, leaving every
// other line there as it was; a list left without any entry is deleted. Nothing to remove is
// no failure. False when a file could not be deleted or written.
bool RemoveFileAssociation(const std::filesystem::path& dataHome);

}  // namespace zef
