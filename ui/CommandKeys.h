#pragma once

#include <QKeyCombination>
#include <QString>

#include "app/editor/CommandTable.h"

namespace zef::ui {

// The Qt key of a command's key.
QKeyCombination QtKey(const CommandKey& key);

// A command's toolbar tooltip: its text and, after the row's gap, its first key in parentheses.
QString Tooltip(const Command& command);

}  // namespace zef::ui
