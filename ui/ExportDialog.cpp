#include "ExportDialog.h"

#include <QCoreApplication>
#include <QFile>
#include <QMessageBox>
#include <algorithm>

#include "AppTexts.h"
#include "DialogMessage.h"
#include "ExportRules.h"
#include "ExportRun.h"
#include "ExportTexts.h"
#include "FileChooser.h"
#include "FilePaths.h"
#include "QtText.h"

namespace zef::ui {
namespace {

QString Number(std::int64_t value) {
    return QString::number(value);
}

}  // namespace

ExportDialog::ExportDialog(Editor& editor, Shell& shell, ExportFormat format, QWidget* parent)
    : QDialog(parent), editor_(editor), shell_(shell), format_(format) {}

ExportDialog::~ExportDialog() = default;

template <typename Widget>
Widget* ExportDialog::Control(const char* name) const {
    return findChild<Widget*>(QString::fromLatin1(name));
}

void ExportDialog::Prepare() {
    path_ = Control<QLineEdit>("pathEdit");
    browse_ = Control<QPushButton>("browseButton");
    frameCount_ = Control<QLabel>("frameCountLabel");
    megabytes_ = Control<QLabel>("megabytesLabel");
    still_ = Control<QRadioButton>("stillRadio");
    shaking_ = Control<QRadioButton>("shakingRadio");
    vtr_ = Control<QRadioButton>("vtrRadio");
    endWait_ = Control<QLineEdit>("endWaitEdit");
    smoothness_ = Control<QSlider>("smoothnessSlider");
    width_ = Control<QLineEdit>("widthEdit");
    height_ = Control<QLineEdit>("heightEdit");
    restoreSize_ = Control<QPushButton>("restoreSizeButton");
    antiAliasing_ = Control<QRadioButton>("antiAliasingRadio");
    noAntiAliasing_ = Control<QRadioButton>("noAntiAliasingRadio");
    transparent_ = Control<QCheckBox>("transparentCheck");
    status_ = Control<QLabel>("statusLabel");
    progress_ = Control<QProgressBar>("progressBar");
    save_ = Control<QPushButton>("saveButton");
    cancel_ = Control<QPushButton>("cancelButton");

    const ModelProperties& model = editor_.model().properties;
    Control<QLabel>("modelWidthLabel")->setText(Number(model.canvasWidth));
    Control<QLabel>("modelHeightLabel")->setText(Number(model.canvasHeight));
    ShowForm(OpeningForm(editor_.exportOptions(), format_, editor_.model()));
    status_->setText(QString::fromUtf8(texts::kExportReady));
    progress_->setValue(0);
    path_->setFocus();

    for (QRadioButton* kind : {still_, shaking_, vtr_}) {
        if (kind != nullptr) {
            connect(kind, &QRadioButton::toggled, this, &ExportDialog::KindChosen);
        }
    }
    connect(endWait_, &QLineEdit::textChanged, this, &ExportDialog::ShowPreview);
    connect(smoothness_, &QSlider::valueChanged, this, &ExportDialog::ShowPreview);
    connect(width_, &QLineEdit::textChanged, this, [this] { SideTyped(width_, height_); });
    connect(height_, &QLineEdit::textChanged, this, [this] { SideTyped(height_, width_); });
    connect(restoreSize_, &QPushButton::clicked, this, &ExportDialog::RestoreSize);
    if (transparent_ != nullptr) {
        connect(antiAliasing_, &QRadioButton::toggled, this, &ExportDialog::EnableTransparency);
        connect(path_, &QLineEdit::textChanged, this, &ExportDialog::EnableTransparency);
    }
    connect(browse_, &QPushButton::clicked, this, &ExportDialog::Browse);
    connect(save_, &QPushButton::clicked, this, &ExportDialog::Save);
    connect(cancel_, &QPushButton::clicked, this, &ExportDialog::CancelClicked);
    ShowPreview();
}

ExportForm ExportDialog::Form() const {
    ExportForm form;
    form.path = LocalPath(path_->text());
    form.kind = shaking_->isChecked() ? kExportShaking
                : vtr_->isChecked()   ? kExportVtr
                                      : kExportStill;
    form.endWait = endWait_->text().toStdString();
    form.smoothness = smoothness_->value();
    form.width = width_->text().toStdString();
    form.height = height_->text().toStdString();
    form.antiAliasing = antiAliasing_->isChecked();
    form.transparent = transparent_ != nullptr && transparent_->isChecked();
    return form;
}

void ExportDialog::ShowForm(const ExportForm& form) {
    QRadioButton* kind = form.kind == kExportShaking ? shaking_
                         : form.kind == kExportVtr   ? vtr_
                                                     : still_;
    if (kind != nullptr) {
        kind->setChecked(true);
    }
    endWait_->setEnabled(EndWaitEnabled(form.kind));
    endWait_->setText(QString::fromStdString(form.endWait));
    path_->setText(QFile::decodeName(form.path.c_str()));
    width_->setText(QString::fromStdString(form.width));
    height_->setText(QString::fromStdString(form.height));
    smoothness_->setRange(0, kMaxSmoothness);
    smoothness_->setValue(form.smoothness);
    (form.antiAliasing ? antiAliasing_ : noAntiAliasing_)->setChecked(true);
    if (transparent_ != nullptr) {
        transparent_->setEnabled(TransparencyEnabled(form.antiAliasing, form.path));
        transparent_->setChecked(form.transparent);
    }
}

void ExportDialog::ShowPreview() {
    const ExportPreview preview = PreviewOf(Form(), format_, editor_.model());
    frameCount_->setText(QString::fromStdString(preview.count));
    if (megabytes_ != nullptr) {
        megabytes_->setText(QString::fromStdString(preview.megabytes));
    }
}

void ExportDialog::EnableTransparency() {
    transparent_->setEnabled(
        TransparencyEnabled(antiAliasing_->isChecked(), LocalPath(path_->text())));
}

void ExportDialog::KindChosen() {
    endWait_->setEnabled(EndWaitEnabled(Form().kind));
    ShowPreview();
}

void ExportDialog::SideTyped(QLineEdit* typed, QLineEdit* other) {
    if (typed->hasFocus()) {
        const ModelProperties& model = editor_.model().properties;
        const bool widthTyped = typed == width_;
        const std::optional<std::int64_t> side = ProportionalSide(
            typed->text().toStdString(), widthTyped ? model.canvasWidth : model.canvasHeight,
            widthTyped ? model.canvasHeight : model.canvasWidth);
        if (side) {
            other->setText(Number(*side));
        }
    }
    ShowPreview();
}

void ExportDialog::RestoreSize() {
    const ModelProperties& model = editor_.model().properties;
    width_->setText(Number(model.canvasWidth));
    height_->setText(Number(model.canvasHeight));
}

void ExportDialog::Browse() {
    FileDialogRecord& record = editor_.fileDialogRecord();
    const std::optional<std::string> chosen =
        ChooseFile(*this, BrowseDialog(format_, record, LocalPath(path_->text())));
    if (!chosen) {
        return;
    }
    record.initialDirectory.clear();
    record.Chose(*chosen);
    path_->setText(QFile::decodeName(chosen->c_str()));
}

void ExportDialog::Save() {
    const SaveCheck check = CheckForSave(Form(), format_);
    if (!check.request) {
        ShowDialogMessage(this, check.message);
        return;
    }
    const ExportRequest& request = *check.request;
    if (!MayReplace(request)) {
        return;
    }
    exporting_ = true;
    DisableControls();
    PumpOneEvent();
    const ExportFormat format = FormatWritten(format_, request.path);
    const ExportResult result = RunExport(editor_, format, request, *this);
    if (result.outcome == ExportOutcome::kCancelled) {
        exporting_ = false;
        reject();
        return;
    }
    if (const char* memory = MemoryMessage(result.outcome, format)) {
        shell_.ShowMessage({memory, texts::kAppCaption, MessageButtons::kOk, MessageIcon::kError,
                            ShellWindow::kMain});
    }
    shell_.BringToForeground();
    PumpOneEvent();
    ShowDialogMessage(this, ClosingMessage(result.outcome, format));
    StoreAfterExport(editor_.exportOptions(), request, format_);
    exporting_ = false;
    accept();
}

// Asked about the first file the export writes, with No as the default.
bool ExportDialog::MayReplace(const ExportRequest& request) {
    const std::string first = FirstFileWritten(request, format_);
    if (!FileCanBeOpened(first)) {
        return true;
    }
    QMessageBox question(QMessageBox::NoIcon, QString::fromUtf8(texts::kAppCaption),
                         QString::fromStdString(OverwriteQuestion(first)),
                         QMessageBox::Yes | QMessageBox::No, this);
    question.setDefaultButton(QMessageBox::No);
    question.setEscapeButton(QMessageBox::No);
    return question.exec() == QMessageBox::Yes;
}

// Cancel stays enabled to stop the export, but takes no focus: the focus leaving the disabled
// controls would land on it, and a stray Enter or Space would then throw the export away.
void ExportDialog::DisableControls() {
    cancel_->setFocusPolicy(Qt::NoFocus);
    for (QWidget* control : std::vector<QWidget*>{
             path_, browse_, smoothness_, width_, height_, shaking_, vtr_, still_, save_,
             antiAliasing_, noAntiAliasing_, transparent_, endWait_, restoreSize_}) {
        if (control != nullptr) {
            control->setEnabled(false);
        }
    }
}

// During an export the request is taken up after the frame in hand (CancelRequested); the
// cancelled export then closes the dialog as Cancel does.
void ExportDialog::CancelClicked() {
    if (exporting_) {
        cancelRequested_ = true;
        return;
    }
    reject();
}

void ExportDialog::reject() {
    if (exporting_) {
        return;
    }
    StoreOnCancel(editor_.exportOptions(), Form(), format_);
    QDialog::reject();
}

void ExportDialog::SetStatusText(const std::string& text) {
    status_->setText(QString::fromStdString(text));
}

// An export without frames still shows an empty bar rather than a busy one.
void ExportDialog::SetProgressRange(std::int32_t low, std::int32_t high) {
    progress_->setRange(low, std::max(high, low + 1));
    progress_->setValue(low);
}

void ExportDialog::StepProgress() {
    progress_->setValue(progress_->value() + 1);
}

void ExportDialog::PumpOneEvent() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// The editor takes each frame's report (RunExport).
void ExportDialog::FrameRendered(const RenderReport&) {}

bool ExportDialog::CancelRequested() const {
    return cancelRequested_;
}

}  // namespace zef::ui
