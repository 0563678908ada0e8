#include "app/editor/ToolModeDisplay.h"

namespace zef {

void ShowToolbarState(Shell& shell, const ToolbarState& state) {
    for (const ButtonState& button : state.pressed) {
        shell.PressCommand(button.command, button.on);
    }
    for (const ButtonState& button : state.enabled) {
        shell.EnableCommand(button.command, button.on);
    }
}

void ShowToolMode(Shell& shell, StatusTexts& status, const ToolModeView& view) {
    for (std::size_t i = 0; i < view.enabling.size(); ++i) {
        if (view.enabling[i] != ButtonEnabling::kKeep) {
            shell.EnableCommand(static_cast<CommandId>(i),
                                view.enabling[i] == ButtonEnabling::kEnable);
        }
    }
    if (view.progressBar.visible) {
        shell.SetProgressRange(0, view.progressBar.maximum);
        shell.SetProgressPosition(0);
        shell.SetProgressStep(view.progressBar.step);
    }
    shell.ShowProgress(view.progressBar.visible);
    status.SetHint(view.hint);
}

}  // namespace zef
