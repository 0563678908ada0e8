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

// The user's base folders an association lives in.
struct AssociationHomes {
    std::filesystem::path data;    // $XDG_DATA_HOME, by default ~/.local/share
    std::filesystem::path config;  // $XDG_CONFIG_HOME, by default ~/.config
};

// Associates model files with the program for the current user: under the data home the MIME
// package, the desktop entry running the executable with the file and the type's icon, and in
// the config home's mimeapps.list (the one xdg-mime writes, whose defaults win over every
// other list) the entry as the type's default. Registering again points everything at the
// executable of the moment. A list that is a symbolic link is written where it leads. False
// when a file could not be read or written; then every file written before it holds again
// what it held, so that no half association is left. The desktop's caches are the caller's
// to rebuild.
bool RegisterFileAssociation(const AssociationHomes& homes, const AssociationSources& sources);

// Deletes what registering wrote and takes the entry out of the config home's mimeapps.list
// and out of the data home's older applications/mimeapps.list, leaving every other line there
// as it was; a list is never deleted, even when left empty. Nothing to remove is no failure.
// False when a file could not be read, deleted or written; then every file is given back what
// it held.
bool RemoveFileAssociation(const AssociationHomes& homes);

}  // namespace zef
