#pragma once

#include <string>
#include <string_view>

namespace zef {

// The file-name part of a path: what follows its last '/'.
std::string FileTitleOf(std::string_view path);

// The path a command line names: the whole line with every double quote taken out, blanks
// kept, so an unquoted path with blanks is one path too.
std::string PathFromCommandLine(std::string_view commandLine);

// `text` with its last four characters replaced when they are exactly `from`.
std::string ReplaceEnding(std::string text, std::string_view from, std::string_view to);

}  // namespace zef
