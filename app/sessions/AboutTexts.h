#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "generated/ProgramIdentity.h"

// The credits and the addresses of the About dialog, kept here in one place so that a
// distributor can put in their own; the labels are in its Designer form.
namespace zef::texts {

// The first line of the dialog, naming the program's version.
inline constexpr const char* kVersionLine = "제프툴 " ZEF_VERSION " -다온비";
inline constexpr const char* kAuthorCredit = "by 제프툴 만든이";
inline constexpr const char* kHomeSiteAddress = "https://jp.example.org/";
inline constexpr const char* kMailAddress = "zeftool@example.org";
inline constexpr const char* kDistributorAddress = "https://ko.example.org/";
inline constexpr const char* kLibraryAuthorCredit = "by zefimage 만든이";
inline constexpr const char* kFirstTesterCredit = "β-Test : 시험판 팀";
inline constexpr const char* kSecondTesterCredit = "β-Test : 사용자 모임";
inline constexpr const char* kMailSubject = "제프툴에 대하여";

}  // namespace zef::texts

namespace zef {

// The line naming the image library's version: its low 16 bits are the version times 100,
// shown with two decimals ("zefimage Ver.1.00" for 100), then four blanks and the credit of
// the library's author.
std::string LibraryVersionLine(std::uint32_t libraryVersion);

// The address the mail link opens: the address with the prepared subject.
std::string MailLinkAddress(std::string_view mailAddress);

}  // namespace zef
