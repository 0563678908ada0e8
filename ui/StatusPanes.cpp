#include "ui/StatusPanes.h"

#include "app/shell/ProgressStep.h"

namespace zef::ui {

namespace {

constexpr std::array<int, 3> kPaneRightEdges = {100, 600, 800};
constexpr int kProgressTop = 2;

}  // namespace

StatusPanes::StatusPanes(QWidget* parent) : QWidget(parent) {
    for (QLabel*& pane : panes_) {
        pane = new QLabel(this);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setIndent(2);
    }
    progress_ = new QProgressBar(this);
    progress_->setTextVisible(false);
    progress_->hide();
}

void StatusPanes::Step() {
    progress_->setValue(
        SteppedProgress(progress_->value(), step_, progress_->minimum(), progress_->maximum()));
}

QSize StatusPanes::sizeHint() const {
    return {kPaneRightEdges.back(), panes_[0]->sizeHint().height() + kProgressTop};
}

void StatusPanes::resizeEvent(QResizeEvent*) {
    int left = 0;
    for (std::size_t i = 0; i < panes_.size(); ++i) {
        panes_[i]->setGeometry(left, 0, kPaneRightEdges[i] - left, height());
        left = kPaneRightEdges[i];
    }
    progress_->setGeometry(0, kProgressTop, kPaneRightEdges[0], height() - kProgressTop);
}

}  // namespace zef::ui
