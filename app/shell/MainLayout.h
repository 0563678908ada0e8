#pragma once

#include <cstdint>

namespace zef {

// The measures of the main window that place the canvas window: its client area and the
// toolbar above and the status bar below the room for the canvas.
struct MainLayout {
    std::int32_t clientWidth = 0;
    std::int32_t clientHeight = 0;
    std::int32_t toolbarHeight = 0;
    std::int32_t statusBarHeight = 0;
};

}  // namespace zef
