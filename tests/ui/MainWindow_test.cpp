#include <gtest/gtest.h>

#include <QTest>
#include <QtWidgets>
#include <algorithm>
#include <filesystem>
#include <set>
#include <tuple>

#include "app/sessions/ExportSession.h"
#include "tests/TempFolder.h"
#include "ui/MainWindow.h"

namespace zef::test {
namespace {

const QString kCaption = QStringLiteral("제프툴 1.39 -다온비");

// What a command changes, as the user sees it.
auto StateOf(ui::MainWindow& window) {
    Editor& editor = window.editor();
    const auto& points = editor.model().points;
    return std::tuple(editor.interaction().tool, editor.renderer().VtrMode(),
                      editor.model().document.shakingOn, points.size(),
                      std::ranges::count_if(points, &PointRecord::selected));
}

// A key and its toolbar button, each on a window of its own, leave the same change.
TEST(AcceleratorTest, KeyAndToolbarButtonDoTheSame) {
    const struct {
        QKeyCombination key;
        CommandId command;
        bool selectFirst;
    } cases[] = {{QKeyCombination(Qt::Key_M), CommandId::kRangeSelection, true},
                 {Qt::CTRL | Qt::Key_A, CommandId::kSelectAll, false},
                 {Qt::KeypadModifier | Qt::Key_Enter, CommandId::kVtr, false},
                 {Qt::SHIFT | Qt::Key_Z, CommandId::kRemoveLastLine, false},
                 {QKeyCombination(Qt::Key_Delete), CommandId::kDeleteSelection, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.command));
        ui::MainWindow byKey(1);
        ui::MainWindow byButton(1);
        for (ui::MainWindow* window : {&byButton, &byKey}) {
            window->show();
            window->editor().settings().openInVtr = 0;
            window->editor().Start(ZEF_SAMPLE_MODEL, "");
            if (c.selectFirst) {
                window->editor().Command(CommandId::kSelectAll);
            }
            window->canvas().setFocus();
        }
        const auto before = StateOf(byKey);
        byKey.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&byKey));
        QTest::keyClick(&byKey.canvas(), c.key.key(), c.key.keyboardModifiers());
        QTest::mouseClick(byButton.toolbar().widgetForAction(byButton.CommandAction(c.command)),
                          Qt::LeftButton);
        EXPECT_NE(StateOf(byKey), before);
        EXPECT_EQ(StateOf(byKey), StateOf(byButton));
    }
}

// A main window on an empty model; the timers do not run, the tests tick the frames.
class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest() {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.editor().Start("", folder.path().string());
        window.canvas().setFocus();
    }

    QString Pane(StatusPane pane) { return window.statusPanes().Pane(pane).text(); }
    // At points of the canvas's client area; a frame samples the pointer after each move.
    void MoveTo(QPoint client) {
        Mouse(QTest::MouseMove, window.canvas().GlobalClientRect().topLeft() + client);
        window.editor().FrameTick();
    }
    void Press(QPoint client) {
        MoveTo(client);
        Mouse(QTest::MousePress, QCursor::pos());
    }
    void Release(QPoint client) {
        MoveTo(client);
        Mouse(QTest::MouseRelease, QCursor::pos());
        window.editor().FrameTick();
    }
    // At a point of the screen, through the window system as for a person.
    void Mouse(QTest::MouseAction action, QPoint global) {
        QCursor::setPos(global);
        QWindow* handle = window.windowHandle();
        QTest::mouseEvent(action, handle, Qt::LeftButton, {}, handle->mapFromGlobal(global));
        QCoreApplication::processEvents();
    }

    TempFolder folder;
    ui::MainWindow window{12345};
};

