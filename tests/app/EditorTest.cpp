#include "EditorTest.h"

namespace zef::test {
namespace {

std::vector<CanvasPoint> PositionsOf(const std::vector<PointRecord>& points) {
    std::vector<CanvasPoint> positions;
    for (const PointRecord& point : points) {
        positions.push_back({point.x, point.y});
    }
    return positions;
}

}  // namespace

void EditorTest::WriteModel(const std::string& path, const std::vector<PointImage>& points) const {
    Model written;
    for (const PointImage& image : points) {
        written.points.push_back(PointRecord{image});
    }
    ASSERT_TRUE(WriteModelFile(path, written));
}

std::vector<CanvasPoint> EditorTest::Points() const {
    return PositionsOf(model.points);
}

std::vector<CanvasPoint> EditorTest::PointsIn(const std::string& name) const {
    const LoadResult loaded = ReadModelFile(PathOf(name), {});
    return loaded.model ? PositionsOf(loaded.model->points) : std::vector<CanvasPoint>();
}

}  // namespace zef::test
