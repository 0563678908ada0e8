#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/editor/Editor.h"
#include "app/shell/AppTexts.h"
#include "model/ModelFileIO.h"
#include "tests/TempFolder.h"
#include "tests/app/FakeShell.h"

namespace zef::test {

using PointList = std::vector<CanvasPoint>;

inline PointList PositionsOf(const std::vector<PointRecord>& points) {
    PointList positions;
    for (const PointRecord& point : points) {
        positions.push_back({point.x, point.y});
    }
    return positions;
}

// An editor started with an empty model on a fake shell, and the user's hands: the pointer
// moves between frames, since the canvas works on the position each frame samples.
class StartedEditor {
  public:
    StartedEditor() { editor.Start("", folder.path().string() + "/"); }

    void Button(CanvasPoint at, bool down) {
        shell.pointer = at;
        editor.FrameTick();
        shell.leftButton = down;
        down ? editor.canvasInput().LeftButtonDown() : editor.canvasInput().LeftButtonUp();
    }
    // Presses the button at `from` and moves to `to`, holding it.
    void Press(CanvasPoint from, CanvasPoint to) {
        Button(from, true);
        shell.pointer = to;
        editor.FrameTick();
        editor.canvasInput().MouseMove();
    }
    void Drag(CanvasPoint from, CanvasPoint to) {
        Press(from, to);
        Button(to, false);
    }

    std::string PathOf(const std::string& name) const { return folder.PathOf(name); }
    // Writes a model of one stroke through the points in the current format.
    void WriteModel(const std::string& name, const PointList& stroke) const {
        Model written;
        for (const CanvasPoint& point : stroke) {
            written.AppendPoint(point.x, point.y, !written.points.empty());
        }
        ASSERT_TRUE(WriteModelFile(PathOf(name), written));
    }
    // The positions of the shown drawing, or of the drawing a file in the folder holds.
    PointList Points() const { return PositionsOf(model.points); }
    PointList PointsIn(const std::string& name) const {
        const LoadResult loaded = ReadModelFile(PathOf(name), {});
        return loaded.model ? PositionsOf(loaded.model->points) : PointList();
    }

    FakeShell shell;
    Editor editor{shell, 12345};
    Model& model = editor.model();
    TempFolder folder;
};

class EditorTest : public ::testing::Test, protected StartedEditor {};

// The main window's caption for a document of that title: the program's fixed caption, whatever
// its version, then the title.
inline std::string Caption(const std::string& title, bool modified = false) {
    return "제프툴 1.39 -다온비 - [ " + title + (modified ? " * ]" : " ]");
}

}  // namespace zef::test
