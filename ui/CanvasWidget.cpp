#include "CanvasWidget.h"

#include <qdrawutil.h>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>

#include "Cursors.h"
#include "QtKeys.h"

namespace zef::ui {

namespace {

// How far along an edge from a corner the corner's handle reaches.
constexpr int kCornerReach = 16;
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

bool MovesLeft(FrameEdge edge) {
    return edge == FrameEdge::kLeft || edge == FrameEdge::kTopLeft ||
           edge == FrameEdge::kBottomLeft;
}
bool MovesRight(FrameEdge edge) {
    return edge == FrameEdge::kRight || edge == FrameEdge::kTopRight ||
           edge == FrameEdge::kBottomRight;
}
bool MovesTop(FrameEdge edge) {
    return edge == FrameEdge::kTop || edge == FrameEdge::kTopLeft || edge == FrameEdge::kTopRight;
}
bool MovesBottom(FrameEdge edge) {
    return edge == FrameEdge::kBottom || edge == FrameEdge::kBottomLeft ||
           edge == FrameEdge::kBottomRight;
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
            frameDrag_ =
                FrameDrag{*edge, QRect(mapToGlobal(QPoint(0, 0)), size()), events_.ScreenPointer()};
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
    const bool onLeft = position.x() < kBorder;
    const bool onRight = position.x() >= width() - kBorder;
    const bool onTop = position.y() < kBorder;
    const bool onBottom = position.y() >= height() - kBorder;
    if (!onLeft && !onRight && !onTop && !onBottom) {
        return std::nullopt;
    }
    const bool horizontalSide = onTop || onBottom;
    const bool verticalSide = onLeft || onRight;
    const bool left = onLeft || (horizontalSide && position.x() < kCornerReach);
    const bool right = onRight || (horizontalSide && position.x() >= width() - kCornerReach);
    const bool top = onTop || (verticalSide && position.y() < kCornerReach);
    const bool bottom = onBottom || (verticalSide && position.y() >= height() - kCornerReach);
    if (top) {
        return left ? FrameEdge::kTopLeft : right ? FrameEdge::kTopRight : FrameEdge::kTop;
    }
    if (bottom) {
        return left ? FrameEdge::kBottomLeft : right ? FrameEdge::kBottomRight : FrameEdge::kBottom;
    }
    return left ? FrameEdge::kLeft : FrameEdge::kRight;
}

// Moves the dragged edges with the pointer, keeps the client area at least 10 x 10, and
// takes the rectangle the editor answers.
void CanvasWidget::StepFrameDrag() {
    const FrameDrag& drag = *frameDrag_;
    const CanvasPoint pointer = events_.ScreenPointer();
    const int dx = pointer.x - drag.startPointer.x;
    const int dy = pointer.y - drag.startPointer.y;
    const int smallest = kMinCanvasSide + 2 * kBorder;
    const QRect start = drag.startRect;
    FrameRect proposed{start.left(), start.top(), start.right() + 1, start.bottom() + 1};
    if (MovesLeft(drag.edge)) {
        proposed.left = std::min(proposed.left + dx, proposed.right - smallest);
    }
    if (MovesRight(drag.edge)) {
        proposed.right = std::max(proposed.right + dx, proposed.left + smallest);
    }
    if (MovesTop(drag.edge)) {
        proposed.top = std::min(proposed.top + dy, proposed.bottom - smallest);
    }
    if (MovesBottom(drag.edge)) {
        proposed.bottom = std::max(proposed.bottom + dy, proposed.top + smallest);
    }
    const FrameRect taken = events_.FrameDragStep(drag.edge, proposed);
    const QPoint topLeft = parentWidget()->mapFromGlobal(QPoint(taken.left, taken.top));
    setGeometry(topLeft.x(), topLeft.y(), taken.right - taken.left, taken.bottom - taken.top);
}

void CanvasWidget::ShowCursorAt(QPoint position) {
    const auto edge = EdgeAt(position);
    setCursor(edge ? QCursor(EdgeCursor(*edge)) : clientCursor_);
}

}  // namespace zef::ui
