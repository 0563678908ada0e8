#pragma once

#include <string>

#include "app/shell/ShellWindow.h"

namespace zef {

enum class MessageButtons {
    kOk,
    kYesNoCancel,
    kYesNoDefaultNo,  // Yes and No, with No as the default button
    kYesNo,           // Yes and No, with Yes as the default button
};

enum class MessageIcon { kNone, kError, kQuestion };

// A message box to show: text, caption, buttons, icon and owner.
struct MessageBox {
    std::string text;
    std::string caption;
    MessageButtons buttons = MessageButtons::kOk;
    MessageIcon icon = MessageIcon::kNone;
    ShellWindow owner = ShellWindow::kMain;
};

}  // namespace zef
