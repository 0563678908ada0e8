#include "ui/PreviewPlayer.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace zef::ui {
namespace {

// While no frame is ready, the preview looks again after this many milliseconds.
constexpr int kPollMs = 5;
constexpr int kCheckerSide = 8;

void PaintCheckerboard(QPainter& painter, const QRect& rect) {
    painter.fillRect(rect, QColor(255, 255, 255));
    painter.save();
    painter.setClipRect(rect);
    for (int y = rect.top(); y <= rect.bottom(); y += kCheckerSide) {
        const int row = (y - rect.top()) / kCheckerSide;
        for (int x = rect.left() + (row % 2) * kCheckerSide; x <= rect.right();
             x += 2 * kCheckerSide) {
            painter.fillRect(x, y, kCheckerSide, kCheckerSide, QColor(204, 204, 204));
        }
    }
    painter.restore();
}

// Two bars in the corner say that the preview rests.
void PaintPaused(QPainter& painter, const QRect& rect) {
    const int bar = 5, height = 18, margin = 8;
    const QColor shade(0, 0, 0, 150);
    painter.fillRect(rect.right() - margin - 3 * bar, rect.top() + margin, bar, height, shade);
    painter.fillRect(rect.right() - margin - bar, rect.top() + margin, bar, height, shade);
}

}  // namespace

PreviewPlayer::PreviewPlayer(QWidget* parent) : QWidget(parent) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &PreviewPlayer::tick);
    setCursor(Qt::PointingHandCursor);
}

void PreviewPlayer::Play(PreviewPlayback& playback) {
    playback_ = &playback;
    Restart();
}

void PreviewPlayer::Stop() {
    timer_.stop();
    playback_ = nullptr;
}

void PreviewPlayer::Restart() {
    clock_.start();
    due_ = 0;
    if (!paused_ && playback_ != nullptr) {
        timer_.start(0);
    }
}

// Shows the next frame once it is due and made; a preview that fell behind by more than a
// frame starts its timing again rather than hurrying.
void PreviewPlayer::tick() {
    if (paused_ || playback_ == nullptr) {
        return;
    }
    const qint64 now = clock_.elapsed();
    if (now < due_) {
        timer_.start(static_cast<int>(due_ - now));
        return;
    }
    if (!playback_->Take(frame_)) {
        if (!playback_->Failed()) {
            timer_.start(kPollMs);
        }
        return;
    }
    const QImage wrapped(reinterpret_cast<const uchar*>(frame_.pixels.data()), frame_.width,
                         frame_.height, QImage::Format_RGBA8888);
    image_ = wrapped.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    frameIndex_ = frame_.index;
    due_ = std::max(due_ + frame_.delayMs, now);
    timer_.start(static_cast<int>(due_ - now));
    update();
    emit frameShown();
}

QRect PreviewPlayer::PictureRect() const {
    if (image_.isNull()) {
        return {};
    }
    const QSize fitted = image_.size().scaled(size(), Qt::KeepAspectRatio);
    return {QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted};
}

void PreviewPlayer::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QRect picture = PictureRect();
    if (picture.isEmpty()) {
        return;
    }
    PaintCheckerboard(painter, picture);
    const bool smaller = picture.width() * devicePixelRatioF() < image_.width();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smaller);
    painter.drawImage(picture, image_);
    if (paused_) {
        PaintPaused(painter, picture);
    }
}

void PreviewPlayer::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        pressedAt_ = event->position().toPoint();
    }
}

void PreviewPlayer::mouseMoveEvent(QMouseEvent* event) {
    if (pressed_ && (event->position().toPoint() - pressedAt_).manhattanLength() >=
                        QApplication::startDragDistance()) {
        pressed_ = false;
        emit dragStarted();
    }
}

void PreviewPlayer::mouseReleaseEvent(QMouseEvent* event) {
    if (!pressed_ || event->button() != Qt::LeftButton) {
        return;
    }
    pressed_ = false;
    paused_ = !paused_;
    if (paused_) {
        timer_.stop();
    } else {
        Restart();
    }
    update();
}

}  // namespace zef::ui
