#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include "app/sessions/PreviewPlayback.h"

namespace zef::ui {

// The export dialog's preview: plays the frames its playback makes, each for its delay,
// scaled to fit (smoothly when smaller, pixel for pixel when larger) over a checkerboard where
// they are clear. A click pauses and resumes; a drag asks the dialog to hand the file on.
class PreviewPlayer : public QWidget {
    Q_OBJECT

  public:
    explicit PreviewPlayer(QWidget* parent = nullptr);

    // Plays the frames `playback` makes; it outlives the preview's playing (Stop).
    void Play(PreviewPlayback& playback);
    void Stop();
    // After the playback was given a new request: its first frame shows as soon as it is made.
    void Restart();
    bool Paused() const { return paused_; }
    // The frame showing: its index, or -1 before the first.
    qint64 FrameShowing() const { return frameIndex_; }

  signals:
    void dragStarted();
    void frameShown();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private slots:
    void tick();

  private:
    QRect PictureRect() const;

    PreviewPlayback* playback_ = nullptr;
    PreviewPlayback::Frame frame_;
    QImage image_;
    qint64 frameIndex_ = -1;
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 due_ = 0;  // when the next frame is to show, on the clock
    bool paused_ = false;
    QPoint pressedAt_;
    bool pressed_ = false;
};

}  // namespace zef::ui
