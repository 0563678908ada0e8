#pragma once

#include <cstdint>
#include <string>

#include "app/shell/Shell.h"

namespace zef {

// The texts of the status bar: the point count, the hint of the tool or mode and the canvas
// size. The count and the size are sent only when their text changed.
class StatusTexts {
  public:
    explicit StatusTexts(Shell& shell) : shell_(shell) {}

    void UpdateSizePane(std::int32_t width, std::int32_t height);
    void UpdateCountPane(std::int32_t drawnPointCount);
    void SetHint(const std::string& hint);

  private:
    void SetIfChanged(StatusPane pane, std::string text, std::string& last);

    Shell& shell_;
    std::string lastSize_;
    std::string lastCount_;
};

}  // namespace zef
