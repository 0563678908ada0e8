#pragma once

#include <filesystem>
#include <string_view>

// The user's folders by the XDG base directory rules, for the settings and recovery files.
namespace zef {

// The value of an environment variable; empty when it is unset.
std::string_view EnvironmentValue(const char* name);

// $HOME, or the home folder of the user's password entry when it is unset or empty.
std::string_view HomeFolder();

// The program's "zeftool" folder in a base folder: the variable's `value` when it is an
// absolute path, else `fallback` under `home` (a relative value is ignored, as the rules say).
std::filesystem::path XdgProgramFolder(std::string_view value, std::string_view home,
                                       const std::filesystem::path& fallback);

}  // namespace zef
