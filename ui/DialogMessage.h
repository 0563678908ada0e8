#pragma once

#include <string_view>

class QWidget;

namespace zef::ui {

// A message owned by a dialog, under the program's caption, with an OK button; the dialog
// stays open behind it.
void ShowDialogMessage(QWidget* owner, std::string_view text);

}  // namespace zef::ui
