#pragma once

#include <string>
#include <string_view>

#include "generated/ProgramIdentity.h"

// The files that associate model files with the program on a Linux desktop, per user: a
// shared-mime-info package giving "*.zfm" its own type, a desktop entry that opens a file of
// that type with the running executable, and the type's icon. The package and the icon are
// the program's resources; the desktop entry is made here.
namespace zef {

inline constexpr const char* kModelMimeType = "application/x-zeftool-model";
// The desktop entry of the association, apart from the installed program's own entry, so
// that removing the association never deletes an entry the user or an install made.
inline constexpr const char* kAssociationDesktopId = ZEF_APP_ID ".association.desktop";

// Paths under the data home ($XDG_DATA_HOME, by default ~/.local/share).
inline constexpr const char* kAssociationMimePackage =
    "mime/packages/" ZEF_APP_ID ".association.xml";
inline constexpr const char* kAssociationDesktopEntry =
    "applications/" ZEF_APP_ID ".association.desktop";
inline constexpr const char* kAssociationTypeIcon =
    "icons/hicolor/scalable/mimetypes/application-x-zeftool-model.svg";
// The folders whose caches the desktop's tools rebuild after a change.
inline constexpr const char* kMimeFolder = "mime";
inline constexpr const char* kApplicationsFolder = "applications";
// The per-user default applications: the list in the config home ($XDG_CONFIG_HOME, by
// default ~/.config), and the older one in the data home, which readers still take after it.
inline constexpr const char* kMimeAppsList = "mimeapps.list";
inline constexpr const char* kLegacyMimeAppsList = "applications/mimeapps.list";

// One argument of a desktop entry's Exec key: always in double quotes, with the characters
// that are special inside them escaped, percent signs doubled, and then the escapes of a
// desktop entry string value applied, so that any path comes through whole.
std::string DesktopExecArgument(std::string_view argument);

// The desktop entry whose open action runs `executable` with the file.
std::string AssociationDesktopEntryText(std::string_view executable);

}  // namespace zef
