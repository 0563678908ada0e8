#include "EditorTest.h"

namespace zef::test {

void EditorTest::WriteModel(const std::string& path, const std::vector<PointImage>& points) const {
    Model written;
    for (const PointImage& image : points) {
        written.points.push_back(PointRecord{image});
    }
    ASSERT_TRUE(WriteModelFile(path, written));
}

std::vector<CanvasPoint> EditorTest::Points() const {
    std::vector<CanvasPoint> points;
    for (const PointRecord& point : model.points) {
        points.push_back({point.x, point.y});
    }
    return points;
}

}  // namespace zef::test
