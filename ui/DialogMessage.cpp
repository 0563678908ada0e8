#include "DialogMessage.h"

#include <QMessageBox>

#include "AppTexts.h"
#include "QtText.h"

namespace zef::ui {

void ShowDialogMessage(QWidget* owner, std::string_view text, MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::kError ? QMessageBox::Critical : QMessageBox::NoIcon,
                    FromUtf8(texts::kAppCaption), FromUtf8(text), QMessageBox::Ok, owner);
    box.exec();
}

}  // namespace zef::ui
