#pragma once

#include <QWidget>

#include "app/shell/DialogId.h"
#include "app/shell/Shell.h"

namespace zef {
class Editor;
}

namespace zef::ui {

// Runs the modal dialog `dialog` owned by `owner` (the main window, whose Shell is `shell`) for
// the editor. The colour picker is not among them: the properties dialog runs it.
DialogResult RunModalDialog(DialogId dialog, QWidget& owner, Shell& shell, Editor& editor);

}  // namespace zef::ui
