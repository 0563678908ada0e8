#include "app/sessions/AboutTexts.h"

#include <cstdio>

namespace zef {

std::string LibraryVersionLine(std::uint32_t libraryVersion) {
    const float version = static_cast<float>(libraryVersion & 0xFFFFu) * 0.01f;
    char number[32];
    std::snprintf(number, sizeof number, "zefimage Ver.%3.2f", static_cast<double>(version));
    return std::string(number) + "    " + texts::kLibraryAuthorCredit;
}

std::string MailLinkAddress(std::string_view mailAddress) {
    return "mailto:" + std::string(mailAddress) + "?subject=" + texts::kMailSubject;
}

}  // namespace zef
