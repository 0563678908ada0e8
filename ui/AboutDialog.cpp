#include "ui/AboutDialog.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>
#include <algorithm>

#include "app/sessions/AboutTexts.h"
#include "ui/QtText.h"
#include "ui_AboutDialog.h"

namespace zef::ui {
namespace {

constexpr int kLinkFontPixels = 12;
const QColor kLinkColour(128, 0, 255);

// A link: underlined violet text, the control exactly as wide as the text, a hand over it.
void MakeLink(QLabel* label, const char* text) {
    QFont font = label->font();
    font.setPixelSize(kLinkFontPixels);
    font.setUnderline(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kLinkColour);
    label->setPalette(palette);
    label->setText(FromUtf8(text));
    label->setCursor(Qt::PointingHandCursor);
    // From the top, and tall enough for the underline, which lies below the descent.
    const QFontMetrics metrics = label->fontMetrics();
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->resize(metrics.horizontalAdvance(label->text()),
                  std::max(label->height(),
                           metrics.ascent() + metrics.underlinePos() + 2 * metrics.lineWidth()));
}

}  // namespace

AboutDialog::AboutDialog(std::uint32_t libraryVersion, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::AboutDialog>()) {
    ui_->setupUi(this);
    ui_->versionLine->setText(FromUtf8(texts::kVersionLine));
    ui_->libraryVersionLine->setText(FromUtf8(LibraryVersionLine(libraryVersion)));
    ui_->authorCredit->setText(FromUtf8(texts::kAuthorCredit));
    ui_->homeSiteAddress->setText(FromUtf8(texts::kHomeSiteAddress));
    ui_->firstTesterCredit->setText(FromUtf8(texts::kFirstTesterCredit));
    ui_->secondTesterCredit->setText(FromUtf8(texts::kSecondTesterCredit));
    MakeLink(ui_->mailLink, texts::kMailAddress);
    MakeLink(ui_->distributorLink, texts::kDistributorAddress);
    ui_->mailLink->installEventFilter(this);
    ui_->distributorLink->installEventFilter(this);
    ui_->okButton->setFocus();
    connect(ui_->okButton, &QPushButton::clicked, this, &AboutDialog::accept);
}

AboutDialog::~AboutDialog() = default;

// Every click on a link opens it, so a double click opens it twice.
bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == ui_->mailLink) {
            QDesktopServices::openUrl(
                QUrl(FromUtf8(MailLinkAddress(ToUtf8(ui_->mailLink->text())))));
        } else if (watched == ui_->distributorLink) {
            QDesktopServices::openUrl(QUrl(ui_->distributorLink->text()));
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace zef::ui
