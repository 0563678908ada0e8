#include "ui/CanvasWidget.h"

#include <qdrawutil.h>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>

#include "ui/Cursors.h"
#include "ui/QtKeys.h"

namespace zef::ui {

namespace {

const QColor kClassBackground(128, 128, 128);

Qt::CursorShape EdgeCursor(FrameEdge edge) {
    switch (edge) {
        case FrameEdge::kLeft:
        case FrameEdge::kRight:
            return Qt::SizeHorCursor;
        case FrameEdge::kTop:
        case FrameEdge::kBottom:
            return Qt::SizeVerCursor;
        case FrameEdge::kTopLeft:
        case FrameEdge::kBottomRight:
            return Qt::SizeFDiagCursor;
        case FrameEdge::kTopRight:
        case FrameEdge::kBottomLeft:
            return Qt::SizeBDiagCursor;
    }
    return Qt::ArrowCursor;
}

}  // namespace

CanvasWidget::CanvasWidget(CanvasEvents& events, QWidget* parent)
    : QWidget(parent), events_(events) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

CanvasSize CanvasWidget::ClientSize() const {
    return {std::max(width() - 2 * kBorder, 0), std::max(height() - 2 * kBorder, 0)};
}

QPoint CanvasWidget::ClientFromGlobal(QPoint global) const {
    return mapFromGlobal(global) - QPoint(kBorder, kBorder);
}

QRect CanvasWidget::GlobalClientRect() const {
    const CanvasSize client = ClientSize();
    return {mapToGlobal(QPoint(kBorder, kBorder)), QSize(client.width, client.height)};
}

void CanvasWidget::Present(const Bitmap& frame, CanvasSize visible) {
    const int width = std::clamp(visible.width, 0, frame.Width());
    const int height = std::clamp(visible.height, 0, frame.Height());
    if (frame_.width() != width || frame_.height() != height) {
        frame_ = QImage(width, height, QImage::Format_RGBX8888);
    }
    // The bitmap's bytes are red, green, blue and a zero; the image wants 255 in the fourth.
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* source = frame.Row(y);
        std::transform(source, source + width, reinterpret_cast<std::uint32_t*>(frame_.scanLine(y)),
                       [](std::uint32_t pixel) { return pixel | 0xff000000u; });
    }
    update();
}

void CanvasWidget::SetClientCursor(CursorShape shape) {
    if (clientShape_ != shape) {
        clientShape_ = shape;
        clientCursor_ = CursorFor(shape, devicePixelRatioF());
    }
    if (!frameDrag_) {
        ShowCursorAt(mapFromGlobal(QCursor::pos()));
    }
}

void CanvasWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect client(kBorder, kBorder, width() - 2 * kBorder, height() - 2 * kBorder);
    qDrawWinPanel(&painter, rect(), palette(), false, &palette().brush(QPalette::Window));
    painter.fillRect(client, kClassBackground);
    // Drawn pixel for pixel, each one a block of device pixels on a high-density screen.
    painter.drawImage(QRect(client.topLeft(), frame_.size()), frame_);
}

void CanvasWidget::resizeEvent(QResizeEvent*) {
    const CanvasSize client = ClientSize();
    events_.CanvasResized(client.width, client.height);
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
    if (const auto edge = EdgeAt(event->position().toPoint())) {
        if (event->button() == Qt::LeftButton && !frameDrag_) {
            events_.FrameDragStarted();
            const QPoint topLeft = mapToGlobal(QPoint(0, 0));
            frameDrag_ =
                FrameDrag{*edge,
                          {topLeft.x(), topLeft.y(), topLeft.x() + width(), topLeft.y() + height()},
                          events_.PointerScreenPosition()};
        }
        return;
    }
    if (event->button() == Qt::LeftButton) {
        clientDrag_ = true;
        events_.CanvasLeftPressed();
    } else if (event->button() == Qt::RightButton) {
        events_.CanvasRightPressed();
    }
}

// The second press of a fast double click is a press like any other.
void CanvasWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    if (frameDrag_) {
        StepFrameDrag();
        return;
    }
    if (clientDrag_ || !EdgeAt(event->position().toPoint())) {
        setCursor(clientCursor_);
        events_.CanvasMouseMoved();
    } else {
        ShowCursorAt(event->position().toPoint());
    }
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (frameDrag_) {
        if (event->button() == Qt::LeftButton) {
            frameDrag_.reset();
            events_.FrameDragEnded();
            ShowCursorAt(event->position().toPoint());
        }
        return;
    }
    if (event->button() == Qt::LeftButton) {
        clientDrag_ = false;
        events_.CanvasLeftReleased();
    }
}

void CanvasWidget::keyPressEvent(QKeyEvent* event) {
    events_.CanvasKeyPressed(KeyFromQt(event->key()));
}

void CanvasWidget::keyReleaseEvent(QKeyEvent* event) {
    events_.CanvasKeyReleased(KeyFromQt(event->key()));
}

std::optional<FrameEdge> CanvasWidget::EdgeAt(QPoint position) const {
    return FrameEdgeAt({position.x(), position.y()}, {width(), height()}, kBorder);
}

// Moves the dragged edges with the pointer, keeps the client area at least 10 x 10, and
// takes the rectangle the editor answers.
void CanvasWidget::StepFrameDrag() {
    const FrameDrag& drag = *frameDrag_;
    const CanvasPoint pointer = events_.PointerScreenPosition();
    const CanvasPoint travel{pointer.x - drag.startPointer.x, pointer.y - drag.startPointer.y};
    const FrameRect proposed =
        DraggedFrame(drag.edge, drag.startRect, travel, kMinCanvasSide + 2 * kBorder);
    const FrameRect taken = events_.FrameDragStep(drag.edge, proposed);
    const QPoint topLeft = parentWidget()->mapFromGlobal(QPoint(taken.left, taken.top));
    setGeometry(topLeft.x(), topLeft.y(), taken.right - taken.left, taken.bottom - taken.top);
}

void CanvasWidget::ShowCursorAt(QPoint position) {
    const auto edge = EdgeAt(position);
    setCursor(edge ? QCursor(EdgeCursor(*edge)) : clientCursor_);
}

}  // namespace zef::ui
