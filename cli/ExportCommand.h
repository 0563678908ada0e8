#pragma once

#include <cstdio>
#include <string_view>

#include "ExportArguments.h"

namespace zef {

// Exports the model as the GIF (or WebP) or BMP dialog would, printing a progress line for every
// tenth of the frames and any failure on `errors`. Returns the exit status: 0 done, 1 when
// the model cannot be read or exported.
int RunExport(std::string_view command, const ExportArguments& arguments, std::FILE* errors);

}  // namespace zef
