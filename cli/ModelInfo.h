#pragma once

#include <string>

#include "model/ModelFile.h"

namespace zef {

// The `key: value` lines that `zefcli info` prints for a model read from a file, with the
// canvas size as the editor's canvas window would take it.
std::string DescribeModel(const LoadedModel& model);

}  // namespace zef
