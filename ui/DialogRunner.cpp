#include "DialogRunner.h"

namespace zef::ui {

DialogResult RunModalDialog(DialogId dialog, QWidget& owner, Editor& editor) {
    static_cast<void>(owner);
    static_cast<void>(editor);
    switch (dialog) {
        case DialogId::kAbout:
        case DialogId::kSettings:
        case DialogId::kGifExport:
        case DialogId::kProperties:
        case DialogId::kBmpExport:
            break;
    }
    return DialogResult::kCancel;
}

}  // namespace zef::ui
