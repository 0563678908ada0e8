#pragma once

#include <QByteArray>
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <chrono>
#include <string>

#include "app/desktop/HandOverMessage.h"

namespace zef::ui {

// Keeps the editor to one running instance per user. The running instance holds a lock file
// and listens on a local socket that only its user can reach, both in the user's runtime
// folder; a second start hands its path over through that socket and ends.
class SingleInstance : public QObject {
    Q_OBJECT

  public:
    // How long a second start waits for the running instance to take its path.
    static constexpr std::chrono::milliseconds kPatience{5000};

    // The folder where instances meet: $XDG_RUNTIME_DIR, else a folder of the user's own
    // (mode 0700) under the temporary folder. Empty when no such folder can be had safely.
    static QString MeetingFolder();

    explicit SingleInstance(const QString& meetingFolder, QObject* parent = nullptr);

    // True when this start is the running instance: it holds the lock (a lock whose owner is
    // gone is taken over) and listens for second starts. False when another instance runs.
    // Without a meeting folder every start runs on its own.
    bool Claim();

    // A second start's hand-over: the path, made absolute against this process's working
    // folder, goes to the running instance, which answers as soon as it has the path; then
    // the activation token, if any, follows.
    static HandOverOutcome HandOver(const QString& meetingFolder, const std::string& path,
                                    const QByteArray& activationToken,
                                    std::chrono::milliseconds patience = kPatience);

  signals:
    // A path handed over by a second start, with the desktop's activation token for that
    // start (empty when it had none).
    void pathHandedOver(const QString& path, const QByteArray& activationToken);

  private:
    void Accept();

    QString meetingFolder_;
    QLockFile lock_;
    QLocalServer server_;
};

// The whole run of a second start: hands the command line's file to the running instance, or
// says why it cannot (on standard error too, for a start from a terminal). Gives the exit
// code, 0.
int RunSecondStart(const QString& meetingFolder, const std::string& commandLine);

}  // namespace zef::ui
