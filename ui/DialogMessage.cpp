#include "ui/DialogMessage.h"

#include <QMessageBox>

#include "app/shell/AppTexts.h"
#include "ui/QtText.h"

namespace zef::ui {

QMessageBox::Icon QtMessageIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::kNone:
            return QMessageBox::NoIcon;
        case MessageIcon::kError:
            return QMessageBox::Critical;
        case MessageIcon::kQuestion:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

void ShowDialogMessage(QWidget* owner, std::string_view text, MessageIcon icon) {
    QMessageBox box(QtMessageIcon(icon), FromUtf8(texts::kAppCaption), FromUtf8(text),
                    QMessageBox::Ok, owner);
    box.exec();
}

}  // namespace zef::ui
