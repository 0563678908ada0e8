#pragma once

#include <span>

#include "canvas/PixelRect.h"

namespace zef {

// Where the main window goes at start-up for the rectangle it had at the last exit: there,
// when enough of it shows on one of the screens to take it by its caption; otherwise (a screen
// unplugged since, a changed arrangement) at the top-left corner of the primary screen.
PixelRect PlaceOnScreens(const PixelRect& saved, std::span<const PixelRect> screens,
                         const PixelRect& primary);

}  // namespace zef
