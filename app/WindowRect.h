#pragma once

#include <cstdint>

namespace zef {

// A window's outer rectangle, in the client coordinates of its parent.
struct WindowRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend constexpr bool operator==(const WindowRect&, const WindowRect&) = default;
};

}  // namespace zef
