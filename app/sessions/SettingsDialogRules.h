#pragma once

#include "app/shell/Settings.h"

namespace zef {

// The settings dialog's check box shows exactly what the setting does: checked when a model
// that has just been opened starts replaying (any non-zero value).
constexpr bool OpenInVtrChecked(const Settings& settings) {
    return settings.openInVtr != 0;
}

// OK writes the check box into the setting as 1 or 0; Cancel writes nothing.
constexpr void AcceptOpenInVtr(Settings& settings, bool checked) {
    settings.openInVtr = checked ? 1 : 0;
}

}  // namespace zef
