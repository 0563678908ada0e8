#include "ui/ColourPickerDialog.h"

#include <QSignalBlocker>

#include "ui/ColourPatch.h"
#include "ui/QtText.h"
#include "ui_ColourPickerDialog.h"

namespace zef::ui {
namespace {

QColor ToQColor(Colour colour) {
    return {colour.red, colour.green, colour.blue};
}

}  // namespace

ColourPickerDialog::ColourPickerDialog(ColourPickerSession session, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::ColourPickerDialog>()),
      session_(std::move(session)) {
    ui_->setupUi(this);
    sliders_ = {ui_->redSlider, ui_->greenSlider, ui_->blueSlider};
    edits_ = {ui_->redEdit, ui_->greenEdit, ui_->blueEdit};
    for (std::size_t index = 0; index < kChannels.size(); ++index) {
        const Channel channel = kChannels[index];
        ShowChannel(channel, true, true);
        connect(sliders_[index], &QSlider::valueChanged, this, [this, channel](int position) {
            session_.SetChannel(channel, position);
            ShowChannel(channel, false, true);
            ColourChanged();
        });
        QLineEdit* edit = edits_[index];
        connect(edit, &QLineEdit::textChanged, this, [this, channel, edit](const QString& text) {
            if (session_.EditChanged(channel, ToUtf8(text), edit->hasFocus())) {
                ShowChannel(channel, true, false);
                ColourChanged();
            }
        });
    }
    for (int index = 0; index < kSwatchCount; ++index) {
        auto* swatch = findChild<ColourPatch*>(QStringLiteral("swatch%1").arg(index));
        swatch->SetColour(ToQColor(SwatchColour(index)));
        connect(swatch, &ColourPatch::clicked, this, [this, index] {
            session_.PickSwatch(index);
            for (const Channel channel : kChannels) {
                ShowChannel(channel, true, true);
            }
            ColourChanged();
        });
    }
    connect(ui_->preview, &ColourPatch::aboutToPaint, this, [this] { session_.PreviewPainted(); });
    ColourChanged();
}

ColourPickerDialog::~ColourPickerDialog() = default;

void ColourPickerDialog::reject() {
    session_.Cancel();
    QDialog::reject();
}

void ColourPickerDialog::ShowChannel(Channel channel, bool inSlider, bool inEdit) {
    const auto index = static_cast<std::size_t>(channel);
    if (inSlider) {
        const QSignalBlocker blocker(sliders_[index]);
        sliders_[index]->setValue(session_.Value(channel));
    }
    if (inEdit) {
        const QSignalBlocker blocker(edits_[index]);
        edits_[index]->setText(FromUtf8(session_.Text(channel)));
    }
}

void ColourPickerDialog::ColourChanged() {
    ui_->preview->SetColour(ToQColor(session_.Working()));
}

}  // namespace zef::ui
