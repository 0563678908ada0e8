#include "DialogMessage.h"

#include <QMessageBox>
#include <QString>

#include "AppTexts.h"

namespace zef::ui {

void ShowDialogMessage(QWidget* owner, std::string_view text, MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::kError ? QMessageBox::Critical : QMessageBox::NoIcon,
                    QString::fromUtf8(texts::kAppCaption),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                    QMessageBox::Ok, owner);
    box.exec();
}

}  // namespace zef::ui
