#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <vector>

#include "Editor.h"
#include "ExportDialogRules.h"
#include "ExportProgress.h"
#include "Shell.h"

namespace zef::ui {

// What the GIF (and WebP) and BMP export dialogs share: the controls' interplay, Browse, Save
// with its checks, the export with the status text and progress bar showing its progress, and
// Cancel, which also stops a running export.
// Each dialog's form names its controls alike; the BMP form adds the still image and the size
// estimate, the GIF form the transparency box.
class ExportDialog : public QDialog, private ExportProgress {
  public:
    ~ExportDialog() override;

    // Cancel, the close box and Escape: the options are remembered and the dialog closes;
    // while an export runs nothing happens (Cancel stops the export instead).
    void reject() override;

  protected:
    ExportDialog(Editor& editor, Shell& shell, ExportFormat format, QWidget* parent);
    // Fills and wires the controls once the form is set up.
    void Prepare();

  private:
    // A control of the form by its object name; nullptr for one the form does not have.
    template <typename Widget>
    Widget* Control(const char* name) const;

    ExportForm Form() const;
    void ShowForm(const ExportForm& form);
    void ShowPreview();
    void KindChosen();
    // The transparency box follows the anti-aliasing choice and the path.
    void EnableTransparency();
    // The side the user types into (it has the focus) sets the other in the model's ratio.
    void SideTyped(QLineEdit* typed, QLineEdit* other);
    void RestoreSize();
    void Browse();
    void Save();
    void CancelClicked();
    bool MayReplace(const ExportRequest& request);
    void DisableControls();
    // Runs the export of the format written: the GIF dialog writes WebP files too.

    // The export's progress.
    void SetStatusText(const std::string& text) override;
    void SetProgressRange(std::int32_t low, std::int32_t high) override;
    void StepProgress() override;
    void PumpOneEvent() override;
    void FrameRendered(const RenderReport& report) override;
    bool CancelRequested() const override;

    Editor& editor_;
    Shell& shell_;
    ExportFormat format_;
    bool exporting_ = false;
    bool cancelRequested_ = false;

    QLineEdit* path_ = nullptr;
    QPushButton* browse_ = nullptr;
    QLabel* frameCount_ = nullptr;
    QLabel* megabytes_ = nullptr;
    QRadioButton* still_ = nullptr;
    QRadioButton* shaking_ = nullptr;
    QRadioButton* vtr_ = nullptr;
    QLineEdit* endWait_ = nullptr;
    QSlider* smoothness_ = nullptr;
    QLineEdit* width_ = nullptr;
    QLineEdit* height_ = nullptr;
    QPushButton* restoreSize_ = nullptr;
    QRadioButton* antiAliasing_ = nullptr;
    QRadioButton* noAntiAliasing_ = nullptr;
    QCheckBox* transparent_ = nullptr;
    QLabel* status_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace zef::ui
