#include "ModelFileIO.h"

#include <new>
#include <vector>

namespace zef {

LoadResult ReadModelFile(const std::string& path, const ModelProperties& current) {
    std::vector<std::uint8_t> bytes;
    try {
        if (!ReadWholeFile(path, bytes)) {
            return {std::nullopt, LoadFailure::kCannotOpen};
        }
    } catch (const std::bad_alloc&) {
        return {std::nullopt, LoadFailure::kOutOfMemory};
    }
    const std::optional<ModelFormat> format = FormatOfName(path);
    if (!format) {
        return {std::nullopt, LoadFailure::kNotModelFile};
    }
    return DecodeModel(bytes, *format, current);
}

bool WriteModelFile(const std::string& path, const Model& model, const FileOps& ops) {
    try {
        return WriteFileAtomically(path, EncodeModel(model.properties, model.points), ops);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace zef
