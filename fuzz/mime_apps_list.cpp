// Feeds arbitrary bytes to the edits of a mimeapps.list as its text. Adding the program's
// entry twice must change nothing more than adding it once, and after removing it a second
// removal must change nothing.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/desktop/AssociationFiles.h"
#include "app/desktop/MimeAppsList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view list(reinterpret_cast<const char*>(data), size);
    const std::string added =
        zef::WithDefaultApplication(list, zef::kModelMimeType, zef::kAssociationDesktopId);
    if (zef::WithDefaultApplication(added, zef::kModelMimeType, zef::kAssociationDesktopId) !=
        added) {
        __builtin_trap();
    }
    const std::string removed =
        zef::WithoutDefaultApplication(added, zef::kModelMimeType, zef::kAssociationDesktopId);
    if (zef::WithoutDefaultApplication(removed, zef::kModelMimeType, zef::kAssociationDesktopId) !=
        removed) {
        __builtin_trap();
    }
    return 0;
}
