#include "ui/SingleInstance.h"

#include "app/desktop/FilePaths.h"
#include "app/desktop/PrivateFolder.h"
#include "app/shell/AppTexts.h"
#include "ui/QtText.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QMessageBox>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <optional>

namespace zef::ui {
namespace {

constexpr const char* kLockName = "/zeftool.lock";
constexpr const char* kSocketName = "/zeftool.socket";
// The running instance's answer once it holds a path.
constexpr char kReceived = '\x06';
constexpr int kRetryMs = 50;

std::span<const std::uint8_t> Bytes(const QByteArray& data) {
    return {reinterpret_cast<const std::uint8_t*>(data.constData()),
            static_cast<std::size_t>(data.size())};
}

QByteArray Block(const HandOverBlock& block) {
    return {reinterpret_cast<const char*>(block.data()), static_cast<qsizetype>(block.size())};
}

// One second start's connection: its block, the answer, the optional activation token; then
// the path goes to the running instance. Anything but exactly one block with a path before
// the answer ends the connection unheard. Lives as long as its socket.
class Reception : public QObject {
  public:
    Reception(QLocalSocket* socket, SingleInstance& instance)
        : QObject(socket), socket_(*socket), instance_(instance) {
        connect(socket, &QLocalSocket::readyRead, this, &Reception::Read);
        connect(socket, &QLocalSocket::disconnected, this, &Reception::Finish);
        QTimer::singleShot(SingleInstance::kPatience, this, &Reception::Finish);
        Read();
    }

  private:
    void Read() {
        if (finished_) {
            return;
        }
        const qint64 available = socket_.bytesAvailable();
        if (available < static_cast<qint64>(kHandOverSize)) {
            return;
        }
        if (path_) {
            token_ = DecodeHandOver(Bytes(socket_.read(kHandOverSize))).value_or("");
            Finish();
            return;
        }
        if (available == static_cast<qint64>(kHandOverSize)) {
            path_ = DecodeHandOver(Bytes(socket_.read(kHandOverSize)));
        }
        if (!path_) {
            Finish();
            return;
        }
        socket_.write(&kReceived, 1);
        socket_.flush();
    }

    void Finish() {
        if (finished_) {
            return;
        }
        finished_ = true;
        if (path_) {
            const QString path = FromLocalPath(*path_);
            const QByteArray token = QByteArray::fromStdString(token_);
            SingleInstance* instance = &instance_;
            QMetaObject::invokeMethod(
                instance, [instance, path, token] { emit instance->pathHandedOver(path, token); },
                Qt::QueuedConnection);
        }
        socket_.abort();
        socket_.deleteLater();
    }

    QLocalSocket& socket_;
    SingleInstance& instance_;
    std::optional<std::string> path_;
    std::string token_;
    bool finished_ = false;
};

bool Connect(QLocalSocket& socket, const QString& name, const QDeadlineTimer& deadline) {
    for (;;) {
        socket.connectToServer(name);
        if (socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) {
            return true;
        }
        socket.abort();
        if (deadline.remainingTime() <= kRetryMs) {
            return false;
        }
        QThread::msleep(kRetryMs);
    }
}

bool AwaitAnswer(QLocalSocket& socket, const QDeadlineTimer& deadline) {
    while (socket.bytesAvailable() < 1) {
        if (deadline.hasExpired() ||
            !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            return false;
        }
    }
    return socket.read(1) == QByteArray(1, kReceived);
}

}  // namespace

QString SingleInstance::MeetingFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime)) {
        return runtime;
    }
    const QString own =
        QDir::tempPath() + QStringLiteral("/zeftool-") + QString::number(::getuid());
    return MakePrivateFolder(LocalPath(own)) ? own : QString();
}

SingleInstance::SingleInstance(const QString& meetingFolder, QObject* parent)
    : QObject(parent), meetingFolder_(meetingFolder), lock_(meetingFolder + kLockName) {
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::Accept);
}

bool SingleInstance::Claim() {
    if (meetingFolder_.isEmpty()) {
        return true;
    }
    // Only a lock whose owner is gone is stale, however old it is. The lock records the
    // application name and takes a lock for stale when the owner's executable has another
    // name, so it records the executable's name, whatever the program calls itself.
    lock_.setStaleLockTime(0);
    const QString applicationName = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(
        QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    const bool locked = lock_.tryLock(0);
    QCoreApplication::setApplicationName(applicationName);
    if (!locked) {
        return lock_.error() != QLockFile::LockFailedError;
    }
    // A socket left by a crashed instance is in the way of listening.
    const QString name = meetingFolder_ + kSocketName;
    QLocalServer::removeServer(name);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_.listen(name)) {
        std::fprintf(stderr, "zeftool: a second start cannot reach this one: %s\n",
                     qPrintable(server_.errorString()));
    }
    return true;
}

HandOverOutcome SingleInstance::HandOver(const QString& meetingFolder, const std::string& path,
                                         const QByteArray& activationToken,
                                         std::chrono::milliseconds patience) {
    if (path.empty()) {
        return HandOverOutcome::kNoPath;
    }
    const std::optional<HandOverBlock> block = EncodeHandOver(AbsolutePath(path));
    if (!block) {
        return HandOverOutcome::kPathTooLong;
    }
    const QDeadlineTimer deadline(patience);
    QLocalSocket socket;
    if (meetingFolder.isEmpty() || !Connect(socket, meetingFolder + kSocketName, deadline)) {
        return HandOverOutcome::kNoAnswer;
    }
    socket.write(Block(*block));
    socket.flush();
    if (!AwaitAnswer(socket, deadline)) {
        return HandOverOutcome::kNoAnswer;
    }
    if (const std::optional<HandOverBlock> token = EncodeHandOver(activationToken.toStdString())) {
        socket.write(Block(*token));
        socket.waitForBytesWritten(static_cast<int>(patience.count()));
    }
    socket.disconnectFromServer();
    return HandOverOutcome::kDelivered;
}

void SingleInstance::Accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        new Reception(socket, *this);
    }
}

int RunSecondStart(const QString& meetingFolder, const std::string& commandLine) {
    const HandOverOutcome outcome = SingleInstance::HandOver(
        meetingFolder, PathFromCommandLine(commandLine), qgetenv("XDG_ACTIVATION_TOKEN"));
    const std::string_view message = SecondStartMessage(outcome);
    if (!message.empty()) {
        std::fprintf(stderr, "zeftool: %.*s\n", static_cast<int>(message.size()), message.data());
        QMessageBox box(QMessageBox::NoIcon, FromUtf8(texts::kAppCaption), FromUtf8(message),
                        QMessageBox::Ok);
        box.exec();
    }
    return 0;
}

}  // namespace zef::ui
