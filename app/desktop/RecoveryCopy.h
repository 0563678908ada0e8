#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/ModelProperties.h"
#include "model/PointRecord.h"

namespace zef {

// Unsaved work kept for recovery: the model, and the path and title of the document it
// belongs to (both empty for an untitled model).
struct RecoveryCopy {
    std::string path;
    std::string title;
    ModelProperties properties;
    std::vector<PointRecord> points;
};

// The bytes of a recovery copy file: a header with the path and title, then the model in the
// current model file format.
std::vector<std::uint8_t> EncodeRecoveryCopy(const RecoveryCopy& copy);

// The work in a recovery copy file; nothing unless every byte of it is as written, so a
// damaged copy is never taken in part.
std::optional<RecoveryCopy> DecodeRecoveryCopy(std::span<const std::uint8_t> bytes);

}  // namespace zef
