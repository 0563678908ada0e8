#include "app/editor/ReplaceQuestion.h"

#include "app/editor/AppTexts.h"
#include "app/editor/FilePaths.h"

namespace zef {

bool AgreesToReplace(Shell& shell, const std::string& path, ShellWindow owner) {
    return shell.ShowMessage({OverwriteQuestion(path), texts::kAppCaption,
                              MessageButtons::kYesNoDefaultNo, MessageIcon::kNone, owner}) ==
           MessageAnswer::kYes;
}

}  // namespace zef
