#include "ui/ExportDialog.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDrag>
#include <QGuiApplication>
#include <QRegularExpressionValidator>
#include <algorithm>

#include "app/shell/DialogTexts.h"
#include "export/ExportTexts.h"
#include "ui/DialogMessage.h"
#include "ui/FileChooser.h"
#include "ui/FileMimeData.h"
#include "ui/QtText.h"
#include "ui_BmpExportDialog.h"
#include "ui_ExportPane.h"
#include "ui_GifExportDialog.h"

namespace zef::ui {
namespace {

// The controls both forms have, under the same names.
template <typename Form>
ExportControls SharedControls(const Form& form) {
    return {.path = form.pathEdit,
            .browse = form.browseButton,
            .frameCount = form.frameCountLabel,
            .shaking = form.shakingRadio,
            .vtr = form.vtrRadio,
            .endWait = form.endWaitEdit,
            .smoothness = form.smoothnessSlider,
            .modelWidth = form.modelWidthLabel,
            .modelHeight = form.modelHeightLabel,
            .width = form.widthEdit,
            .height = form.heightEdit,
            .restoreSize = form.restoreSizeButton,
            .antiAliasing = form.antiAliasingRadio,
            .noAntiAliasing = form.noAntiAliasingRadio,
            .status = form.statusLabel,
            .progress = form.progressBar,
            .save = form.saveButton,
            .cancel = form.cancelButton};
}

// Sets up the format's form on the dialog; the form's widgets belong to the dialog.
ExportControls SetUpForm(QDialog& dialog, ExportFormat format) {
    if (format == ExportFormat::kBmp) {
        Ui::BmpExportDialog form;
        form.setupUi(&dialog);
        ExportControls controls = SharedControls(form);
        controls.still = form.stillRadio;
        controls.megabytes = form.megabytesLabel;
        return controls;
    }
    Ui::GifExportDialog form;
    form.setupUi(&dialog);
    ExportControls controls = SharedControls(form);
    controls.transparent = form.transparentCheck;
    return controls;
}

// Sets up the pane to the right of the form, the dialog widened for it; its controls come
// after the form's in the tab order.
PaneControls SetUpPane(QDialog& dialog, const ExportControls& form) {
    auto* pane = new QWidget(&dialog);
    Ui::ExportPane ui;
    ui.setupUi(pane);
    const QSize formSize = dialog.size();
    pane->setGeometry(formSize.width(), 0, pane->width(), formSize.height());
    dialog.setFixedSize(formSize.width() + pane->width(), formSize.height());
    QWidget::setTabOrder(form.cancel, ui.limitCheck);
    return {.preview = ui.preview,
            .summary = ui.summaryLabel,
            .sizeProgress = ui.sizeProgress,
            .limit = ui.limitCheck,
            .limitEdit = ui.limitEdit,
            .limitUnit = ui.limitUnit,
            .copy = ui.copyButton};
}

}  // namespace

ExportDialog::ExportDialog(ExportHost& host, Shell& shell, ExportFormat format, QWidget* parent)
    : QDialog(parent),
      ExportView(session_),
      session_(host, shell, format),
      controls_(SetUpForm(*this, format)),
      pane_(SetUpPane(*this, controls_)) {
    const ExportControls& c = controls_;
    c.modelWidth->setText(FromUtf8(session_.ModelWidth()));
    c.modelHeight->setText(FromUtf8(session_.ModelHeight()));
    ShowForm(session_.OpeningForm());
    c.status->setText(FromUtf8(texts::kExportReady));
    c.progress->setValue(0);
    c.path->setFocus();

    for (QRadioButton* kind : {c.still, c.shaking, c.vtr}) {
        if (kind != nullptr) {
            connect(kind, &QRadioButton::toggled, this, &ExportDialog::kindChosen);
        }
    }
    connect(c.endWait, &QLineEdit::textChanged, this, &ExportDialog::showPreview);
    connect(c.smoothness, &QSlider::valueChanged, this, &ExportDialog::showPreview);
    connect(c.width, &QLineEdit::textChanged, this, [this] { sideTyped(controls_.width); });
    connect(c.height, &QLineEdit::textChanged, this, [this] { sideTyped(controls_.height); });
    connect(c.restoreSize, &QPushButton::clicked, this, &ExportDialog::restoreSize);
    if (c.transparent != nullptr) {
        connect(c.antiAliasing, &QRadioButton::toggled, this, &ExportDialog::enableTransparency);
        connect(c.path, &QLineEdit::textChanged, this, &ExportDialog::enableTransparency);
    }
    connect(c.antiAliasing, &QRadioButton::toggled, this, &ExportDialog::showPreview);
    connect(c.path, &QLineEdit::textChanged, this, &ExportDialog::showPreview);
    if (c.transparent != nullptr) {
        connect(c.transparent, &QCheckBox::toggled, this, &ExportDialog::showPreview);
    }
    connect(c.browse, &QPushButton::clicked, this, &ExportDialog::browse);
    connect(c.save, &QPushButton::clicked, this, &ExportDialog::save);
    connect(c.cancel, &QPushButton::clicked, this, &ExportDialog::cancelClicked);
    const PaneControls& p = pane_;
    // Digits and a decimal point whatever the locale, as the limit is read.
    p.limitEdit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,9}([.][0-9]{0,3})?")), p.limitEdit));
    p.limitEdit->setEnabled(false);
    p.sizeProgress->hide();
    p.copy->setEnabled(false);
    if (format == ExportFormat::kBmp) {
        for (QWidget* fileOnly :
             std::initializer_list<QWidget*>{p.limit, p.limitEdit, p.limitUnit, p.copy}) {
            fileOnly->hide();
        }
    }
    connect(p.limit, &QCheckBox::toggled, p.limitEdit, &QLineEdit::setEnabled);
    connect(p.limit, &QCheckBox::toggled, this, &ExportDialog::showPreview);
    connect(p.limitEdit, &QLineEdit::textChanged, this, &ExportDialog::showPreview);
    connect(p.limitUnit, &QComboBox::currentIndexChanged, this, &ExportDialog::showPreview);
    connect(p.copy, &QPushButton::clicked, this, &ExportDialog::copyFile);
    connect(p.preview, &PreviewPlayer::dragStarted, this, &ExportDialog::dragFile);
    connect(&summaryTimer_, &QTimer::timeout, this, &ExportDialog::showSummary);
    summaryTimer_.start(100);
    p.preview->Play(session_.Playback());
    showPreview();
}

