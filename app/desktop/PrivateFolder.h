#pragma once

#include <filesystem>

namespace zef {

// Makes `folder` (not its parents) when missing, mode 0700. True when it is then a real
// folder, not a symbolic link, that this user owns and nobody else may enter; looser
// permission bits are narrowed.
bool MakePrivateFolder(const std::filesystem::path& folder);

}  // namespace zef
