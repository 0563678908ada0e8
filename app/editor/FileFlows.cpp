#include "app/editor/FileFlows.h"

#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>

#include "app/desktop/FilePaths.h"
#include "app/sessions/ReplaceQuestion.h"
#include "app/shell/AppTexts.h"
#include "export/ExportTexts.h"
#include "model/ModelFileIO.h"
#include "model/ModelTexts.h"

namespace zef {

namespace {

DocumentIdentity NamedBy(std::string path) {
    std::string title = FileTitleOf(path);
    return {std::move(path), std::move(title)};
}

}  // namespace

FileFlows::FileFlows(Model& model, Shell& shell, EditorOperations& host)
    : model_(model), shell_(shell), host_(host) {}

void FileFlows::NewModel() {
    if (!AskToSaveChanges(ShellWindow::kMain)) {
        return;
    }
    // However the dialog closes, the new model is made.
    newModelMarker_ = true;
    shell_.RunDialog(DialogId::kProperties);
    newModelMarker_ = false;

    Model& model = model_;
    model.ClearPoints();
    host_.PaintCanvas();
    model.document.shakingOn = 1;
    model.document.drawnPointCount = 0;
    host_.ResetExportOptions();
    host_.StartDocument({}, true);
    host_.RefreshToolMode();
}

void FileFlows::Open() {
    FileDialog dialog;
    dialog.kind = FileDialogKind::kOpen;
    dialog.title = texts::kOpenDialogTitle;
    dialog.filters = {{texts::kAnyModelFilter, texts::kAnyModelPattern},
                      {texts::kModelFilter, texts::kModelPattern},
                      {texts::kOlderModelFilter, texts::kOlderModelPattern}};
    dialog.initialPath = record_.path;
    dialog.initialDirectory = record_.StartDirectory();
    dialog.mustExist = true;
    const std::optional<std::string> chosen = shell_.ChooseFile(dialog);
    if (!chosen) {
        return;
    }
    record_.Chose(*chosen);
    if (OpenModelFile(*chosen)) {
        record_.initialDirectory.clear();
    }
}

bool FileFlows::Save(ShellWindow owner) {
    const std::string& current = model_.document.path;
    if (current.empty()) {
        return SaveAs(owner);
    }
    std::string path = InCurrentFormat(current);
    if (!SaveModel(path, owner)) {
        return false;
    }
    host_.DocumentSaved(NamedBy(std::move(path)));
    return true;
}

bool FileFlows::SaveAs(ShellWindow owner) {
    FileDialog dialog;
    dialog.kind = FileDialogKind::kSave;
    dialog.owner = owner;
    dialog.title = texts::kSaveDialogTitle;
    dialog.filters = {{texts::kModelFilter, texts::kModelPattern}};
    dialog.overwritePrompt = true;
    record_.path.clear();
    dialog.initialDirectory = record_.StartDirectory();
    const std::optional<std::string> chosen = shell_.ChooseFile(dialog);
    if (!chosen) {
        return false;
    }
    record_.initialDirectory.clear();
    record_.Chose(*chosen);
    std::string path = WithCurrentEnding(*chosen);
    if (path != *chosen && !MayReplace(path, owner)) {
        return false;
    }
    if (!SaveModel(path, owner)) {
        return false;
    }
    host_.DocumentSaved(NamedBy(std::move(path)));
    return true;
}

// The dialog asked about the name without the ending; the name saved under is asked here.
bool FileFlows::MayReplace(const std::string& path, ShellWindow owner) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return true;
    }
    return AgreesToReplace(shell_, path, owner);
}

void FileFlows::Close(ShellWindow owner) {
    if (AskToSaveChanges(owner)) {
        shell_.Quit();
    }
}

void FileFlows::HandOver(const std::string& path) {
    shell_.BringToForeground();
    if (OpenModelFile(path)) {
        record_.initialDirectory.clear();
    }
}

void FileFlows::Drop(std::span<const std::string> paths) {
    if (paths.empty()) {
        return;
    }
    shell_.BringToForeground();
    OpenModelFile(paths.front());
}

void FileFlows::Export(DialogId dialog) {
    Model& model = model_;
    model.document.drawnPointCount = static_cast<std::int32_t>(model.points.size());
    if (model.points.empty()) {
        Report(texts::kEmptyModel, MessageIcon::kNone);
        return;
    }
    shell_.RunDialog(dialog);
}

bool FileFlows::OpenModelFile(const std::string& path) {
    // A save in answer to the question may go through the save dialog, which takes over the
    // record's path; the open dialog shows the opened file's path again next time.
    const std::string recordPath = record_.path;
    const bool asked = AskToSaveChanges(ShellWindow::kMain);
    record_.path = recordPath;
    if (!asked || !LoadModel(path)) {
        return false;
    }
    StartOpenedDocument(NamedBy(path), true);
    return true;
}

bool FileFlows::OpenRecovered(RecoveryCopy work) {
    if (!AskToSaveChanges(ShellWindow::kMain)) {
        return false;
    }
    TakeModel(work.properties, std::move(work.points));
    StartOpenedDocument({std::move(work.path), std::move(work.title)}, false);
    return true;
}

void FileFlows::StartOpenedDocument(DocumentIdentity identity, bool saved) {
    host_.StartDocument(std::move(identity), saved);
    host_.SetVtrMode(host_.OpensInVtr());
    host_.RefreshToolMode();
}

bool FileFlows::LoadModel(const std::string& path) {
    Model& model = model_;
    LoadResult loaded = ReadModelFile(path, model.properties);
    if (!loaded.model) {
        const std::string_view text = LoadFailureText(loaded.failure);
        if (!text.empty()) {
            Report(std::string(text), loaded.failure == LoadFailure::kOutOfMemory
                                          ? MessageIcon::kError
                                          : MessageIcon::kNone);
        }
        return false;
    }
    TakeModel(loaded.model->properties, std::move(loaded.model->points));
    return true;
}

void FileFlows::TakeModel(const ModelProperties& properties, std::vector<PointRecord> points) {
    Model& model = model_;
    model.properties = properties;
    host_.ApplyColourSlots();
    model.points = std::move(points);
    model.document.drawnPointCount = static_cast<std::int32_t>(model.points.size());

    host_.ResetExportOptions();
    host_.ResetTools();
    model.document.shakingOn = 1;
    host_.FitCanvas(model.properties.canvasWidth, model.properties.canvasHeight);
}

bool FileFlows::SaveModel(const std::string& path, ShellWindow owner) {
    if (WriteModelFile(path, model_)) {
        return true;
    }
    Report(texts::kSaveFailed, MessageIcon::kError, owner);
    return false;
}

bool FileFlows::AskToSaveChanges(ShellWindow owner) {
    if (!model_.document.modified) {
        return true;
    }
    const MessageAnswer answer =
        shell_.ShowMessage({texts::kSaveChangesQuestion, texts::kAppCaption,
                            MessageButtons::kYesNoCancel, MessageIcon::kNone, owner});
    switch (answer) {
        case MessageAnswer::kYes:
            return Save(owner);
        case MessageAnswer::kNo:
            host_.DiscardRecoveryCopy();
            return true;
        default:
            return false;
    }
}

void FileFlows::Report(const std::string& text, MessageIcon icon, ShellWindow owner) {
    shell_.ShowMessage({text, texts::kAppCaption, MessageButtons::kOk, icon, owner});
}

}  // namespace zef
