#pragma once

#include <QWidget>

#include "DialogId.h"
#include "Shell.h"

namespace zef {
class Editor;
}

namespace zef::ui {

// Runs the modal dialog `dialog` owned by `owner` (the main window, which is also `shell`) for
// the editor; a dialog this program does not have yet answers Cancel at once.
DialogResult RunModalDialog(DialogId dialog, QWidget& owner, Shell& shell, Editor& editor);

}  // namespace zef::ui
