#include "SingleInstance.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <memory>
#include <vector>

#include "RecoveryCopy.h"
#include "RecoveryFolder.h"
#include "TempFolder.h"

namespace zef::ui {
namespace {

using namespace std::chrono_literals;

class SingleInstanceTest : public ::testing::Test {
  protected:
    QString Folder() const { return QString::fromStdString(folder_.path().string()); }

    // A second start's hand-over, run beside the event loop that the running one needs.
    HandOverOutcome HandOver(const std::string& path, const QByteArray& token = {},
                             std::chrono::milliseconds patience = 5s) {
        auto outcome = std::async(std::launch::async, [&] {
            return SingleInstance::HandOver(Folder(), path, token, patience);
        });
        while (outcome.wait_for(0ms) != std::future_status::ready) {
            QTest::qWait(5);
        }
        return outcome.get();
    }

    // What a client other than a second start sends: whether the running instance answered.
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

TEST_F(SingleInstanceTest, ASecondStartHandsOverOneBlockWithItsPathAndToken) {
    EXPECT_EQ(HandOver("/a.zfm", {}, 200ms), HandOverOutcome::kNoAnswer) << "nobody runs yet";
    SingleInstance running(Folder());
    ASSERT_TRUE(running.Claim());
    EXPECT_FALSE(SingleInstance(Folder()).Claim()) << "the lock is held";
    QSignalSpy handedOver(&running, &SingleInstance::PathHandedOver);

    EXPECT_EQ(HandOver("/home/u/그림 모델.zfm", "token-1"), HandOverOutcome::kDelivered);
    ASSERT_TRUE(QTest::qWaitFor([&] { return handedOver.size() == 1; }, 1000));
    EXPECT_EQ(handedOver[0][0].toString(), QString::fromUtf8("/home/u/그림 모델.zfm"));
    EXPECT_EQ(handedOver[0][1].toByteArray(), "token-1");

    EXPECT_EQ(HandOver("relative/a.zfm"), HandOverOutcome::kDelivered);
    ASSERT_TRUE(QTest::qWaitFor([&] { return handedOver.size() == 2; }, 1000));
    EXPECT_EQ(handedOver[1][0].toString(), QDir::current().absoluteFilePath("relative/a.zfm"));
    EXPECT_EQ(handedOver[1][1].toByteArray(), "");

    // What is not one block with a path is ignored unanswered.
    QByteArray block(256, '\0');
    block.replace(0, 6, "/a.zfm");
    const QByteArray refused[] = {block + "extra", block.left(255), QByteArray(256, 'x'),
                                  QByteArray(256, '\0')};
    for (const QByteArray& message : refused) {
        SCOPED_TRACE(message.size());
        EXPECT_FALSE(Answered(message));
    }
    EXPECT_TRUE(Answered(block)) << "the same connection way works for a proper block";
    EXPECT_TRUE(QTest::qWaitFor([&] { return handedOver.size() == 3; }, 1000));
}

// Real zeftool processes on the offscreen platform, meeting in a runtime folder of the test's
// own. Whether the running instance opened a file is seen from outside, by the file system's
// notice of the file being opened.
namespace fs = std::filesystem;

constexpr int kStartMs = 20000;  // a sanitized start on a busy machine

// Tells whether any process opens a file after the watch began.
class OpenWatch {
  public:
    explicit OpenWatch(const fs::path& path) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        inotify_add_watch(fd_, path.c_str(), IN_OPEN);
    }
    OpenWatch(const OpenWatch&) = delete;
    OpenWatch& operator=(const OpenWatch&) = delete;
    ~OpenWatch() { ::close(fd_); }

    bool OpenedWithin(int milliseconds) {
        return QTest::qWaitFor(
            [this] {
                char events[4096];
                return ::read(fd_, events, sizeof events) > 0;
            },
            milliseconds);
    }

  private:
    int fd_;
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
    fs::path Model() const { return folder_.path() / "house.zfm"; }

    // Starts a process; a running one is awaited until it listens for second starts.
    QProcess& Start(const QStringList& arguments, bool running) {
        auto& process = *processes_.emplace_back(std::make_unique<QProcess>());
        process.setProcessEnvironment(environment_);
        process.setWorkingDirectory(QString::fromStdString(folder_.path().string()));
        process.start(ZEFTOOL_PROGRAM, arguments);
        EXPECT_TRUE(process.waitForStarted());
        EXPECT_TRUE(!running || QTest::qWaitFor(
                                    [this] {
                                        QLocalSocket socket;
                                        socket.connectToServer(
                                            QString::fromStdString(Runtime() + "/zeftool.socket"));
                                        return socket.waitForConnected(1000);
                                    },
                                    kStartMs));
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
        QProcess& second = Start({"house.zfm"}, false);
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
    QProcess& next = Start({"house.zfm"}, true);
    EXPECT_TRUE(watch.OpenedWithin(5000)) << "it opened its file itself";
    EXPECT_EQ(next.state(), QProcess::Running);
}

std::vector<char> Bytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

int LockFiles(const fs::path& folder) {
    int count = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        count += entry.path().extension() == ".lock" ? 1 : 0;
    }
    return count;
}

TEST_F(SingleInstanceProcessTest, ATermSignalDuringTheRecoveryQuestionKeepsTheWorkAndTheHandOver) {
    std::string left;
    {
        const auto ended = RecoveryFolder::Open(Recovery());
        RecoveryCopy work;
        work.path = "/w/a.zfm";
        work.title = "a.zfm";
        work.points = {PointRecord{{7, 8, kStrokeStart, 1, 2, 3}}};
        ASSERT_TRUE(ended && ended->WriteCopy(EncodeRecoveryCopy(work)));
        left = ended->CopyPath();
    }
    const std::vector<char> bytes = Bytes(left);
    QProcess& running = Start({}, true);
    // The signals are turned into events before the instance takes its place in the folder.
    ASSERT_TRUE(QTest::qWaitFor([&] { return LockFiles(Recovery()) == 1; }, kStartMs));
    OpenWatch watch(Model());
    QProcess& second = Start({"house.zfm"}, false);
    ASSERT_TRUE(second.waitForFinished(kStartMs));
    EXPECT_EQ(second.exitCode(), 0) << "handed over";
    EXPECT_FALSE(watch.OpenedWithin(1000)) << "the file waits for the question's answer";

    running.terminate();
    ASSERT_TRUE(running.waitForFinished(kStartMs));
    EXPECT_EQ(running.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(running.exitCode(), 0);
    EXPECT_FALSE(watch.OpenedWithin(0));
    EXPECT_EQ(Bytes(left), bytes) << "neither answered nor lost: offered again at the next start";
    EXPECT_EQ(LockFiles(Recovery()), 0);
}

}  // namespace
}  // namespace zef::ui
