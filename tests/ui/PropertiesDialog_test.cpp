
#include "ui/PropertiesDialog.h"
#include "app/sessions/ColourSlot.h"
#include "tests/ui/DialogTest.h"
#include "ui/ColourPatch.h"
#include "ui/ColourPickerDialog.h"

namespace zef::test {
namespace {

using namespace zef::ui;

using PropertiesDialogTest = DialogTest;

TEST_F(PropertiesDialogTest, ControlsActOnTheModelAtOnceAndCancelPutsItBack) {
    PropertiesSession setup = editor.OpenPropertiesSession();
    setup.SetLineWidthPosition(3);
    setup.SetSlotColour(kLineSlot, {0, 0, 0});
    const ModelProperties before = editor.model().properties;
    PropertiesDialog dialog(editor.OpenPropertiesSession(), nullptr);
    dialog.show();
    auto* lineWidth = Find<QSlider>(dialog, "lineWidthSlider");
    EXPECT_EQ(lineWidth->value(), 3);
    lineWidth->setValue(8);
    Find<QSlider>(dialog, "speedSlider")->setValue(100);
    Find<QPushButton>(dialog, "automaticShadowButton")->click();
    Find<QCheckBox>(dialog, "noShadowCheck")->setChecked(true);
    EXPECT_EQ(editor.model().properties.lineWidth, 20);
    EXPECT_TRUE(editor.renderer().VtrMode());
    EXPECT_EQ(Find<ColourPatch>(dialog, "shadowSwatch")->Colour(), QColor(119, 78, 0));
    EXPECT_FALSE(Find<QPushButton>(dialog, "shadowColourButton")->isEnabled());
    Find<QPushButton>(dialog, "cancelButton")->click();
    EXPECT_EQ(editor.model().properties, before);
}

TEST_F(PropertiesDialogTest, NewModelModeOffersNoCancelAndEscapeDoesOk) {
    shell.dialogBehaviour = [&](DialogId) {
        PropertiesDialog dialog(editor.OpenPropertiesSession(), nullptr);
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("새 파일의 제프툴 등록정보"));
        EXPECT_FALSE(Find<QPushButton>(dialog, "cancelButton")->isEnabled());
        QLineEdit* height = Find(dialog, "heightEdit");
        height->setText("601");
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_EQ(messages,
                  std::vector<std::string>{"제프모델의 높이는 10~600의 값으로 해주세요."});
        EXPECT_TRUE(dialog.isVisible());
        height->setText("100");
        Find(dialog, "widthEdit")->setText("200");
        Find<QPushButton>(dialog, "okButton")->click();
        EXPECT_FALSE(dialog.isVisible());
        return DialogResult::kOk;
    };
    editor.Command(CommandId::kNewModel);
    EXPECT_EQ(editor.model().properties.canvasWidth, 200);
}

// The picker's controls show each other's values; an edit acts only on a number up to 255.
TEST_F(PropertiesDialogTest, ThePickersControlsFollowEachOtherUntilCancel) {
    const Colour shadow = editor.model().properties.shadowColour;
    ColourPickerDialog picker(editor.OpenPropertiesSession().OpenColourPicker(kShadowSlot),
                              nullptr);
    picker.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&picker));
    QApplication::setActiveWindow(&picker);
    QTest::mouseClick(Find<ColourPatch>(picker, "swatch14"), Qt::LeftButton);
    EXPECT_EQ(Find(picker, "greenEdit")->text(), "127");
    QLineEdit* red = Find(picker, "redEdit");
    red->setFocus();
    for (const auto& [typed, position] : {std::pair{"0", 0}, {"256", 0}, {"255", 255}, {"", 255}}) {
        red->selectAll();
        red->insert(typed);
        EXPECT_EQ(red->text(), typed);
        EXPECT_EQ(Find<QSlider>(picker, "redSlider")->value(), position) << typed;
    }
    Find<QSlider>(picker, "blueSlider")->setValue(9);
    EXPECT_EQ(Find(picker, "blueEdit")->text(), "9");
    Find<ColourPatch>(picker, "preview")->repaint();
    EXPECT_EQ(editor.model().properties.shadowColour, (Colour{255, 127, 9}));
    picker.reject();
    EXPECT_EQ(picker.Working(), shadow);
}

}  // namespace
}  // namespace zef::test
