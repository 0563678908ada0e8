#pragma once

#include <QDialog>
#include <memory>

#include "app/shell/Settings.h"

namespace Ui {
class SettingsDialog;
}

namespace zef::ui {

// The settings dialog: the open-in-VTR setting, written by OK only, and the two buttons that
// register and remove the file association at once, whatever the dialog's end, and tell
// whether it was done.
class SettingsDialog : public QDialog {
    Q_OBJECT

  public:
    SettingsDialog(Settings& settings, QWidget* parent);
    ~SettingsDialog() override;

    void accept() override;

  private:
    Settings& settings_;
    std::unique_ptr<Ui::SettingsDialog> ui_;
};

}  // namespace zef::ui