ExportDialog::~ExportDialog() {
    pane_.preview->Stop();
}

ExportForm ExportDialog::Form() const {
    const ExportControls& c = controls_;
    ExportForm form;
    form.path = LocalPath(c.path->text());
    form.kind = c.shaking->isChecked() ? ExportKind::kShaking
                : c.vtr->isChecked()   ? ExportKind::kVtr
                                       : ExportKind::kStill;
    form.endWait = ToUtf8(c.endWait->text());
    form.smoothness = c.smoothness->value();
    form.width = ToUtf8(c.width->text());
    form.height = ToUtf8(c.height->text());
    form.antiAliasing = c.antiAliasing->isChecked();
    form.transparent = c.transparent != nullptr && c.transparent->isChecked();
    return form;
}

void ExportDialog::ShowForm(const ExportForm& form) {
    const ExportControls& c = controls_;
    QRadioButton* kind = form.kind == ExportKind::kShaking ? c.shaking
                         : form.kind == ExportKind::kVtr   ? c.vtr
                                                           : c.still;
    if (kind != nullptr) {
        kind->setChecked(true);
    }
    c.endWait->setEnabled(EndWaitEnabled(form.kind));
    c.endWait->setText(FromUtf8(form.endWait));
    c.path->setText(FromLocalPath(form.path));
    c.width->setText(FromUtf8(form.width));
    c.height->setText(FromUtf8(form.height));
    c.smoothness->setRange(0, kMaxSmoothness);
    c.smoothness->setValue(form.smoothness);
    (form.antiAliasing ? c.antiAliasing : c.noAntiAliasing)->setChecked(true);
    if (c.transparent != nullptr) {
        c.transparent->setEnabled(TransparencyEnabled(form.antiAliasing, form.path));
        c.transparent->setChecked(form.transparent);
    }
}

void ExportDialog::showPreview() {
    const ExportForm form = Form();
    if (session_.FormChanged(form, Limit())) {
        pane_.preview->Restart();
    }
    note_.clear();
    showSummary();
    const ExportPreview preview = session_.Preview(form);
    controls_.frameCount->setText(FromUtf8(preview.count));
    if (controls_.megabytes != nullptr) {
        controls_.megabytes->setText(FromUtf8(preview.megabytes));
    }
}

std::string ExportDialog::Limit() const {
    if (!pane_.limit->isChecked()) {
        return {};
    }
    return ToUtf8(pane_.limitEdit->text() + pane_.limitUnit->currentText());
}

