#include "ui/SettingsDialog.h"

#include "app/sessions/SettingsDialogRules.h"
#include "app/shell/DialogTexts.h"
#include "ui/DialogMessage.h"
#include "ui/FileAssociation.h"
#include "ui_SettingsDialog.h"

namespace zef::ui {
namespace {

void TellOutcome(QWidget* owner, bool done, const char* doneText, const char* failedText) {
    if (done) {
        ShowDialogMessage(owner, doneText);
    } else {
        ShowDialogMessage(owner, failedText, MessageIcon::kError);
    }
}

}  // namespace

SettingsDialog::SettingsDialog(Settings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings), ui_(std::make_unique<Ui::SettingsDialog>()) {
    ui_->setupUi(this);
    ui_->openInVtrCheck->setChecked(OpenInVtrChecked(settings_));
    ui_->openInVtrCheck->setFocus();
    connect(ui_->registerButton, &QPushButton::clicked, this, [this] {
        TellOutcome(this, RegisterAssociation(), texts::kRegistered, texts::kNotRegistered);
    });
    connect(ui_->removeButton, &QPushButton::clicked, this, [this] {
        TellOutcome(this, RemoveAssociation(), texts::kRemoved, texts::kNotRemoved);
    });
    connect(ui_->okButton, &QPushButton::clicked, this, &SettingsDialog::accept);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &SettingsDialog::reject);
}

SettingsDialog::~SettingsDialog() = default;

void SettingsDialog::accept() {
    AcceptOpenInVtr(settings_, ui_->openInVtrCheck->isChecked());
    QDialog::accept();
}

}  // namespace zef::ui
