#include "ui/DialogRunner.h"

#include "app/editor/Editor.h"
#include "export/ZefImage.h"
#include "ui/AboutDialog.h"
#include "ui/ExportDialog.h"
#include "ui/PropertiesDialog.h"
#include "ui/SettingsDialog.h"

namespace zef::ui {
namespace {

DialogResult Run(QDialog& dialog) {
    return dialog.exec() == QDialog::Accepted ? DialogResult::kOk : DialogResult::kCancel;
}

}  // namespace

DialogResult RunModalDialog(DialogId dialog, QWidget& owner, Shell& shell, Editor& editor) {
    switch (dialog) {
        case DialogId::kAbout: {
            AboutDialog about(static_cast<std::uint32_t>(LibraryVersion()), &owner);
            return Run(about);
        }
        case DialogId::kSettings: {
            SettingsDialog settings(editor.settings(), &owner);
            return Run(settings);
        }
        case DialogId::kProperties: {
            PropertiesDialog properties(editor.OpenPropertiesSession(), &owner);
            return Run(properties);
        }
        case DialogId::kGifExport:
        case DialogId::kBmpExport: {
            ExportDialog exportDialog(
                editor.exportHost(), shell,
                dialog == DialogId::kGifExport ? ExportFormat::kGif : ExportFormat::kBmp, &owner);
            return Run(exportDialog);
        }
    }
    return DialogResult::kCancel;
}

}  // namespace zef::ui
