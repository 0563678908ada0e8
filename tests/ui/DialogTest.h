#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include "Editor.h"
#include "FakeShell.h"

namespace zef::test {

// An editor on a fake shell for a dialog to work on, and the texts and icons of the message
// boxes the dialog showed, each answered with OK (a question with its default) as soon as it
// appears.
class DialogTest : public ::testing::Test {
  protected:
    DialogTest();
    ~DialogTest() override;

    template <typename Widget = QLineEdit>
    static Widget* Find(QWidget& dialog, const char* name) {
        auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QStringList messages;
    QList<QMessageBox::Icon> icons;
    FakeShell shell;
    Editor editor{shell, 1};

  private:
    class MessageAnswerer;
    MessageAnswerer* answerer_;
};

}  // namespace zef::test
