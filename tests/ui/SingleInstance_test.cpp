#include "ui/SingleInstance.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <future>
#include <memory>
#include <vector>

#include "app/desktop/RecoveryCopy.h"
#include "app/desktop/RecoveryFolder.h"
#include "tests/TempFolder.h"

namespace zef::ui {
namespace {

using namespace std::chrono_literals;

class SingleInstanceTest : public ::testing::Test {
  protected:
    QString Folder() const { return QString::fromStdString(folder_.path().string()); }

    // Whether the running instance answered a client's message.
    bool Answered(const QByteArray& message) {
        QLocalSocket socket;
        socket.connectToServer(Folder() + "/zeftool.socket");
        EXPECT_TRUE(socket.waitForConnected(1000));
        socket.write(message);
        socket.flush();
        return QTest::qWaitFor([&] { return socket.bytesAvailable() > 0; }, 300);
    }

    test::TempFolder folder_;
};

TEST_F(SingleInstanceTest, TheRunningOneTakesOneBlockWithAPathAndItsToken) {
    EXPECT_EQ(SingleInstance::HandOver(Folder(), "/a.zfm", {}, 200ms), HandOverOutcome::kNoAnswer);
    SingleInstance running(Folder());
    ASSERT_TRUE(running.Claim());
    QSignalSpy handedOver(&running, &SingleInstance::pathHandedOver);
    // The second start waits for the answer, which needs this thread's event loop.
    auto outcome = std::async(std::launch::async, [&] {
        return SingleInstance::HandOver(Folder(), "/a.zfm", "token-1", 5s);
    });
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return outcome.wait_for(0ms) == std::future_status::ready; }, 10000));
    EXPECT_EQ(outcome.get(), HandOverOutcome::kDelivered);
    ASSERT_TRUE(QTest::qWaitFor([&] { return handedOver.size() == 1; }, 1000));
    EXPECT_EQ(handedOver[0][0].toString(), "/a.zfm");
    EXPECT_EQ(handedOver[0][1].toByteArray(), "token-1");

    QByteArray block(256, '\0');
    block.replace(0, 6, "/a.zfm");
    const QByteArray refused[] = {block + "extra", block.left(255), QByteArray(256, 'x'),
                                  QByteArray(256, '\0')};
    for (const QByteArray& message : refused) {
        EXPECT_FALSE(Answered(message)) << message.toHex().toStdString();
    }
    EXPECT_TRUE(Answered(block)) << "the same connection way works for a proper block";
    EXPECT_TRUE(QTest::qWaitFor([&] { return handedOver.size() == 2; }, 1000));
}

// Real zeftool processes, meeting in a runtime folder of the test's own.
namespace fs = std::filesystem;

constexpr int kStartMs = 20000;  // a sanitized start on a busy machine

// Tells whether any process opened a file since the watch began.
struct OpenWatch {
    explicit OpenWatch(const fs::path& path) { inotify_add_watch(fd, path.c_str(), IN_OPEN); }
    OpenWatch(const OpenWatch&) = delete;
    OpenWatch& operator=(const OpenWatch&) = delete;
    ~OpenWatch() { ::close(fd); }

    bool OpenedWithin(int milliseconds) const {
        char events[4096];
        return QTest::qWaitFor([&] { return ::read(fd, events, sizeof events) > 0; }, milliseconds);
    }

    const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
};

class SingleInstanceProcessTest : public ::testing::Test {
  protected:
    SingleInstanceProcessTest() {
        fs::create_directory(Runtime());
        fs::permissions(Runtime(), fs::perms::owner_all);
        fs::copy_file(ZEF_SAMPLE_MODEL, Model());
        environment_.insert("QT_QPA_PLATFORM", "offscreen");
        environment_.insert("XDG_RUNTIME_DIR", QString::fromStdString(Runtime()));
        environment_.insert("XDG_CONFIG_HOME", QString::fromStdString(folder_.PathOf("config")));
        environment_.insert("XDG_STATE_HOME", QString::fromStdString(folder_.PathOf("state")));
        environment_.remove("XDG_ACTIVATION_TOKEN");
    }
    ~SingleInstanceProcessTest() override {
        for (const auto& process : processes_) {
            process->kill();
            process->waitForFinished();
        }
    }

