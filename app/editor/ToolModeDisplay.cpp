#include "app/editor/ToolModeDisplay.h"

namespace zef {

void ShowEnabling(Shell& shell, const CommandState& state) {
    for (const Command& command : Commands()) {
        const Enabling enabling = command.enabled(state);
        if (enabling != Enabling::kKeep) {
            shell.EnableCommand(command.id, enabling == Enabling::kEnable);
        }
    }
}

void ShowPressed(Shell& shell, const CommandState& state) {
    for (const Command& command : Commands()) {
        if (command.Toggles()) {
            shell.PressCommand(command.id, command.checked(state));
        }
    }
}

void ShowToolMode(Shell& shell, StatusTexts& status, const ToolModeView& view) {
    if (view.progressBar.visible) {
        shell.SetProgressRange(0, view.progressBar.maximum);
        shell.SetProgressPosition(0);
        shell.SetProgressStep(view.progressBar.step);
    }
    shell.ShowProgress(view.progressBar.visible);
    status.SetHint(view.hint);
}

}  // namespace zef
