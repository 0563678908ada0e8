#pragma once

#include <string>

#include "app/shell/Shell.h"
#include "app/shell/ShellWindow.h"

namespace zef {

// Asks whether the existing file at `path` may be replaced, naming the path, with Yes and No
// and No as the default; true when the user answers Yes.
bool AgreesToReplace(Shell& shell, const std::string& path, ShellWindow owner);

}  // namespace zef