TEST_F(MainWindowTest, StrokesDrawnWithTheMouseLandInTheModelHeldToTheCanvas) {
    Press({20, 30});
    MoveTo({120, 90});
    Release({120, 90});
    const auto& points = window.editor().model().points;
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(std::tuple(points[0].x, points[0].y, points[1].x, points[1].y),
              std::tuple(20, 30, 120, 90));
    EXPECT_EQ(Pane(StatusPane::kPointCount), QStringLiteral("선 갯수 : 2"));

    // Moves outside the canvas belong to the drag, held to its edge.
    for (const auto& [tool, whileDown] :
         {std::pair{CommandId::kStraightLine, 1u}, std::pair{CommandId::kCurve, 2u}}) {
        window.editor().Command(tool);
        const std::size_t before = points.size();
        Press({700, 500});
        MoveTo({2000, 1500});
        MoveTo({2100, 1600});
        EXPECT_EQ(points.size() - before, whileDown) << static_cast<int>(tool);
        Release({2100, 1600});
        const CanvasSize client = window.canvas().ClientSize();
        EXPECT_EQ(std::pair(points.back().x, points.back().y),
                  std::pair(client.width - 1, client.height - 1));
    }
}

TEST_F(MainWindowTest, FrameDragResizesTheCanvasAndShowsTheSize) {
    ui::CanvasWidget& canvas = window.canvas();
    const QPoint rightEdge = canvas.mapToGlobal(QPoint(canvas.width() - 2, canvas.height() / 2));
    Mouse(QTest::MouseMove, rightEdge);
    Mouse(QTest::MousePress, rightEdge);
    Mouse(QTest::MouseMove, rightEdge - QPoint(140, 0));
    Mouse(QTest::MouseRelease, rightEdge - QPoint(140, 0));
    EXPECT_EQ(window.canvas().ClientSize(), (CanvasSize{660, 600}));
    EXPECT_EQ(Pane(StatusPane::kCanvasSize), QStringLiteral("660 Ⅹ 600"));
}

TEST_F(MainWindowTest, AHandOverWaitsForTheExportAndADropOfThreeFilesOpensTheFirst) {
    {
        const ExportHost::Running running(window.editor().exportHost());
        window.handOverPath(QStringLiteral(ZEF_SAMPLE_MODEL));
        EXPECT_EQ(window.windowTitle(), kCaption + QStringLiteral(" - [ 무제 ]"));
    }
    window.StartTimers();
    QTRY_COMPARE(window.windowTitle(), kCaption + QStringLiteral(" - [ house.zfm ]"));

    QList<QUrl> urls;
    for (const char* name : {"a.zfm", "b.zfm", "c.zfm"}) {
        std::filesystem::copy_file(ZEF_SAMPLE_MODEL, folder.PathOf(name));
        urls << QUrl::fromLocalFile(QString::fromStdString(folder.PathOf(name)));
    }
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(400, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enter);
    QDropEvent drop(QPointF(400, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drop);
    EXPECT_EQ(window.windowTitle(), kCaption + QStringLiteral(" - [ a.zfm ]"));
}

TEST_F(MainWindowTest, CloseBoxAsksToSaveChangesWithKoreanButtons) {
    Press({20, 30});
    Release({60, 30});
    QStringList buttons;
    QTimer::singleShot(0, [&buttons] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* button : box->buttons()) {
            buttons << button->text();
        }
        box->button(QMessageBox::Cancel)->click();
    });
    window.close();
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{"아니요(&N)", "예(&Y)", "취소"}));
    EXPECT_TRUE(window.isVisible() && !window.QuitRequested());
}

// Each command opens its dialog modally, owned by the main window.
TEST_F(MainWindowTest, TheToolbarActionsOpenTheirDialogsOverTheWindow) {
    window.editor().model().AppendPoint(10, 10, false);  // the exports refuse an empty model
    QString title;
    bool ownedByWindow = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            title = dialog->windowTitle();
            ownedByWindow = dialog->parentWidget() == &window;
            dialog->reject();
        }
    });
    closer.start(0);
    for (const auto& [command, expected] :
         {std::pair{CommandId::kProperties, "제프모델의 등록정보"},
          {CommandId::kSettings, "설정"},
          {CommandId::kGifExport, "애니메이션 GIF 파일 저장옵션"}}) {
        ownedByWindow = false;
        window.CommandAction(command)->trigger();
        EXPECT_EQ(title, QString::fromUtf8(expected));
        EXPECT_TRUE(ownedByWindow) << expected;
    }
}

