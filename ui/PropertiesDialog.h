#pragma once

#include <QDialog>
#include <memory>

#include "app/sessions/PropertiesSession.h"

namespace Ui {
class PropertiesDialog;
}

namespace zef::ui {

// The model properties dialog. Trackbar and colour changes show on the canvas behind it at
// once; OK checks and applies the canvas size; Cancel puts the rest back. While the editor
// makes a new model there is no Cancel, and Escape and the close box do what OK does.
class PropertiesDialog : public QDialog {
    Q_OBJECT

  public:
    PropertiesDialog(PropertiesSession session, QWidget* parent);
    ~PropertiesDialog() override;

    void accept() override;
    void reject() override;

  private:
    void ShowControls(const PropertiesControls& controls);
    void ShowSwatches();
    void ChangeColour(int slot);

    std::unique_ptr<Ui::PropertiesDialog> ui_;
    PropertiesSession session_;
};

}  // namespace zef::ui