void ExportDialog::showSummary() {
    const PaneSummary summary = session_.Summary();
    const PaneControls& p = pane_;
    p.summary->setText(note_.isEmpty() ? FromUtf8(summary.text)
                                       : FromUtf8(summary.text) + "\n" + note_);
    p.sizeProgress->setVisible(summary.total > 0);
    if (summary.total > 0) {
        p.sizeProgress->setRange(0,
                                 static_cast<int>(std::min<std::int64_t>(summary.total, 1 << 30)));
        p.sizeProgress->setValue(static_cast<int>(std::min(summary.done, summary.total)));
    }
    p.copy->setEnabled(summary.fileReady && !session_.Exporting());
}

void ExportDialog::copyFile() {
    const auto file = session_.FileToHandOn(LocalPath(controls_.path->text()));
    if (file) {
        QGuiApplication::clipboard()->setMimeData(
            FileMimeData(FromLocalPath(file->path), file->mediaTypes).release());
    }
    note_ = FromUtf8(file ? texts::kPaneCopied : texts::kPaneNotCopied);
    showSummary();
}

// The drag carries what Copy puts on the clipboard; before the file is ready there is
// nothing to drag.
void ExportDialog::dragFile() {
    const auto file = session_.FileToHandOn(LocalPath(controls_.path->text()));
    if (!file) {
        return;
    }
    auto* drag = new QDrag(pane_.preview);
    drag->setMimeData(FileMimeData(FromLocalPath(file->path), file->mediaTypes).release());
    drag->exec(Qt::CopyAction);
}

void ExportDialog::kindChosen() {
    controls_.endWait->setEnabled(EndWaitEnabled(Form().kind));
    showPreview();
}

void ExportDialog::enableTransparency() {
    controls_.transparent->setEnabled(TransparencyEnabled(controls_.antiAliasing->isChecked(),
                                                          LocalPath(controls_.path->text())));
}

void ExportDialog::sideTyped(QLineEdit* typed) {
    if (typed->hasFocus()) {
        const bool widthTyped = typed == controls_.width;
        if (const auto side = session_.OtherSide(ToUtf8(typed->text()), widthTyped)) {
            (widthTyped ? controls_.height : controls_.width)->setText(FromUtf8(*side));
        }
    }
    showPreview();
}

void ExportDialog::restoreSize() {
    controls_.width->setText(FromUtf8(session_.ModelWidth()));
    controls_.height->setText(FromUtf8(session_.ModelHeight()));
}

void ExportDialog::browse() {
    const std::optional<std::string> chosen =
        ChooseFile(*this, session_.BrowseDialog(LocalPath(controls_.path->text())));
    if (chosen) {
        session_.Chose(*chosen);
        controls_.path->setText(FromLocalPath(*chosen));
    }
}

void ExportDialog::save() {
    switch (session_.Save(Form(), *this)) {
        case SaveEnd::kStay:
            break;
        case SaveEnd::kCancelled:
            reject();
            break;
        case SaveEnd::kExported:
            accept();
            break;
    }
}

// During an export the request is taken up after the frame in hand; the cancelled export
// then closes the dialog as Cancel does.
void ExportDialog::cancelClicked() {
    if (session_.Exporting()) {
        session_.RequestCancel();
        return;
    }
    reject();
}

void ExportDialog::reject() {
    if (session_.Close(Form())) {
        QDialog::reject();
    }
}

void ExportDialog::SetStatusText(const std::string& text) {
    controls_.status->setText(FromUtf8(text));
}

// An export without frames still shows an empty bar rather than a busy one.
void ExportDialog::SetProgressRange(std::int32_t low, std::int32_t high) {
    controls_.progress->setRange(low, std::max(high, low + 1));
    controls_.progress->setValue(low);
}

void ExportDialog::StepProgress() {
    controls_.progress->setValue(controls_.progress->value() + 1);
}

void ExportDialog::PumpOneEvent() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void ExportDialog::ShowMessage(std::string_view text) {
    ShowDialogMessage(this, text);
}

// Cancel stays enabled to stop the export, but takes no focus: the focus leaving the disabled
// controls would land on it, and a stray Enter or Space would then throw the export away.
void ExportDialog::DisableControls() {
    const ExportControls& c = controls_;
    c.cancel->setFocusPolicy(Qt::NoFocus);
    for (QWidget* control : std::initializer_list<QWidget*>{
             c.path, c.browse, c.smoothness, c.width, c.height, c.shaking, c.vtr, c.still, c.save,
             c.antiAliasing, c.noAntiAliasing, c.transparent, c.endWait, c.restoreSize, pane_.limit,
             pane_.limitEdit, pane_.limitUnit, pane_.copy}) {
        if (control != nullptr) {
            control->setEnabled(false);
        }
    }
}

}  // namespace zef::ui
