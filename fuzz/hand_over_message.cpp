// Feeds arbitrary bytes to the running instance's reader of handed-over paths.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "app/desktop/HandOverMessage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto path = zef::DecodeHandOver(std::span(data, size));
    if (!path) {
        return 0;
    }
    if (path->empty() || path->size() >= zef::kHandOverSize ||
        path->find('\0') != std::string::npos) {
        __builtin_trap();
    }
    // A path that a second start may send comes through unchanged.
    const auto block = zef::EncodeHandOver(*path);
    if (block.has_value() != (path->size() <= zef::kLongestHandOverPath) ||
        (block && zef::DecodeHandOver(*block) != path)) {
        __builtin_trap();
    }
    return 0;
}
