// Feeds arbitrary bytes to the recovery copy reader.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "RecoveryCopy.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const std::optional<zef::RecoveryCopy> copy = zef::DecodeRecoveryCopy(bytes);
    // A copy is taken only whole: written again, it is the same bytes.
    if (copy) {
        const auto written = zef::EncodeRecoveryCopy(*copy);
        if (!std::equal(written.begin(), written.end(), bytes.begin(), bytes.end())) {
            __builtin_trap();
        }
    }
    return 0;
}
