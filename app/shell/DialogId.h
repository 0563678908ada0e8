#pragma once

namespace zef {

// The modal dialogs, by their resource numbers.
enum class DialogId : int {
    kAbout = 105,
    kSettings = 107,
    kGifExport = 108,
    kProperties = 110,
    kBmpExport = 126,
};

enum class DialogResult { kOk, kCancel };

}  // namespace zef
