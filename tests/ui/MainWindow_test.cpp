#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QToolButton>
#include <filesystem>
#include <set>

#include "Accelerators.h"
#include "CommandTable.h"
#include "WindowTest.h"

namespace zef::test {
namespace {

const QString kCaption = QStringLiteral("제프툴 1.39 -다온비");

// What a command changes, as the user sees it.
struct EditorState {
    Tool tool;
    bool vtr;
    int shaking;
    std::size_t points;
    std::size_t selected;
    friend bool operator==(const EditorState&, const EditorState&) = default;
};

EditorState StateOf(ui::MainWindow& window) {
    Editor& editor = window.editor();
    const auto& points = editor.model().points;
    return {editor.interaction().tool, editor.renderer().VtrMode(),
            editor.model().document.shakingOn, points.size(),
            static_cast<std::size_t>(std::count_if(points.begin(), points.end(),
                                                   [](const auto& p) { return p.selected; }))};
}

struct Twin {
    QKeyCombination key;
    CommandId command;
    bool selectFirst;  // the command needs the range tool with a selection
};

class AcceleratorTest : public ::testing::TestWithParam<Twin> {};

TEST_P(AcceleratorTest, KeyAndToolbarButtonDoTheSame) {
    const Twin twin = GetParam();
    const auto prepare = [&](ui::MainWindow& window) {
        window.show();
        window.editor().settings().openInVtr = 0;
        window.editor().Start(ZEF_SAMPLE_MODEL, "");
        if (twin.selectFirst) {
            window.editor().Command(CommandId::kSelectAll);
        }
        window.canvas().setFocus();
        return StateOf(window);
    };
    ui::MainWindow byKey(1);
    ui::MainWindow byButton(1);
    prepare(byButton);
    const EditorState before = prepare(byKey);
    byKey.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&byKey));
    QTest::keyClick(&byKey.canvas(), twin.key.key(), twin.key.keyboardModifiers());
    QTest::mouseClick(byButton.toolbar().widgetForAction(byButton.CommandAction(twin.command)),
                      Qt::LeftButton);
    EXPECT_NE(StateOf(byKey), before);
    EXPECT_EQ(StateOf(byKey), StateOf(byButton));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, AcceleratorTest,
    ::testing::Values(Twin{QKeyCombination(Qt::Key_3), CommandId::kRectangle, false},
                      Twin{QKeyCombination(Qt::Key_M), CommandId::kRangeSelection, true},
                      Twin{Qt::CTRL | Qt::Key_A, CommandId::kSelectAll, false},
                      Twin{Qt::KeypadModifier | Qt::Key_Enter, CommandId::kVtr, false},
                      Twin{Qt::SHIFT | Qt::Key_Z, CommandId::kRemoveLastLine, false},
                      Twin{QKeyCombination(Qt::Key_Delete), CommandId::kDeleteSelection, true}));

// Each tooltip that names a key, in parentheses at its end, names a key that runs the
// command; a command with keys names one of them.
TEST(AcceleratorTableTest, TheKeyATooltipNamesRunsItsCommand) {
    static const QRegularExpression named(QStringLiteral("\\(([^()]+)\\)$"));
    for (int i = 0; i < kCommandCount; ++i) {
        const auto id = static_cast<CommandId>(i);
        const QString tip = QString::fromUtf8(TooltipFor(id));
        std::vector<QKeySequence> keys;
        for (const ui::Accelerator& accelerator : ui::kAccelerators) {
            if (accelerator.command == id) {
                keys.emplace_back(accelerator.key);
            }
        }
        const QRegularExpressionMatch match = named.match(tip);
        if (!match.hasMatch()) {
            EXPECT_TRUE(keys.empty()) << tip.toStdString();
            continue;
        }
        const QKeySequence key = QKeySequence::fromString(match.captured(1));
        EXPECT_NE(std::find(keys.begin(), keys.end(), key), keys.end()) << tip.toStdString();
    }
}

class MainWindowTest : public WindowTest {};

