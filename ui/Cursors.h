#pragma once

#include <QCursor>

#include "app/editor/ToolMode.h"

namespace zef::ui {

// The cursor of a shape the editor asks for: the range selection crosses drawn for this
// program (their twice-as-large pictures on a high-density screen) or a system cursor.
QCursor CursorFor(CursorShape shape, qreal devicePixelRatio);

}  // namespace zef::ui
