#pragma once

namespace zef {

// Where the pointer is held during a drag.
enum class ConfineArea {
    kCanvasClient,     // a drawing drag: the canvas window's client area
    kMainBetweenBars,  // a canvas frame drag: the main window's client area between the bars
};

}  // namespace zef
