#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>

namespace Ui {
class AboutDialog;
}

namespace zef::ui {

// The About dialog: the program's version line, the image library's version, the credits,
// the home site as plain text, and the mail and web links, each as wide as its text so that
// the hand cursor shows only over the text.
class AboutDialog : public QDialog {
    Q_OBJECT

  public:
    AboutDialog(std::uint32_t libraryVersion, QWidget* parent);
    ~AboutDialog() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::unique_ptr<Ui::AboutDialog> ui_;
};

}  // namespace zef::ui
