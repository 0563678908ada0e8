#include "ui/Cursors.h"

#include <QPixmap>

namespace zef::ui {

namespace {

constexpr int kHotSpot = 15;

QCursor PictureCursor(const QString& name, qreal devicePixelRatio) {
    const bool dense = devicePixelRatio > 1.0;
    QPixmap picture(QStringLiteral(":/cursors/%1%2.png").arg(name, dense ? "@2x" : ""));
    if (picture.isNull()) {
        return QCursor(Qt::CrossCursor);
    }
    picture.setDevicePixelRatio(dense ? 2.0 : 1.0);
    return QCursor(picture, kHotSpot, kHotSpot);
}

}  // namespace

QCursor CursorFor(CursorShape shape, qreal devicePixelRatio) {
    switch (shape) {
        case CursorShape::kRangeCross:
            return PictureCursor(QStringLiteral("range-cross"), devicePixelRatio);
        case CursorShape::kRangePlus:
            return PictureCursor(QStringLiteral("range-plus"), devicePixelRatio);
        case CursorShape::kRangeMinus:
            return PictureCursor(QStringLiteral("range-minus"), devicePixelRatio);
        case CursorShape::kHorizontalResize:
            return QCursor(Qt::SizeHorCursor);
        case CursorShape::kFourWayMove:
            return QCursor(Qt::SizeAllCursor);
        case CursorShape::kArrow:
            break;
    }
    return QCursor(Qt::ArrowCursor);
}

}  // namespace zef::ui
