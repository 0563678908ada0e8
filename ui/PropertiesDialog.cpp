#include "ui/PropertiesDialog.h"

#include <QSignalBlocker>

#include "ui/ColourPickerDialog.h"
#include "ui/DialogMessage.h"
#include "ui/QtText.h"
#include "ui_PropertiesDialog.h"

namespace zef::ui {

PropertiesDialog::PropertiesDialog(PropertiesSession session, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::PropertiesDialog>()), session_(std::move(session)) {
    ui_->setupUi(this);
    ui_->lineWidthSlider->setRange(0, kLineWidthPositionMax);
    ui_->shakeSlider->setRange(kShakePositionMin, kShakePositionMax);
    ui_->speedSlider->setRange(kSpeedPositionMin, kSpeedPositionMax);
    setWindowTitle(FromUtf8(session_.Caption()));
    ui_->cancelButton->setEnabled(!session_.ForNewModel());
    ui_->lineSwatch->SetCaption(ui_->lineSwatch->accessibleName());
    ui_->shadowSwatch->SetCaption(ui_->shadowSwatch->accessibleName());
    ui_->backgroundSwatch->SetCaption(ui_->backgroundSwatch->accessibleName());
    ShowControls(session_.Controls());
    ShowSwatches();
    ui_->widthEdit->setFocus();

    connect(ui_->lineWidthSlider, &QSlider::valueChanged, this,
            [this](int position) { session_.SetLineWidthPosition(position); });
    connect(ui_->shakeSlider, &QSlider::valueChanged, this,
            [this](int position) { session_.SetShakePosition(position); });
    connect(ui_->speedSlider, &QSlider::valueChanged, this,
            [this](int position) { session_.SetSpeedPosition(position); });
    connect(ui_->noShadowCheck, &QCheckBox::toggled, this, [this](bool ticked) {
        session_.SetNoShadow(ticked);
        ui_->automaticShadowButton->setEnabled(!ticked);
        ui_->shadowColourButton->setEnabled(!ticked);
    });
    connect(ui_->lineColourButton, &QPushButton::clicked, this,
            [this] { ChangeColour(kLineSlot); });
    connect(ui_->shadowColourButton, &QPushButton::clicked, this,
            [this] { ChangeColour(kShadowSlot); });
    connect(ui_->backgroundColourButton, &QPushButton::clicked, this,
            [this] { ChangeColour(kBackgroundSlot); });
    connect(ui_->automaticShadowButton, &QPushButton::clicked, this, [this] {
        session_.UseAutomaticShadowColour();
        ShowSwatches();
    });
    connect(ui_->standardSchemeButton, &QPushButton::clicked, this, [this] {
        session_.UseStandardColourScheme();
        ShowSwatches();
    });
    connect(ui_->defaultSettingsButton, &QPushButton::clicked, this, [this] {
        ShowControls(session_.UseDefaultSettings());
        ShowSwatches();
    });
    connect(ui_->okButton, &QPushButton::clicked, this, &PropertiesDialog::accept);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &PropertiesDialog::reject);
}

PropertiesDialog::~PropertiesDialog() = default;

void PropertiesDialog::accept() {
    const PropertiesVerdict verdict =
        session_.Ok(ToUtf8(ui_->widthEdit->text()), ToUtf8(ui_->heightEdit->text()));
    if (verdict != PropertiesVerdict::kAccepted) {
        ShowDialogMessage(this, MessageFor(verdict));
        return;
    }
    QDialog::accept();
}

void PropertiesDialog::reject() {
    if (session_.ForNewModel()) {
        accept();
        return;
    }
    session_.Cancel();
    QDialog::reject();
}

// Filling the controls is not the user's doing: it moves no trackbar's value into the model.
void PropertiesDialog::ShowControls(const PropertiesControls& controls) {
    ui_->widthEdit->setText(FromUtf8(controls.width));
    ui_->heightEdit->setText(FromUtf8(controls.height));
    {
        const QSignalBlocker line(ui_->lineWidthSlider);
        const QSignalBlocker shake(ui_->shakeSlider);
        const QSignalBlocker speed(ui_->speedSlider);
        const QSignalBlocker noShadow(ui_->noShadowCheck);
        ui_->lineWidthSlider->setValue(controls.lineWidthPosition);
        ui_->shakeSlider->setValue(controls.shakePosition);
        ui_->speedSlider->setValue(controls.speedPosition);
        ui_->noShadowCheck->setChecked(controls.noShadow);
    }
    ui_->automaticShadowButton->setEnabled(!controls.noShadow);
    ui_->shadowColourButton->setEnabled(!controls.noShadow);
}

void PropertiesDialog::ShowSwatches() {
    const auto show = [this](ColourPatch* swatch, int slot) {
        const Colour colour = session_.SlotColour(slot);
        swatch->SetColour(QColor(colour.red, colour.green, colour.blue));
    };
    show(ui_->lineSwatch, kLineSlot);
    show(ui_->shadowSwatch, kShadowSlot);
    show(ui_->backgroundSwatch, kBackgroundSlot);
}

void PropertiesDialog::ChangeColour(int slot) {
    ColourPickerDialog picker(session_.OpenColourPicker(slot), this);
    picker.exec();
    session_.SetSlotColour(slot, picker.Working());
    ShowSwatches();
}

}  // namespace zef::ui
