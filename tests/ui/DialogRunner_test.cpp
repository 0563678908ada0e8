#include <QApplication>
#include <QDialog>
#include <QTimer>

#include "WindowTest.h"

namespace zef::test {
namespace {

using DialogRunnerTest = WindowTest;

// Each command opens its dialog modally, owned by the main window.
TEST_F(DialogRunnerTest, TheToolbarOpensEachDialogOverTheWindow) {
    const struct {
        int command;
        const char* title;
    } cases[] = {{14, "제프모델의 등록정보"},
                 {9, "설정"},
                 {8, "버젼 정보"},
                 {12, "애니메이션 GIF 파일 저장옵션"},
                 {13, "일련 BMP파일 저장"}};
    window.editor().model().AppendPoint(10, 10, false);  // the exports refuse an empty model
    for (const auto& c : cases) {
        QString title;
        int ownedByWindow = 0;
        QTimer::singleShot(100, &window, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr) << c.command;
            title = dialog->windowTitle();
            ownedByWindow = dialog->parentWidget() == &window;
            dialog->reject();
        });
        window.editor().Command(c.command);
        EXPECT_EQ(title, QString::fromUtf8(c.title));
        EXPECT_TRUE(ownedByWindow) << c.command;
    }
}

}  // namespace
}  // namespace zef::test
