#include "tests/app/FakeShell.h"

#include <gtest/gtest.h>

namespace zef::test {
namespace {

template <typename Answer>
Answer Next(std::deque<Answer>& script, const std::string& asked, Answer none) {
    if (script.empty()) {
        ADD_FAILURE() << "unexpected: " << asked;
        return none;
    }
    Answer answer = script.front();
    script.pop_front();
    return answer;
}

}  // namespace

MessageAnswer FakeShell::ShowMessage(const MessageBox& box) {
    messages.push_back(box);
    return box.buttons == MessageButtons::kOk ? MessageAnswer::kOk
                                              : Next(answers, box.text, MessageAnswer::kCancel);
}

std::optional<std::string> FakeShell::ChooseFile(const FileDialog& dialog) {
    fileDialogs.push_back(dialog);
    return Next(chosenFiles, dialog.title, std::optional<std::string>());
}

}  // namespace zef::test
