#pragma once

#include <gtest/gtest.h>

#include <QTest>

#include "MainWindow.h"
#include "TempFolder.h"

namespace zef::test {

// A main window shown on the offscreen screen with its editor started on an empty model, and
// the user's hands on it. The timers do not run; the tests tick the frames themselves.
class WindowTest : public ::testing::Test {
  protected:
    WindowTest();

    void Frame() { window.editor().FrameTick(); }
    // The pointer moves to a point of the canvas's client area, and a frame samples it.
    void MoveTo(QPoint client);
    void Press(QPoint client);
    void Release(QPoint client);
    // Presses, moves and releases the left button at points of the screen.
    void DragOnScreen(QPoint from, QPoint to);
    QString Pane(StatusPane pane) { return window.statusPanes().Pane(pane).text(); }

    TempFolder folder;
    ui::MainWindow window{12345};

  private:
    void MouseEvent(QEvent::Type type, QPoint global);
};

}  // namespace zef::test
