#include "ui/FileChooser.h"

#include <QFileDialog>
#include <algorithm>

#include "ui/QtText.h"

namespace zef::ui {
namespace {

QString FilterText(const FileFilter& filter) {
    QString patterns = FromUtf8(filter.pattern);
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    return QStringLiteral("%1 (%2)").arg(FromUtf8(filter.description), patterns);
}

// The ending of a filter's first pattern: "gif" for "*.gif".
QString EndingOf(const FileFilter& filter) {
    const QString pattern = FromUtf8(filter.pattern).section(QLatin1Char(';'), 0, 0);
    return pattern.startsWith(QLatin1String("*.")) ? pattern.mid(2) : QString();
}

}  // namespace

std::optional<std::string> ChooseFile(QWidget& owner, const FileDialog& dialog) {
    QFileDialog chooser(&owner, FromUtf8(dialog.title));
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
    if (dialog.endingFromFilter) {
        // The dialog names the chosen filter with or without its patterns.
        const auto takeEnding = [&chooser, &dialog] {
            const QString chosen = chooser.selectedNameFilter();
            const auto filter = std::find_if(dialog.filters.begin(), dialog.filters.end(),
                                             [&chosen](const FileFilter& f) {
                                                 return chosen.startsWith(FromUtf8(f.description));
                                             });
            chooser.setDefaultSuffix(filter == dialog.filters.end() ? QString()
                                                                    : EndingOf(*filter));
        };
        takeEnding();
        QObject::connect(&chooser, &QFileDialog::filterSelected, &chooser, takeEnding);
    }
    if (!dialog.initialDirectory.empty()) {
        chooser.setDirectory(FromLocalPath(dialog.initialDirectory));
    }
    if (!dialog.initialPath.empty()) {
        chooser.selectFile(FromLocalPath(dialog.initialPath));
    }
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return LocalPath(chooser.selectedFiles().front());
}

}  // namespace zef::ui
