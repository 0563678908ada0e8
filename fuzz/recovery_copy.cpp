// Feeds arbitrary bytes to the recovery copy reader.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "app/desktop/RecoveryCopy.h"
#include "model/ModelFile.h"

namespace {

// The bytes as the writer makes them again from what the model reader takes of them: the
// reserved bytes of the magic area are taken whatever they hold and written as zeros, and a
// point count below zero is read as no points and written as 0. `model` is where the model
// starts.
std::vector<std::uint8_t> AsWrittenAgain(std::span<const std::uint8_t> bytes, std::size_t model) {
    std::vector<std::uint8_t> written(bytes.begin(), bytes.end());
    const auto at = [&](std::size_t offset) {
        return written.begin() + static_cast<std::ptrdiff_t>(model + offset);
    };
    std::fill(at(zef::kMagicSize), at(zef::kMagicAreaSize), 0);
    const std::size_t count = zef::kMagicAreaSize + 4;  // behind the version
    if ((*at(count + 3) & 0x80) != 0) {
        std::fill(at(count), at(count + 4), 0);
    }
    return written;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const std::optional<zef::RecoveryCopy> copy = zef::DecodeRecoveryCopy(bytes);
    // A copy is taken only whole: written again, it is the same bytes, but for those the
    // model reader takes loosely.
    if (copy) {
        const std::size_t model =
            size - zef::kWrittenHeaderSize - zef::kPointRecordSize * copy->points.size();
        if (zef::EncodeRecoveryCopy(*copy) != AsWrittenAgain(bytes, model)) {
            __builtin_trap();
        }
    }
    return 0;
}
