#pragma once

#include <algorithm>
#include <cstddef>
#include <span>

namespace zef {

// One past the last of the run of equal values that starts at `from`, looking at most `longest`
// values far: frames are mostly long runs of one colour, handled a run at a time.
template <typename T>
std::size_t RunEnd(std::span<const T> values, std::size_t from,
                   std::size_t longest = static_cast<std::size_t>(-1)) {
    const std::size_t limit = values.size() - from < longest ? values.size() : from + longest;
    const auto first = values.begin() + static_cast<std::ptrdiff_t>(from);
    const auto last = values.begin() + static_cast<std::ptrdiff_t>(limit);
    return from + static_cast<std::size_t>(
                      std::find_if(first, last, [&](const T& v) { return v != *first; }) - first);
}

}  // namespace zef
