#pragma once

#include <string>
#include <string_view>

namespace zef {

// Edits of the text of a mimeapps.list, whose [Default Applications] group maps a MIME type
// to the desktop entries that open it, best first. Every line the edit is not about stays as
// it was.

// Makes `desktopId` the first default of `mimeType`, keeping the defaults that were there
// after it, so that taking it out again gives them back. Doing it twice changes nothing more.
std::string WithDefaultApplication(std::string_view list, std::string_view mimeType,
                                   std::string_view desktopId);

// Takes `desktopId` out of the defaults of `mimeType`, in every defaults group. A key goes
// when no default is left in it, and a group's header when the group has no line left but
// blank ones. A list that does not name it comes back unchanged.
std::string WithoutDefaultApplication(std::string_view list, std::string_view mimeType,
                                      std::string_view desktopId);

}  // namespace zef
