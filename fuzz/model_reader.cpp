// Feeds arbitrary bytes to the model reader. The first byte chooses the format (even: the
// current one, odd: the older one); the rest is the file.

#include <cstddef>
#include <cstdint>
#include <span>

#include "model/ModelFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const zef::ModelFormat format =
        data[0] % 2 == 0 ? zef::ModelFormat::kCurrent : zef::ModelFormat::kOlder;
    const zef::LoadResult result =
        zef::DecodeModel(std::span(data + 1, size - 1), format, zef::ModelProperties{});
    if (result.model) {
        // Whatever was accepted must write back out in the current format.
        const auto bytes = zef::EncodeModel(result.model->properties, result.model->points);
        if (bytes.size() != zef::kWrittenHeaderSize + 12 * result.model->points.size()) {
            __builtin_trap();
        }
    }
    return 0;
}
