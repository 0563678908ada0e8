#include "cli/ModelInfo.h"

#include <algorithm>
#include <cstdio>

#include "model/CanvasLimits.h"
#include "model/Model.h"

namespace zef {
namespace {

std::string ColourText(Colour colour) {
    return std::to_string(colour.red) + "," + std::to_string(colour.green) + "," +
           std::to_string(colour.blue);
}

}  // namespace

std::string DescribeModel(const LoadedModel& loaded) {
    const ModelProperties& p = loaded.properties;
    const CanvasSize canvas = LimitCanvasSize(p.canvasWidth, p.canvasHeight, CanvasSize{});
    const auto strokes =
        std::count_if(loaded.points.begin(), loaded.points.end(),
                      [](const PointRecord& point) { return point.kind == kStrokeStart; });
    Model model;
    model.points = loaded.points;
    char length[64];
    std::snprintf(length, sizeof length, "%.2f", model.TotalPathLength());

    std::string text;
    const auto line = [&text](const char* key, const std::string& value) {
        text += key;
        text += ": ";
        text += value;
        text += '\n';
    };
    line("format", loaded.format == ModelFormat::kCurrent ? "zfm" : "zf2");
    if (loaded.format == ModelFormat::kCurrent) {
        line("version", std::to_string(loaded.version));
    }
    line("points", std::to_string(loaded.points.size()));
    line("strokes", std::to_string(strokes));
    line("canvas", std::to_string(canvas.width) + "x" + std::to_string(canvas.height));
    line("shakeStrength", std::to_string(p.shakeStrength));
    line("vtrSpeed", std::to_string(p.vtrSpeed));
    line("noShadow", std::to_string(p.noShadow));
    line("lineWidth", std::to_string(p.lineWidth));
    line("lineColour", ColourText(p.lineColour));
    line("shadowColour", ColourText(p.shadowColour));
    line("backgroundColour", ColourText(p.backgroundColour));
    line("pathLength", length);
    return text;
}

}  // namespace zef
