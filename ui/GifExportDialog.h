#pragma once

#include <memory>

#include "ExportDialog.h"

namespace Ui {
class GifExportDialog;
}

namespace zef::ui {

// The animated GIF export dialog: the path, shaking or VTR with its end wait and smoothness,
// the output size, anti-aliasing and a transparent background.
class GifExportDialog : public ExportDialog {
  public:
    GifExportDialog(Editor& editor, Shell& shell, QWidget* parent);
    ~GifExportDialog() override;

  private:
    std::unique_ptr<Ui::GifExportDialog> ui_;
};

}  // namespace zef::ui
