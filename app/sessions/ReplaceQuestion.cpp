#include "app/sessions/ReplaceQuestion.h"

#include "app/desktop/FilePaths.h"
#include "app/shell/AppTexts.h"

namespace zef {

bool AgreesToReplace(Shell& shell, const std::string& path, ShellWindow owner) {
    return shell.ShowMessage({OverwriteQuestion(path), texts::kAppCaption,
                              MessageButtons::kYesNoDefaultNo, MessageIcon::kNone, owner}) ==
           MessageAnswer::kYes;
}

}  // namespace zef
