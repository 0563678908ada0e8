#include "FileChooser.h"

#include <QFile>
#include <QFileDialog>

namespace zef::ui {
namespace {

QString FilterText(const FileFilter& filter) {
    QString patterns = QString::fromStdString(filter.pattern);
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    return QStringLiteral("%1 (%2)").arg(QString::fromStdString(filter.description), patterns);
}

// The folder of the last choice, shared by every file dialog of the program.
QString& RememberedDirectory() {
    static QString directory;
    return directory;
}

}  // namespace

std::optional<std::string> ChooseFile(QWidget& owner, const FileDialog& dialog) {
    QFileDialog chooser(&owner, QString::fromStdString(dialog.title));
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.setOption(QFileDialog::HideNameFilterDetails);
    chooser.setOption(QFileDialog::ReadOnly, !dialog.hideReadOnly);
    chooser.setOption(QFileDialog::DontConfirmOverwrite, !dialog.overwritePrompt);
    const bool save = dialog.kind == FileDialogKind::kSave;
    chooser.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    chooser.setFileMode(save || !dialog.mustExist ? QFileDialog::AnyFile
                                                  : QFileDialog::ExistingFile);
    QStringList filters;
    for (const FileFilter& filter : dialog.filters) {
        filters << FilterText(filter);
    }
    chooser.setNameFilters(filters);
    if (dialog.filterIndex >= 1 && dialog.filterIndex <= filters.size()) {
        chooser.selectNameFilter(filters[dialog.filterIndex - 1]);
    }
    const QString directory = dialog.initialDirectory.empty()
                                  ? RememberedDirectory()
                                  : QFile::decodeName(dialog.initialDirectory.c_str());
    if (!directory.isEmpty()) {
        chooser.setDirectory(directory);
    }
    if (!dialog.initialPath.empty()) {
        chooser.selectFile(QFile::decodeName(dialog.initialPath.c_str()));
    }
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    RememberedDirectory() = chooser.directory().absolutePath();
    return QFile::encodeName(chooser.selectedFiles().front()).toStdString();
}

}  // namespace zef::ui
