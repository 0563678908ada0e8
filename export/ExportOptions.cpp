#include "export/ExportOptions.h"

namespace zef {

void StoreExportOptions(ExportOptions& options, ExportKind kind, bool antiAliasing,
                        bool transparent, std::int32_t endWait, std::int32_t frameDelay) {
    options.kind = kind;
    options.antiAliasing = antiAliasing;
    options.transparentBackground = transparent;
    options.endWait = endWait;
    options.smoothness = SmoothnessOf(frameDelay);
}

}  // namespace zef
