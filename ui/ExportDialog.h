#pragma once

#include <QDialog>
#include <QTimer>

#include "app/sessions/ExportSession.h"
#include "ui/PreviewPlayer.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSlider;

namespace zef::ui {

// The controls of an export dialog's form. The GIF form (GifExportDialog.ui) has the
// transparency box, the BMP form (BmpExportDialog.ui) the still image and the size estimate;
// each of these is null in the other form.
struct ExportControls {
    QLineEdit* path = nullptr;
    QPushButton* browse = nullptr;
    QLabel* frameCount = nullptr;
    QLabel* megabytes = nullptr;
    QRadioButton* still = nullptr;
    QRadioButton* shaking = nullptr;
    QRadioButton* vtr = nullptr;
    QLineEdit* endWait = nullptr;
    QSlider* smoothness = nullptr;
    QLabel* modelWidth = nullptr;
    QLabel* modelHeight = nullptr;
    QLineEdit* width = nullptr;
    QLineEdit* height = nullptr;
    QPushButton* restoreSize = nullptr;
    QRadioButton* antiAliasing = nullptr;
    QRadioButton* noAntiAliasing = nullptr;
    QCheckBox* transparent = nullptr;
    QLabel* status = nullptr;
    QProgressBar* progress = nullptr;
    QPushButton* save = nullptr;
    QPushButton* cancel = nullptr;
};

// The pane beside the form: the preview, what the file will be, the size limit and Copy.
struct PaneControls {
    PreviewPlayer* preview = nullptr;
    QLabel* summary = nullptr;
    QProgressBar* sizeProgress = nullptr;
    QCheckBox* limit = nullptr;
    QLineEdit* limitEdit = nullptr;
    QComboBox* limitUnit = nullptr;
    QPushButton* copy = nullptr;
};

// The animated GIF (and WebP) or BMP sequence export dialog: the form's controls wired to an
// export session, with a pane beside it that plays the animation as it will be written.
// Cancel also stops a running export.
class ExportDialog : public QDialog, private ExportView {
    Q_OBJECT

  public:
    ExportDialog(ExportHost& host, Shell& shell, ExportFormat format, QWidget* parent);
    ~ExportDialog() override;

    // Cancel, the close box and Escape: the options are remembered and the dialog closes;
    // while an export runs nothing happens (Cancel stops the export instead).
    void reject() override;

  private slots:
    void showPreview();
    void kindChosen();
    // The transparency box follows the anti-aliasing choice and the path.
    void enableTransparency();
    // The side the user types into (it has the focus) sets the other in the model's ratio.
    void sideTyped(QLineEdit* typed);
    void restoreSize();
    void browse();
    void save();
    void cancelClicked();
    // The pane follows the file made in the background.
    void showSummary();
    void copyFile();
    void dragFile();

  private:
    ExportForm Form() const;
    // The byte limit as typed with its unit, empty while the limit is off.
    std::string Limit() const;
    void ShowForm(const ExportForm& form);

    // What the session shows.
    void SetStatusText(const std::string& text) override;
    void SetProgressRange(std::int32_t low, std::int32_t high) override;
    void StepProgress() override;
    void PumpOneEvent() override;
    void ShowMessage(std::string_view text) override;
    void DisableControls() override;

    ExportSession session_;
    const ExportControls controls_;
    const PaneControls pane_;
    QTimer summaryTimer_;
    // A note on the last Copy, shown below the summary until the form changes.
    QString note_;
};

}  // namespace zef::ui
