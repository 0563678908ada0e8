#include "ui/CanvasEventRouter.h"

#include "app/editor/Editor.h"

namespace zef::ui {

void CanvasEventRouter::CanvasResized(std::int32_t width, std::int32_t height) {
    flows_.Guarded([this, width, height] { editor_.canvasInput().SizeChanged(width, height); });
}

void CanvasEventRouter::CanvasMouseMoved() {
    flows_.RunFlow([this] { editor_.canvasInput().MouseMove(); });
}

void CanvasEventRouter::CanvasLeftPressed() {
    flows_.RunFlow([this] { editor_.canvasInput().LeftButtonDown(); });
}

void CanvasEventRouter::CanvasLeftReleased() {
    flows_.RunFlow([this] { editor_.canvasInput().LeftButtonUp(); });
}

void CanvasEventRouter::CanvasRightPressed() {
    flows_.RunFlow([this] { editor_.canvasInput().RightButtonDown(); });
}

void CanvasEventRouter::CanvasKeyPressed(Key key) {
    flows_.RunFlow([this, key] { editor_.KeyDown(key, ShellWindow::kCanvas); });
}

void CanvasEventRouter::CanvasKeyReleased(Key key) {
    flows_.RunFlow([this, key] { editor_.KeyUp(key); });
}

void CanvasEventRouter::FrameDragStarted() {
    flows_.RunFlow([this] { editor_.canvasInput().FrameDragStarted(); });
}

FrameRect CanvasEventRouter::FrameDragStep(FrameEdge edge, FrameRect proposed) {
    FrameRect taken = proposed;
    flows_.Guarded([&] { taken = editor_.canvasInput().FrameDragStep(edge, proposed); });
    return taken;
}

void CanvasEventRouter::FrameDragEnded() {
    flows_.Guarded([this] { editor_.canvasInput().FrameDragEnded(); });
}

CanvasPoint CanvasEventRouter::PointerScreenPosition() const {
    return window_.PointerScreenPosition();
}

}  // namespace zef::ui
