#include "GifExportDialog.h"

#include "ui_GifExportDialog.h"

namespace zef::ui {

GifExportDialog::GifExportDialog(Editor& editor, Shell& shell, QWidget* parent)
    : ExportDialog(editor, shell, ExportFormat::kGif, parent),
      ui_(std::make_unique<Ui::GifExportDialog>()) {
    ui_->setupUi(this);
    Prepare();
}

GifExportDialog::~GifExportDialog() = default;

}  // namespace zef::ui
