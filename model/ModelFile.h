#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/Model.h"
#include "model/ModelProperties.h"
#include "model/PointRecord.h"

namespace zef {

// The two model file formats: the current one (".zfm": magic, versioned header with the
// model properties, points) and the older one (".zf2": points only).
enum class ModelFormat { kCurrent, kOlder };

inline constexpr std::int32_t kWrittenVersion = 4;
inline constexpr std::size_t kPointRecordSize = 12;
inline constexpr std::size_t kWrittenHeaderSize = 51;
// A current-format file starts with a magic area: the magic "ZEF2" with its zero byte, then
// reserved bytes, which a reader takes whatever they hold and a writer fills with zeros.
inline constexpr std::size_t kMagicSize = 5;
inline constexpr std::size_t kMagicAreaSize = 10;

// Why a model could not be read.
enum class LoadFailure {
    kCannotOpen,      // shown to nobody
    kNotModelFile,    // the name ends neither in ".zfm" nor in ".zf2"
    kNotProperModel,  // wrong magic, or the file ends before what it announces
    kNewerVersion,    // a version above the one this program writes
    kOutOfMemory,
};

// The message shown for a failure; empty for kCannotOpen.
std::string_view LoadFailureText(LoadFailure failure);

// A model read completely from a file; nothing of the current model changes until the
// caller applies it.
struct LoadedModel {
    ModelFormat format = ModelFormat::kCurrent;
    std::int32_t version = 0;    // as stored; 0 for the older format
    ModelProperties properties;  // the file's, with the standard values for missing fields
    std::vector<PointRecord> points;
};

struct LoadResult {
    std::optional<LoadedModel> model;
    LoadFailure failure = LoadFailure::kCannotOpen;  // meaningful when model is empty
};

// The format a file name selects by its last four characters, ignoring letter case.
std::optional<ModelFormat> FormatOfName(std::string_view name);

// Reads a model from the bytes of a file. The older format carries no properties: those of
// `current` are taken, with the canvas at its largest size.
LoadResult DecodeModel(std::span<const std::uint8_t> bytes, ModelFormat format,
                       const ModelProperties& current);

// The bytes of the model in the current format at the version this program writes.
std::vector<std::uint8_t> EncodeModel(const ModelProperties& properties,
                                      std::span<const PointRecord> points);
// The same bytes appended to `bytes`, as the recovery copy puts them behind its header.
void AppendModel(std::vector<std::uint8_t>& bytes, const ModelProperties& properties,
                 std::span<const PointRecord> points);

}  // namespace zef
