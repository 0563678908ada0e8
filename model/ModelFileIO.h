#pragma once

#include <string>

#include "AtomicFile.h"
#include "Model.h"
#include "ModelFile.h"

namespace zef {

// Reads and checks a whole model file, its format chosen by the name's ending. Nothing is
// applied anywhere: a failed read leaves every model as it was.
LoadResult ReadModelFile(const std::string& path, const ModelProperties& current);

// Saves the model in the current format, atomically.
bool WriteModelFile(const std::string& path, const Model& model,
                    const FileOps& ops = SystemFileOps());

}  // namespace zef
