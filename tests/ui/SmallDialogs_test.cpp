#include <QCheckBox>
#include <QPushButton>

#include "DialogTest.h"
#include "SettingsDialog.h"

namespace zef::test {
namespace {

using namespace zef::ui;

using SmallDialogsTest = DialogTest;

TEST_F(SmallDialogsTest, SettingsOkWritesTheBoxAndCancelNothing) {
    const struct {
        std::int32_t stored;
        bool untick;
        bool ok;
        std::int32_t after;
    } cases[] = {
        {-1, false, true, 1},
        {1, true, true, 0},
        {1, true, false, 1},
        {0, false, true, 0},
    };
    for (const auto& c : cases) {
        Settings settings{c.stored};
        SettingsDialog dialog(settings, nullptr);
        auto* box = dialog.findChild<QCheckBox*>("openInVtrCheck");
        EXPECT_EQ(box->isChecked(), c.stored != 0) << c.stored;
        if (c.untick) {
            box->setChecked(false);
        }
        dialog.findChild<QPushButton*>(c.ok ? "okButton" : "cancelButton")->click();
        EXPECT_EQ(settings.openInVtr, c.after) << c.stored;
    }
}

}  // namespace
}  // namespace zef::test
