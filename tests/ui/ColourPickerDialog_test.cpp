#include <QLineEdit>
#include <QSlider>
#include <QTest>

#include "ColourPatch.h"
#include "ColourPickerDialog.h"
#include "ColourSlot.h"
#include "DialogTest.h"

namespace zef::test {
namespace {

using namespace zef::ui;

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