// Each button's tooltip, with the key it names and the spacing before it.
TEST_F(MainWindowTest, TooltipsNameTheKeys) {
    using C = CommandId;
    const std::pair<C, const char*> tips[] = {
        {C::kNewModel, "제프모델 새로 만들기 (Ctrl+N)"},
        {C::kOpen, "제프모델 열기 (Ctrl+O)"},
        {C::kStraightLine, "직선 (1)"},
        {C::kCurve, "곡선 (2)"},
        {C::kSave, "제프모델 저장 (Ctrl+S)"},
        {C::kMove, "선택한 선을 평행이동(V)"},
        {C::kScale, "선택한 선을 확대, 축소 (Z)"},
        {C::kVtr, "VTR모드 (Enter)"},
        {C::kAbout, "버젼 정보"},
        {C::kSettings, "제프툴 설정"},
        {C::kRemoveLastLine, "마지막의 선 제거(Shift+Z)"},
        {C::kSaveAs, "제프모델에 이름을 넣어 저장"},
        {C::kGifExport, "제프모델을 애니GIF파일로 저장"},
        {C::kBmpExport, "제프모델을 일련BMP파일로 저장"},
        {C::kProperties, "제프모델의 등록정보 (Ctrl+P)"},
        {C::kShaking, "제프모델의 흔들림 유무 (Y)"},
        {C::kRectangle, "사각형 (3)"},
        {C::kEllipse, "원형 (4)"},
        {C::kFilledRectangle, "전부 칠한 사각형 (5)"},
        {C::kFilledEllipse, "전부 칠한 원형 (6)"},
        {C::kRangeSelection, "범위선택 (M)"},
        {C::kSelectAll, "모든 선을 선택 (Ctrl+A)"},
        {C::kDeselect, "선택 해제 (Ctrl+D)"},
        {C::kInvertSelection, "선택범위 반전 (Ctrl+I)"},
        {C::kDeleteSelection, "선택한 직선을 삭제 (Delete)"},
        {C::kUndo, "Undo (Ctrl+Z)"},
        {C::kRedo, "Redo (Ctrl+Y)"},
        {C::kStraighten, "선택한 곡선을 직선화 (T)"},
    };
    ASSERT_EQ(std::size(tips), std::size_t{kCommandCount});
    for (const auto& [command, tip] : tips) {
        EXPECT_EQ(window.CommandAction(command)->toolTip().toStdString(), tip);
    }
}

// The buttons the program shows pressed are toggles, the others plain buttons.
TEST_F(MainWindowTest, OnlyTheButtonsShownPressedAreToggles) {
    using C = CommandId;
    const std::set<C> toggles = {C::kStraightLine,  C::kCurve,         C::kMove,
                                 C::kScale,         C::kVtr,           C::kShaking,
                                 C::kRectangle,     C::kEllipse,       C::kFilledRectangle,
                                 C::kFilledEllipse, C::kRangeSelection};
    for (int i = 0; i < kCommandCount; ++i) {
        const C id = static_cast<C>(i);
        QAction* action = window.CommandAction(id);
        if (action == nullptr) {
            continue;
        }
        QAccessibleInterface* button =
            QAccessible::queryAccessibleInterface(window.toolbar().widgetForAction(action));
        ASSERT_NE(button, nullptr) << i;
        const bool toggle = toggles.contains(id);
        EXPECT_EQ(button->state().checkable, toggle) << i;
        EXPECT_EQ(button->role(), toggle ? QAccessible::CheckBox : QAccessible::Button) << i;
    }
}

}  // namespace
}  // namespace zef::test
