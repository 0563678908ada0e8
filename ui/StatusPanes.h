#pragma once

#include <QLabel>
#include <QProgressBar>
#include <QWidget>
#include <array>
#include <cstdint>

#include "app/shell/StatusPane.h"

namespace zef::ui {

// The status bar's three panes, their right edges at 100, 600 and 800 pixels, and the VTR
// progress bar lying over the first.
class StatusPanes : public QWidget {
    Q_OBJECT

  public:
    explicit StatusPanes(QWidget* parent);

    QLabel& Pane(StatusPane pane) { return *panes_[static_cast<std::size_t>(pane)]; }
    QProgressBar& Progress() { return *progress_; }

    // The progress bar's step; a step past the end starts over from the beginning.
    void SetStep(std::int32_t step) { step_ = step; }
    void Step();

    QSize sizeHint() const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    std::array<QLabel*, 3> panes_;
    QProgressBar* progress_;
    std::int32_t step_ = 10;
};

}  // namespace zef::ui
