#pragma once

#include <memory>

#include "ExportDialog.h"

namespace Ui {
class BmpExportDialog;
}

namespace zef::ui {

// The BMP sequence export dialog: the base name, a still image, shaking or VTR with its end
// wait and smoothness, the output size with the size estimate, and anti-aliasing.
class BmpExportDialog : public ExportDialog {
  public:
    BmpExportDialog(Editor& editor, Shell& shell, QWidget* parent);
    ~BmpExportDialog() override;

  private:
    std::unique_ptr<Ui::BmpExportDialog> ui_;
};

}  // namespace zef::ui
