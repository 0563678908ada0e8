#pragma once

#include <cstdint>

namespace zef {

// The program's settings beside the model properties.
struct Settings {
    std::int32_t openInVtr = 1;  // non-zero: a model that has just been opened starts replaying
};

}  // namespace zef
