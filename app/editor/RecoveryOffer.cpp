#include "app/editor/RecoveryOffer.h"

#include "app/desktop/RecoveryCopy.h"
#include "app/shell/AppTexts.h"

namespace zef {

bool OfferLeftBehindWork(RecoveryKeeper& keeper, Shell& shell, FileFlows& flows) {
    const RecoveryFolder* folder = keeper.Folder();
    if (folder == nullptr) {
        return false;
    }
    bool opened = false;
    for (const std::string& copy : folder->LeftBehind()) {
        const std::optional<std::vector<std::uint8_t>> bytes = folder->Read(copy);
        if (!bytes) {
            continue;
        }
        std::optional<RecoveryCopy> work = DecodeRecoveryCopy(*bytes);
        if (!work) {
            folder->SetAside(copy);
            continue;
        }
        const MessageAnswer answer =
            shell.ShowMessage({texts::kRecoveryQuestion, texts::kAppCaption, MessageButtons::kYesNo,
                               MessageIcon::kQuestion});
        if (answer == MessageAnswer::kNo) {
            folder->Remove(copy);
        } else if (answer == MessageAnswer::kYes && flows.OpenRecovered(std::move(*work))) {
            keeper.Adopt(copy);
            opened = true;
        }
    }
    return opened;
}

}  // namespace zef
