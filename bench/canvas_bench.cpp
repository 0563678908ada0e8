// The renderer: whole-model frames of the benchmark model, and the same drawing done with
// QPainter for comparison.

#include <benchmark/benchmark.h>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygon>

#include <chrono>
#include <vector>

#include "bench/BenchModels.h"
#include "canvas/Renderer.h"

namespace {

using Clock = std::chrono::steady_clock;

void RenderFrames(benchmark::State& state, int count, std::int32_t width, const char* label) {
    zef::Model model = zef::bench::MakeStrokeModel(count, width);
    zef::Renderer renderer;
    renderer.ApplyColourSlots(model.properties);
    const zef::SelectionState selection;
    for (auto _ : state) {
        benchmark::DoNotOptimize(renderer.RenderModel(model, selection));
        benchmark::ClobberMemory();
    }
    state.SetLabel(label);
}

void RenderHundredThousandWidth4(benchmark::State& state) {
    RenderFrames(state, 100'000, 4, "render_100k_w4_ms");
}
BENCHMARK(RenderHundredThousandWidth4)->Unit(benchmark::kMillisecond);

void RenderHundredThousandWidth20(benchmark::State& state) {
    RenderFrames(state, 100'000, 20, "render_100k_w20_ms");
}
BENCHMARK(RenderHundredThousandWidth20)->Unit(benchmark::kMillisecond);

void RenderTenThousandWidth4(benchmark::State& state) {
    RenderFrames(state, 10'000, 4, "render_10k_w4_ms");
}
BENCHMARK(RenderTenThousandWidth4)->Unit(benchmark::kMillisecond);

QColor ToQColor(zef::Colour colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

// The strokes of one pass as polylines, at their drawn positions.
std::vector<QPolygon> Strokes(const zef::Model& model, int offset) {
    std::vector<QPolygon> strokes;
    for (const zef::PointRecord& point : model.points) {
        if (point.kind == zef::kStrokeStart || strokes.empty()) {
            strokes.emplace_back();
        }
        strokes.back().append(
            QPoint(point.x + point.shakeDx + offset, point.y + point.shakeDy + offset));
    }
    return strokes;
}

// The same frame drawn with QPainter: background, shadow pass, line pass, with aliased
// round-capped pens of the line width on an 800 x 600 image.
void PaintWithQPainter(QImage& image, const zef::Model& model, const std::vector<QPolygon>& shadow,
                       const std::vector<QPolygon>& line) {
    const zef::ModelProperties& properties = model.properties;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(0, 0, properties.canvasWidth, properties.canvasHeight,
                     ToQColor(properties.backgroundColour));
    const auto pass = [&](const std::vector<QPolygon>& strokes, zef::Colour colour) {
        painter.setPen(QPen(ToQColor(colour), properties.lineWidth, Qt::SolidLine, Qt::RoundCap,
                            Qt::RoundJoin));
        for (const QPolygon& stroke : strokes) {
            painter.drawPolyline(stroke);
        }
    };
    pass(shadow, properties.shadowColour);
    pass(line, properties.lineColour);
}

void RenderAgainstQPainter(benchmark::State& state) {
    zef::Model model = zef::bench::MakeStrokeModel(100'000, 4);
    zef::Renderer renderer;
    renderer.ApplyColourSlots(model.properties);
    const zef::SelectionState selection;
    const std::vector<QPolygon> shadow = Strokes(model, model.properties.lineWidth / 2);
    const std::vector<QPolygon> line = Strokes(model, 0);
    QImage image(800, 600, QImage::Format_RGB32);
    Clock::duration ours{};
    Clock::duration theirs{};
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        benchmark::DoNotOptimize(renderer.RenderModel(model, selection));
        benchmark::ClobberMemory();
        const Clock::time_point middle = Clock::now();
        PaintWithQPainter(image, model, shadow, line);
        benchmark::ClobberMemory();
        ours += middle - start;
        theirs += Clock::now() - middle;
    }
    state.counters["value"] =
        std::chrono::duration<double>(theirs).count() / std::chrono::duration<double>(ours).count();
    state.SetLabel("render_vs_qpainter_ratio");
}
BENCHMARK(RenderAgainstQPainter)->Unit(benchmark::kMillisecond);

}  // namespace
