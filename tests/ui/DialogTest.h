#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <QtWidgets>
#include <string>
#include <vector>

#include "app/editor/Editor.h"
#include "tests/TempFolder.h"
#include "tests/app/FakeShell.h"

namespace zef::test {

// An editor on a fake shell and the message boxes shown, each answered with OK or its default.
class DialogTest : public ::testing::Test {
  protected:
    DialogTest() {
        editor.Start("", "/tmp/");
        QObject::connect(&answerer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                messages.push_back(box->text().toStdString());
                icons.append(box->icon());
                QAbstractButton* ok = box->button(QMessageBox::Ok);
                (ok != nullptr ? ok : box->defaultButton())->click();
            }
        });
        answerer_.start(0);
    }

    template <typename Widget = QLineEdit>
    static Widget* Find(QWidget& dialog, const char* name) {
        auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    std::vector<std::string> messages;
    QList<QMessageBox::Icon> icons;
    FakeShell shell;
    Editor editor{shell, 1};
    TempFolder folder;

  private:
    QTimer answerer_;
};

}  // namespace zef::test
