#include "DialogTest.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace zef::test {

// Notes the text and icon of every message box as it is shown and presses its OK (or the default
// button of a question) once the box runs.
class DialogTest::MessageAnswerer : public QObject {
  public:
    MessageAnswerer(QStringList& messages, QList<QMessageBox::Icon>& icons)
        : messages_(messages), icons_(icons) {
        QApplication::instance()->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box != nullptr && event->type() == QEvent::Show) {
            messages_.append(box->text());
            icons_.append(box->icon());
            QAbstractButton* answer = box->button(QMessageBox::Ok);
            QTimer::singleShot(0, answer != nullptr ? answer : box->defaultButton(),
                               &QAbstractButton::click);
        }
        return false;
    }

  private:
    QStringList& messages_;
    QList<QMessageBox::Icon>& icons_;
};

DialogTest::DialogTest() : answerer_(new MessageAnswerer(messages, icons)) {
    editor.Start("", "/tmp/");
}

DialogTest::~DialogTest() {
    delete answerer_;
}

}  // namespace zef::test
