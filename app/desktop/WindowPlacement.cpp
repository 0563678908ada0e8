#include "app/desktop/WindowPlacement.h"

#include <algorithm>
#include <cstdint>

namespace zef {

namespace {

// How much of the window's top must show on one screen for a person to drag it back.
constexpr std::int64_t kGrip = 32;

bool TopShowsOn(const PixelRect& window, const PixelRect& screen) {
    const std::int64_t left = std::max<std::int64_t>(window.x, screen.x);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{window.x} + window.width,
                                                      std::int64_t{screen.x} + screen.width);
    const std::int64_t top = window.y;
    return right - left >= kGrip && top >= screen.y &&
           top + kGrip <= std::int64_t{screen.y} + screen.height;
}

}  // namespace

PixelRect PlaceOnScreens(const PixelRect& saved, std::span<const PixelRect> screens,
                         const PixelRect& primary) {
    const bool shows = std::any_of(screens.begin(), screens.end(), [&](const PixelRect& screen) {
        return TopShowsOn(saved, screen);
    });
    if (shows) {
        return saved;
    }
    return {primary.x, primary.y, saved.width, saved.height};
}

}  // namespace zef
