#include "app/editor/TitleBar.h"

#include "app/shell/AppTexts.h"

namespace zef {

std::string TitleBar::CaptionFor(const DocumentState& document) {
    const std::string name = document.title.empty() ? texts::kUntitled : document.title;
    const std::string marker = document.modified ? texts::kModifiedMarker : "";
    return std::string(texts::kAppCaption) + " - [ " + name + " " + marker + "]";
}

void TitleBar::UpdateTitle(const DocumentState& document) {
    std::string caption = CaptionFor(document);
    if (caption == lastCaption_) {
        return;
    }
    shell_.SetCaption(caption);
    lastCaption_ = std::move(caption);
}

}  // namespace zef
