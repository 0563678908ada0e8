#include "ExportOptions.h"

namespace zef {

void StoreExportOptions(ExportOptions& options, std::int32_t kind, std::int32_t antiAliasing,
                        std::int32_t transparent, std::int32_t endWait, std::int32_t frameDelay) {
    options.kind = kind;
    options.antiAliasing = antiAliasing;
    options.transparentBackground = transparent;
    options.endWait = endWait;
    options.smoothness = SmoothnessOf(frameDelay);
}

}  // namespace zef
