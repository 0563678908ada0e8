#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/AtomicFile.h"
#include "model/Model.h"
#include "model/ModelFile.h"

namespace zef {

// Reads and checks a whole model file, its format chosen by the name's ending. Nothing is
// applied anywhere: a failed read leaves every model as it was.
LoadResult ReadModelFile(const std::string& path, const ModelProperties& current);

// Reads the whole of an open regular file; false when it is not one or a read fails.
bool ReadAll(int fd, std::vector<std::uint8_t>& bytes);

// Saves the model in the current format, atomically.
bool WriteModelFile(const std::string& path, const Model& model,
                    const FileOps& ops = SystemFileOps());

}  // namespace zef
