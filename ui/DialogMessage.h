#pragma once

#include <QMessageBox>
#include <string_view>

#include "app/shell/MessageBox.h"

class QWidget;

namespace zef::ui {

// The picture a message box shows for the icon a message names.
QMessageBox::Icon QtMessageIcon(MessageIcon icon);

// A message owned by a dialog, under the program's caption, with an OK button; the dialog
// stays open behind it.
void ShowDialogMessage(QWidget* owner, std::string_view text,
                       MessageIcon icon = MessageIcon::kNone);

}  // namespace zef::ui
