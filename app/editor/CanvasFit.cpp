#include "app/editor/CanvasFit.h"

namespace zef {

PixelRect CentredCanvas(const MainLayout& layout, CanvasSize frame) {
    const std::int32_t room =
        layout.clientHeight - layout.toolbarHeight - layout.statusBarHeight - frame.height;
    return {(layout.clientWidth - frame.width) / 2, layout.toolbarHeight + room / 2, frame.width,
            frame.height};
}

CanvasSize FitCanvas(Shell& shell, std::int32_t width, std::int32_t height) {
    const CanvasSize client = LimitCanvasSize(width, height, shell.CanvasClientSize());
    shell.PlaceCanvas(CentredCanvas(shell.MainWindowLayout(), shell.CanvasWindowOuterSize(client)));
    return shell.CanvasClientSize();
}

}  // namespace zef
