#include "export/UnsignedNumber.h"

#include <limits>

namespace zef {

std::optional<std::uint32_t> ReadUnsignedNumber(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    std::size_t digits = 0;
    for (const char c : text.substr(start)) {
        if (c < '0' || c > '9') {
            break;
        }
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > std::numeric_limits<std::uint32_t>::max()) {
            return std::nullopt;
        }
        ++digits;
    }
    if (digits == 0) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

std::string UnsignedNumberText(std::int32_t value) {
    return std::to_string(static_cast<std::uint32_t>(value));
}

}  // namespace zef
