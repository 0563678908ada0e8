#pragma once

#include <filesystem>
#include <string_view>

namespace zef {

// What an association is made of: the running executable's full path, and the contents of
// the MIME package and of the type's SVG icon.
struct AssociationSources {
    std::string_view executable;
    std::string_view mimePackage;
    std::string_view typeIcon;
};

// Associates model files with the program for the current user, under the data home
// ($XDG_DATA_HOME, by default ~/.local/share): the MIME package, the desktop entry running
// the executable with the file, the type's icon, and the entry as the type's default in
// mimeapps.list. Registering again points everything at the executable of the moment. False
// when a file could not be read or written; then every file written before it holds again
// what it held, so that no half association is left. The desktop's caches are the caller's
// to rebuild.
bool RegisterFileAssociation(const std::filesystem::path& dataHome,
                             const AssociationSources& sources);

// Deletes what registering wrote and takes the entry out of mimeapps.list, leaving every
// other line there as it was; a list left without any entry is deleted. Nothing to remove is
// no failure. False when a file could not be read, deleted or written; then every file is
// given back what it held.
bool RemoveFileAssociation(const std::filesystem::path& dataHome);

}  // namespace zef
