#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "Editor.h"
#include "FakeShell.h"

namespace zef::test {

// An editor on a fake shell for a dialog to work on, and the texts of the message boxes the
// dialog showed, each answered with OK (a question with its default) as soon as it appears.
class DialogTest : public ::testing::Test {
  protected:
    DialogTest();
    ~DialogTest() override;

    QStringList messages;
    FakeShell shell;
    Editor editor{shell, 1};

  private:
    class MessageAnswerer;
    MessageAnswerer* answerer_;
};

}  // namespace zef::test
