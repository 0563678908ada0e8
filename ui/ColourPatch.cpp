#include "ui/ColourPatch.h"

#include <QMouseEvent>
#include <QPainter>

namespace zef::ui {

ColourPatch::ColourPatch(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
}

void ColourPatch::SetColour(const QColor& colour) {
    colour_ = colour;
    update();
}

void ColourPatch::SetCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void ColourPatch::paintEvent(QPaintEvent* event) {
    emit aboutToPaint();
    {
        QPainter painter(this);
        painter.fillRect(contentsRect(), colour_);
        if (!caption_.isEmpty()) {
            painter.setPen(Qt::white);
            painter.drawText(contentsRect(), Qt::AlignCenter, caption_);
        }
    }
    QFrame::paintEvent(event);
}

void ColourPatch::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QFrame::mouseReleaseEvent(event);
}

}  // namespace zef::ui
