#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include "ColourPatch.h"
#include "ColourPickerDialog.h"
#include "ColourSlot.h"
#include "DialogTest.h"
#include "PropertiesDialog.h"

namespace zef::test {
namespace {

using namespace zef::ui;

class PropertiesDialogTest : public DialogTest {
  protected:
    static void Size(PropertiesDialog& dialog, const char* width, const char* height) {
        Find<QLineEdit>(dialog, "widthEdit")->setText(QString::fromUtf8(width));
        Find<QLineEdit>(dialog, "heightEdit")->setText(QString::fromUtf8(height));
    }
};

TEST_F(PropertiesDialogTest, OkNamesTheFirstBadSideAndStaysOpen) {
    const QString widthMessage = QString::fromUtf8("제프모델의 넓이는 10~800의 값으로 해주세요.");
    const QString heightMessage = QString::fromUtf8("제프모델의 높이는 10~600의 값으로 해주세요.");
    const struct {
        const char* width;
        const char* height;
        QStringList shown;
    } cases[] = {
        {"9", "601", {widthMessage}},
        {"800", "601", {heightMessage}},
        {"10", "600", {}},
    };
    for (const auto& c : cases) {
        messages.clear();
        PropertiesDialog dialog(editor, nullptr);
        dialog.show();
        Size(dialog, c.width, c.height);
        Find<QPushButton>(dialog, "okButton")->click();
        EXPECT_EQ(messages, c.shown) << c.width << " x " << c.height;
        EXPECT_EQ(dialog.isVisible(), !c.shown.empty()) << c.width;
    }
    EXPECT_EQ(editor.model().properties.canvasWidth, 10);
}

TEST_F(PropertiesDialogTest, ControlsActOnTheModelAtOnceAndCancelPutsItBack) {
    editor.SetColourSlot(0, 0, 0, 0, 10);
    const ModelProperties before = editor.model().properties;
    PropertiesDialog dialog(editor, nullptr);
    dialog.show();
    auto* lineWidth = Find<QSlider>(dialog, "lineWidthSlider");
    EXPECT_EQ(lineWidth->value(), 3);
    EXPECT_FALSE(editor.renderer().VtrMode());

    lineWidth->setValue(8);
    Find<QSlider>(dialog, "shakeSlider")->setValue(8);
    Find<QSlider>(dialog, "speedSlider")->setValue(100);
    Find<QPushButton>(dialog, "automaticShadowButton")->click();
    Find<QCheckBox>(dialog, "noShadowCheck")->setChecked(true);
    EXPECT_EQ(editor.model().properties.lineWidth, 20);
    EXPECT_EQ(editor.renderer().Pens().Line().width, 20);
    EXPECT_TRUE(editor.renderer().VtrMode());
    EXPECT_EQ(Find<ColourPatch>(dialog, "shadowSwatch")->Colour(), QColor(119, 78, 0));
    EXPECT_FALSE(Find<QPushButton>(dialog, "automaticShadowButton")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(dialog, "shadowColourButton")->isEnabled());

    Find<QPushButton>(dialog, "cancelButton")->click();
    EXPECT_EQ(editor.model().properties, before);
}

TEST_F(PropertiesDialogTest, NewModelModeOffersNoCancelAndEscapeDoesOk) {
    shell.dialogBehaviour = [&](DialogId) {
        PropertiesDialog dialog(editor, nullptr);
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("새 파일의 제프툴 등록정보"));
        EXPECT_FALSE(Find<QPushButton>(dialog, "cancelButton")->isEnabled());
        Size(dialog, "5", "100");
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_EQ(messages.size(), 1);
        EXPECT_TRUE(dialog.isVisible());
        Size(dialog, "200", "100");
        dialog.close();
        EXPECT_FALSE(dialog.isVisible());
        return DialogResult::kOk;
    };
    editor.Command(CommandId::kNewModel);
    EXPECT_EQ(editor.model().properties.canvasWidth, 200);
}

using ColourPickerDialogTest = DialogTest;

TEST_F(ColourPickerDialogTest, TypedValuesActUpTo255) {
    ColourPickerDialog picker(editor, kLineSlot, nullptr);
    picker.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&picker));
    QApplication::setActiveWindow(&picker);
    auto* edit = picker.findChild<QLineEdit*>("redEdit");
    auto* slider = picker.findChild<QSlider*>("redSlider");
    edit->setFocus();
    // Each as if pasted over the whole text.
    for (const auto& [typed, position] : {std::pair{"300", 0}, {"255", 255}, {"", 255}}) {
        edit->selectAll();
        edit->insert(typed);
        EXPECT_EQ(edit->text(), typed);
        EXPECT_EQ(slider->value(), position) << typed;
    }
    EXPECT_EQ(picker.Working(), (Colour{255, 0, 0}));
}

TEST_F(ColourPickerDialogTest, SwatchPreviewAndCancel) {
    const Colour shadow = editor.model().properties.shadowColour;
    ColourPickerDialog picker(editor, kShadowSlot, nullptr);
    picker.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&picker));
    QTest::mouseClick(picker.findChild<ColourPatch*>("swatch14"), Qt::LeftButton);
    EXPECT_EQ(picker.findChild<QLineEdit*>("greenEdit")->text(), "127");
    EXPECT_EQ(picker.findChild<QSlider*>("blueSlider")->value(), 127);
    picker.findChild<QSlider*>("greenSlider")->setValue(200);
    picker.findChild<ColourPatch*>("preview")->repaint();
    EXPECT_EQ(editor.model().properties.shadowColour, (Colour{255, 200, 127}));
    picker.reject();
    EXPECT_EQ(picker.Working(), shadow);
}

}  // namespace
}  // namespace zef::test