    std::string Runtime() const { return folder_.PathOf("runtime"); }
    fs::path Recovery() const { return folder_.path() / "state" / "zeftool" / "recovery"; }
    fs::path Model() const { return folder_.path() / "그림 모델.zfm"; }

    // A running process is awaited until it listens; second starts run in the model's folder.
    QProcess& Start(const QStringList& arguments, bool running) {
        auto& process = *processes_.emplace_back(std::make_unique<QProcess>());
        process.setProcessEnvironment(environment_);
        process.setWorkingDirectory(
            QString::fromStdString(running ? Runtime() : folder_.PathOf("")));
        process.start(ZEFTOOL_PROGRAM, arguments);
        EXPECT_TRUE(process.waitForStarted());
        const auto listening = [this] {
            QLocalSocket socket;
            socket.connectToServer(QString::fromStdString(Runtime() + "/zeftool.socket"));
            return socket.waitForConnected(1000);
        };
        EXPECT_TRUE(!running || QTest::qWaitFor(listening, kStartMs));
        return process;
    }

    test::TempFolder folder_;
    QProcessEnvironment environment_ = QProcessEnvironment::systemEnvironment();
    std::vector<std::unique_ptr<QProcess>> processes_;
};

TEST_F(SingleInstanceProcessTest, ASecondStartHandsOverItsFileAndACrashedOneStopsNoStart) {
    QProcess& running = Start({}, true);
    QProcess& withoutFile = Start({}, false);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return withoutFile.readAllStandardError().contains("둘 이상의 복수샐행은 안돼요."); },
        kStartMs));
    {
        OpenWatch watch(Model());
        QProcess& second = Start({"그림 모델.zfm"}, false);
        ASSERT_TRUE(second.waitForFinished(kStartMs));
        EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second.exitCode(), 0);
        EXPECT_TRUE(watch.OpenedWithin(5000));
        EXPECT_EQ(running.state(), QProcess::Running);
    }
    running.kill();
    ASSERT_TRUE(running.waitForFinished());
    ASSERT_TRUE(fs::exists(Runtime() + "/zeftool.lock"));
    OpenWatch watch(Model());
    QProcess& next = Start({QString::fromStdString(Model().string())}, true);
    EXPECT_TRUE(watch.OpenedWithin(5000)) << "it opened its file itself";
    EXPECT_EQ(next.state(), QProcess::Running);
}

TEST_F(SingleInstanceProcessTest, ATermSignalDuringTheRecoveryQuestionKeepsTheWorkAndTheHandOver) {
    {
        const auto ended = RecoveryFolder::Open(Recovery());
        RecoveryCopy work{"/w/a.zfm", "a.zfm", {}, {PointRecord{{7, 8, kStrokeStart, 1, 2, 3}}}};
        ASSERT_TRUE(ended && ended->WriteCopy(EncodeRecoveryCopy(work)));
    }
    const auto left = test::Entries(Recovery());
    QProcess& running = Start({}, true);
    // The signals are turned into events before the instance takes its place in the folder.
    ASSERT_TRUE(QTest::qWaitFor([&] { return test::Entries(Recovery()).size() == 2; }, kStartMs));
    OpenWatch watch(Model());
    QProcess& second = Start({"그림 모델.zfm"}, false);
    ASSERT_TRUE(second.waitForFinished(kStartMs));
    EXPECT_EQ(second.exitCode(), 0) << "handed over";
    EXPECT_FALSE(watch.OpenedWithin(1000)) << "the file waits for the question's answer";

    running.terminate();
    ASSERT_TRUE(running.waitForFinished(kStartMs));
    EXPECT_EQ(running.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(running.exitCode(), 0);
    EXPECT_FALSE(watch.OpenedWithin(0));
    EXPECT_EQ(test::Entries(Recovery()), left)
        << "neither answered nor lost: offered again at the next start";
}

}  // namespace
}  // namespace zef::ui
