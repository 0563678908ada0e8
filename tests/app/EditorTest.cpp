#include "EditorTest.h"

namespace zef::test {

EditorTest::EditorTest() {
    editor.Start("", folder.path().string() + "/");
}

void EditorTest::MoveTo(std::int32_t x, std::int32_t y) {
    shell.pointer = {x, y};
    Frame();
    editor.MouseMove();
}

void EditorTest::Press(std::int32_t x, std::int32_t y) {
    shell.pointer = {x, y};
    Frame();
    shell.leftButton = true;
    editor.LeftButtonDown();
}

void EditorTest::Release(std::int32_t x, std::int32_t y) {
    shell.pointer = {x, y};
    Frame();
    shell.leftButton = false;
    editor.LeftButtonUp();
}

void EditorTest::Drag(CanvasPoint from, CanvasPoint to) {
    Press(from.x, from.y);
    MoveTo(to.x, to.y);
    Release(to.x, to.y);
}

std::string EditorTest::PathOf(const std::string& name) const {
    return folder.PathOf(name);
}

void EditorTest::WriteModel(const std::string& path, const std::vector<PointImage>& points,
                            const ModelProperties& properties) const {
    Model written;
    written.properties = properties;
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

PointImage Start(std::int32_t x, std::int32_t y) {
    return {x, y, kStrokeStart, 0, 0, 0};
}

PointImage Continue(std::int32_t x, std::int32_t y) {
    return {x, y, kStrokeContinuation, 0, 0, 0};
}

}  // namespace zef::test
