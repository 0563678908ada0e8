#pragma once

#include <cstdint>

#include "canvas/CanvasWindow.h"
#include "ui/CanvasEvents.h"
#include "ui/FlowGuard.h"

namespace zef {
class Editor;
}

namespace zef::ui {

// Hands the canvas widget's events to the editor: the mouse and the keys as flows of the user,
// the canvas's new size and the frame drag's steps and end as guarded work, which also runs
// while a flow is busy. The pointer on the screen is the canvas window's.
class CanvasEventRouter : public CanvasEvents {
  public:
    CanvasEventRouter(Editor& editor, FlowGuard& flows, const CanvasWindow& window)
        : editor_(editor), flows_(flows), window_(window) {}

    void CanvasResized(std::int32_t width, std::int32_t height) override;
    void CanvasMouseMoved() override;
    void CanvasLeftPressed() override;
    void CanvasLeftReleased() override;
    void CanvasRightPressed() override;
    void CanvasKeyPressed(Key key) override;
    void CanvasKeyReleased(Key key) override;
    void FrameDragStarted() override;
    FrameRect FrameDragStep(FrameEdge edge, FrameRect proposed) override;
    void FrameDragEnded() override;
    CanvasPoint PointerScreenPosition() const override;

  private:
    Editor& editor_;
    FlowGuard& flows_;
    const CanvasWindow& window_;
};

}  // namespace zef::ui
