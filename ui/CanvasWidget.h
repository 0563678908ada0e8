#pragma once

#include <QCursor>
#include <QImage>
#include <QWidget>
#include <optional>

#include "app/editor/ToolMode.h"
#include "canvas/Bitmap.h"
#include "canvas/SizingFrame.h"
#include "model/CanvasLimits.h"
#include "ui/CanvasEvents.h"

namespace zef::ui {

// The canvas window: a sizing frame a person drags by any edge or corner around a client
// area that shows the frames the editor presents, and nothing else. Mouse and key events of
// the client area, and the frame drag, go to the owner. Each frame is copied into an RGBX
// image and painted unsmoothed, so a high-density screen shows whole blocks of pixels.
class CanvasWidget : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kBorder = 4;

    CanvasWidget(CanvasEvents& events, QWidget* parent);

    CanvasSize ClientSize() const;
    // A point of the screen in client coordinates.
    QPoint ClientFromGlobal(QPoint global) const;
    // The client area's rectangle on the screen.
    QRect GlobalClientRect() const;

    // Copies the top-left `visible` part of the frame; the next paint shows it.
    void Present(const Bitmap& frame, CanvasSize visible);
    const QImage& PresentedFrame() const { return frame_; }
    void SetClientCursor(CursorShape shape);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    struct FrameDrag {
        FrameEdge edge;
        FrameRect startRect;
        CanvasPoint startPointer;
    };

    std::optional<FrameEdge> EdgeAt(QPoint position) const;
    void StepFrameDrag();
    void ShowCursorAt(QPoint position);

    CanvasEvents& events_;
    QImage frame_;
    std::optional<CursorShape> clientShape_;
    QCursor clientCursor_;
    std::optional<FrameDrag> frameDrag_;
    // The left button went down in the client area and is still down: every move belongs to
    // the drag, also over the frame or outside the window.
    bool clientDrag_ = false;
};

}  // namespace zef::ui
