#pragma once

#include <QColor>
#include <QFrame>
#include <QString>

namespace zef::ui {

// A sunken patch painted in one colour, with an optional caption drawn in white: the colour
// swatches and the colour picker's preview. It tells when it is clicked and when it is about
// to be painted.
class ColourPatch : public QFrame {
    Q_OBJECT

  public:
    explicit ColourPatch(QWidget* parent = nullptr);

    void SetColour(const QColor& colour);
    QColor Colour() const { return colour_; }
    void SetCaption(const QString& caption);

  signals:
    void clicked();
    void aboutToPaint();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QColor colour_;
    QString caption_;
};

}  // namespace zef::ui
