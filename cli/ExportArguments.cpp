#include "cli/ExportArguments.h"

#include "export/ExportFormats.h"
#include "export/ExportOptions.h"
#include "export/ExportRules.h"
#include "export/SizeFit.h"
#include "export/UnsignedNumber.h"

namespace zef {
namespace {

// "WxH", each side above 0.
bool ParseSize(std::string_view text, ExportArguments& arguments) {
    const std::size_t cross = text.find('x');
    if (cross == std::string_view::npos) {
        return false;
    }
    arguments.width = ParseSide(text.substr(0, cross));
    arguments.height = ParseSide(text.substr(cross + 1));
    return arguments.width && arguments.height;
}

}  // namespace

std::optional<ExportArguments> ParseExportArguments(std::string_view command,
                                                    std::span<const std::string_view> arguments) {
    const ExportFormatRow* row = FormatNamed(command);
    if (row == nullptr || arguments.size() < 2) {
        return std::nullopt;
    }
    ExportArguments parsed;
    parsed.format = row->format;
    parsed.model = arguments[0];
    parsed.out = arguments[1];
    bool kindGiven = false;
    for (std::size_t i = 2; i < arguments.size(); ++i) {
        const std::string_view option = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        bool ok = true;
        if (option == "--vtr" || (row->sequence && option == "--still")) {
            ok = !kindGiven;
            kindGiven = true;
            parsed.kind = option == "--vtr" ? ExportKind::kVtr : ExportKind::kStill;
        } else if (option == "--aa") {
            parsed.antiAliasing = true;
        } else if (row->transparency != Transparency::kNever && option == "--transparent") {
            parsed.transparent = true;
        } else if (option == "--end-wait" && hasValue) {
            const std::optional<std::int32_t> value = ParseNonNegative(arguments[++i]);
            ok = value.has_value();
            parsed.endWait = value.value_or(0);
        } else if (option == "--smoothness" && hasValue) {
            const std::optional<std::int32_t> value = ParseNonNegative(arguments[++i]);
            ok = value && *value <= kMaxSmoothness;
            parsed.smoothness = value.value_or(0);
        } else if (option == "--size" && hasValue) {
            ok = ParseSize(arguments[++i], parsed);
        } else if (row->format == ExportFormat::kWebp && option == "--lossy" && hasValue) {
            const std::optional<std::int32_t> value = ParseNonNegative(arguments[++i]);
            ok = value && *value <= 100;
            parsed.lossyQuality = value;
        } else if (row->format == ExportFormat::kGif && option == "--smallest") {
            parsed.smallest = true;
        } else if (!row->sequence && option == "--max-size" && hasValue) {
            parsed.maxSize = ParseByteLimit(arguments[++i]);
            ok = parsed.maxSize.has_value();
        } else if (option == "--seed" && hasValue) {
            parsed.seed = ReadUnsignedNumber(arguments[++i]);
            ok = parsed.seed.has_value();
        } else {
            ok = false;
        }
        if (!ok) {
            return std::nullopt;
        }
    }
    return parsed;
}

}  // namespace zef
