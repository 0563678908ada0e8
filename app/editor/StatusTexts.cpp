#include "app/editor/StatusTexts.h"

#include <string_view>

#include "app/shell/AppTexts.h"

namespace zef {

namespace {

// Puts the numbers in place of the "%d"s of a format, in order.
std::string FormatNumbers(std::string_view format, std::initializer_list<std::int32_t> numbers) {
    std::string text;
    auto number = numbers.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format.substr(i, 2) == "%d" && number != numbers.end()) {
            text += std::to_string(*number++);
            ++i;
        } else {
            text += format[i];
        }
    }
    return text;
}

}  // namespace

void StatusTexts::UpdateSizePane(std::int32_t width, std::int32_t height) {
    SetIfChanged(StatusPane::kCanvasSize, FormatNumbers(texts::kCanvasSizeFormat, {width, height}),
                 lastSize_);
}

void StatusTexts::UpdateCountPane(std::int32_t drawnPointCount) {
    SetIfChanged(StatusPane::kPointCount,
                 FormatNumbers(texts::kPointCountFormat, {drawnPointCount}), lastCount_);
}

void StatusTexts::SetHint(const std::string& hint) {
    shell_.SetStatusText(StatusPane::kHint, hint);
}

void StatusTexts::SetIfChanged(StatusPane pane, std::string text, std::string& last) {
    if (text == last) {
        return;
    }
    shell_.SetStatusText(pane, text);
    last = std::move(text);
}

}  // namespace zef
