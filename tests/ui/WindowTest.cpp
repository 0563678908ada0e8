#include "WindowTest.h"

#include <QCursor>

namespace zef::test {

WindowTest::WindowTest() {
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.editor().Start("", folder.path().string());
    window.canvas().setFocus();
}

void WindowTest::MoveTo(QPoint client) {
    const QPoint global = window.canvas().GlobalClientRect().topLeft() + client;
    MouseEvent(QEvent::MouseMove, global);
    Frame();
}

void WindowTest::Press(QPoint client) {
    MoveTo(client);
    MouseEvent(QEvent::MouseButtonPress, QCursor::pos());
}

void WindowTest::Release(QPoint client) {
    MoveTo(client);
    MouseEvent(QEvent::MouseButtonRelease, QCursor::pos());
    Frame();
}

void WindowTest::DragOnScreen(QPoint from, QPoint to) {
    MouseEvent(QEvent::MouseMove, from);
    MouseEvent(QEvent::MouseButtonPress, from);
    MouseEvent(QEvent::MouseMove, to);
    MouseEvent(QEvent::MouseButtonRelease, to);
}

// Through the window system, so that the pointer and the button state change as for a person.
void WindowTest::MouseEvent(QEvent::Type type, QPoint global) {
    QCursor::setPos(global);
    QWindow* handle = window.windowHandle();
    const QPoint local = handle->mapFromGlobal(global);
    if (type == QEvent::MouseMove) {
        QTest::mouseMove(handle, local);
    } else if (type == QEvent::MouseButtonPress) {
        QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, local);
    } else {
        QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, local);
    }
    QCoreApplication::processEvents();
}

}  // namespace zef::test
