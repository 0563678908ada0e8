#include "BmpExportDialog.h"

#include "ui_BmpExportDialog.h"

namespace zef::ui {

BmpExportDialog::BmpExportDialog(Editor& editor, Shell& shell, QWidget* parent)
    : ExportDialog(editor, shell, ExportFormat::kBmp, parent),
      ui_(std::make_unique<Ui::BmpExportDialog>()) {
    ui_->setupUi(this);
    Prepare();
}

BmpExportDialog::~BmpExportDialog() = default;

}  // namespace zef::ui
