#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "AtomicFile.h"
#include "ZefImage.h"

namespace zef {

// The bytes of an 8-bit palette BMP of a converted image: file and info headers, one palette
// entry per colour, rows bottom to top, each padded to a multiple of 4 bytes.
std::vector<std::uint8_t> EncodeBmp(const Image& image);

// Writes a converted image as one BMP file, atomically. False when it could not be written;
// whatever was at the path before is then left as it was.
bool WriteBmpFile(const std::string& path, const Image& image,
                  const FileOps& ops = SystemFileOps());

}  // namespace zef
