#pragma once

#include <Qt>

#include "app/shell/Key.h"

namespace zef::ui {

// The editor's name for a key of a Qt key event.
inline Key KeyFromQt(int key) {
    switch (key) {
        case Qt::Key_Control:
            return Key::kCtrl;
        case Qt::Key_Shift:
            return Key::kShift;
        case Qt::Key_Escape:
            return Key::kEscape;
        default:
            return Key::kOther;
    }
}

}  // namespace zef::ui
