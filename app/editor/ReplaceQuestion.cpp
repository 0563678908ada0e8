#include "ReplaceQuestion.h"

#include "AppTexts.h"
#include "FilePaths.h"

namespace zef {

bool AgreesToReplace(Shell& shell, const std::string& path, ShellWindow owner) {
    return shell.ShowMessage({OverwriteQuestion(path), texts::kAppCaption,
                              MessageButtons::kYesNoDefaultNo, MessageIcon::kNone, owner}) ==
           MessageAnswer::kYes;
}

}  // namespace zef
