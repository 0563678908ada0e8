#include "DialogTest.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace zef::test {

// Looks for a message box every few milliseconds, notes its text and presses its OK.
class DialogTest::MessageAnswerer : public QObject {
  public:
    explicit MessageAnswerer(QStringList& messages) : messages_(messages) {
        timer_.callOnTimeout(this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                messages_.append(box->text());
                box->button(QMessageBox::Ok)->click();
            }
        });
        timer_.start(5);
    }

  private:
    QStringList& messages_;
    QTimer timer_;
};

DialogTest::DialogTest() : answerer_(new MessageAnswerer(messages)) {
    editor.Start("", "/tmp/");
}

DialogTest::~DialogTest() {
    delete answerer_;
}

}  // namespace zef::test

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
