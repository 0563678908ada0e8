#pragma once

#include <cstdint>
#include <vector>

#include "export/ZefImage.h"

namespace zef {

// The bytes of an 8-bit palette BMP of a converted image: file and info headers, one palette
// entry per colour, rows bottom to top, each padded to a multiple of 4 bytes.
std::vector<std::uint8_t> EncodeBmp(const Image& image);

}  // namespace zef
