#pragma once

#include <optional>
#include <string>

#include "app/shell/FileDialog.h"

class QWidget;

namespace zef::ui {

// Shows the open or save dialog `dialog` owned by `owner` and answers the chosen path, or
// nothing when it was cancelled. Without an initial directory it starts where the system
// offers.
std::optional<std::string> ChooseFile(QWidget& owner, const FileDialog& dialog);

}  // namespace zef::ui