TEST_F(MainWindowTest, StrokesDrawnWithTheMouseLandInTheModelHeldToTheCanvas) {
    Press({20, 30});
    MoveTo({120, 90});
    Release({120, 90});
    const auto& points = window.editor().model().points;
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].x, 20);
    EXPECT_EQ(points[0].y, 30);
    EXPECT_EQ(points[1].x, 120);
    EXPECT_EQ(points[1].y, 90);
    EXPECT_EQ(Pane(StatusPane::kPointCount), QStringLiteral("선 갯수 : 2"));
    EXPECT_EQ(window.windowTitle(), kCaption + QStringLiteral(" - [ 무제 * ]"));
    const Colour line = window.editor().model().properties.lineColour;
    EXPECT_EQ(window.canvas().PresentedFrame().pixelColor(70, 60),
              QColor(line.red, line.green, line.blue));

    // The moves outside the canvas belong to the drag, held to its edge: the curve gains its
    // points there while the button is down, and both strokes end at the edge.
    for (const auto& [tool, whileDown] :
         {std::pair{CommandId::kStraightLine, 1u}, std::pair{CommandId::kCurve, 2u}}) {
        window.editor().Command(tool);
        const std::size_t before = points.size();
        Press({700, 500});
        MoveTo({2000, 1500});
        MoveTo({2100, 1600});
        EXPECT_EQ(points.size() - before, whileDown) << static_cast<int>(tool);
        Release({2100, 1600});
        const CanvasSize client = window.CanvasClientSize();
        EXPECT_EQ(points.back().x, client.width - 1);
        EXPECT_EQ(points.back().y, client.height - 1);
    }
}

TEST_F(MainWindowTest, FrameDragResizesTheCanvasAndShowsTheSize) {
    ui::CanvasWidget& canvas = window.canvas();
    const QPoint rightEdge = canvas.mapToGlobal(QPoint(canvas.width() - 2, canvas.height() / 2));
    DragOnScreen(rightEdge, rightEdge - QPoint(140, 0));
    EXPECT_EQ(window.CanvasClientSize(), (CanvasSize{660, 600}));
    EXPECT_EQ(window.editor().model().properties.canvasWidth, 660);
    EXPECT_EQ(Pane(StatusPane::kCanvasSize), QStringLiteral("660 Ⅹ 600"));
    EXPECT_EQ(canvas.x(), (window.width() - canvas.width()) / 2);
}

TEST_F(MainWindowTest, AHandOverWaitsForTheExportAndADropOfThreeFilesOpensTheFirst) {
    window.editor().SetExportRunning(true);
    window.HandOverPath(QStringLiteral(ZEF_SAMPLE_MODEL));
    EXPECT_EQ(window.windowTitle(), kCaption + QStringLiteral(" - [ 무제 ]"));
    window.editor().SetExportRunning(false);
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
    EXPECT_EQ(window.editor().model().document.path, folder.PathOf("a.zfm"));
}

// Answers the next message box with the button whose text holds `answer`, and keeps the
// texts of its buttons.
void AnswerNextMessage(const QString& answer, QStringList& buttons) {
    QTimer::singleShot(0, [answer, &buttons] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* button : box->buttons()) {
            buttons << button->text();
            if (button->text().contains(answer)) {
                button->click();
            }
        }
    });
}

TEST_F(MainWindowTest, CloseBoxAsksToSaveChangesWithKoreanButtons) {
    Press({20, 30});
    Release({60, 30});
    QStringList buttons;
    AnswerNextMessage(QStringLiteral("취소"), buttons);
    window.close();
    buttons.sort();
    EXPECT_EQ(buttons.join(',').toStdString(), "아니요(&N),예(&Y),취소");
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.QuitRequested());

    buttons.clear();
    AnswerNextMessage(QStringLiteral("아니요"), buttons);
    QTest::keyClick(&window.canvas(), Qt::Key_Escape);
    EXPECT_TRUE(window.QuitRequested());
}

// Each command opens its dialog modally, owned by the main window.
TEST_F(MainWindowTest, TheToolbarOpensEachDialogOverTheWindow) {
    const struct {
        CommandId command;
        const char* title;
    } cases[] = {{CommandId::kProperties, "제프모델의 등록정보"},
                 {CommandId::kSettings, "설정"},
                 {CommandId::kGifExport, "애니메이션 GIF 파일 저장옵션"}};
    window.editor().model().AppendPoint(10, 10, false);  // the exports refuse an empty model
    for (const auto& c : cases) {
        QString title;
        int ownedByWindow = 0;
        QTimer::singleShot(100, &window, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr) << c.title;
            title = dialog->windowTitle();
            ownedByWindow = dialog->parentWidget() == &window;
            dialog->reject();
        });
        window.editor().Command(c.command);
        EXPECT_EQ(title, QString::fromUtf8(c.title));
        EXPECT_TRUE(ownedByWindow) << c.title;
    }
}

// The buttons the program shows pressed are toggles; every other one is announced as a plain
// button.
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
