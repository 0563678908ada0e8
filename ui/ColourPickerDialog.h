#pragma once

#include <QDialog>
#include <array>

#include "app/sessions/ColourPickerSession.h"

class QLineEdit;
class QSlider;

namespace Ui {
class ColourPickerDialog;
}

namespace zef::ui {

class ColourPatch;

// The colour picker: 27 swatches, a trackbar and an edit per channel kept in step, and a
// preview whose painting applies the working colour to the slot, so the canvas behind shows
// it at once. After it closes, Working() is the chosen colour, or the starting one after
// Cancel, the close box or Escape.
class ColourPickerDialog : public QDialog {
    Q_OBJECT

  public:
    ColourPickerDialog(ColourPickerSession session, QWidget* parent);
    ~ColourPickerDialog() override;

    Colour Working() const { return session_.Working(); }

    void reject() override;

  private:
    void ShowChannel(Channel channel, bool inSlider, bool inEdit);
    void ColourChanged();

    std::unique_ptr<Ui::ColourPickerDialog> ui_;
    ColourPickerSession session_;
    std::array<QSlider*, 3> sliders_;
    std::array<QLineEdit*, 3> edits_;
};

}  // namespace zef::ui
