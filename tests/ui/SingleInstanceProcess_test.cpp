// Real zeftool processes on the offscreen platform, meeting in a runtime folder of the test's
// own. Whether the running instance opened a file is seen from outside, by the file system's
// notice of the file being opened.

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QLocalSocket>
#include <QProcess>
#include <QTest>
#include <filesystem>
#include <memory>
#include <vector>

#include "TempFolder.h"

namespace zef::ui {
namespace {

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
        environment_.remove("XDG_ACTIVATION_TOKEN");
    }
    ~SingleInstanceProcessTest() override {
        for (const auto& process : processes_) {
            process->kill();
            process->waitForFinished();
        }
    }

    std::string Runtime() const { return folder_.PathOf("runtime"); }
    fs::path Model() const { return folder_.path() / "house.zfm"; }

    QProcess& Start(const QStringList& arguments) {
        auto& process = *processes_.emplace_back(std::make_unique<QProcess>());
        process.setProcessEnvironment(environment_);
        process.setWorkingDirectory(QString::fromStdString(folder_.path().string()));
        process.start(ZEFTOOL_PROGRAM, arguments);
        EXPECT_TRUE(process.waitForStarted());
        return process;
    }

    // Starts an instance and waits until it listens for second starts.
    QProcess& StartRunning(const QStringList& arguments = {}) {
        QProcess& process = Start(arguments);
        EXPECT_TRUE(QTest::qWaitFor([this] { return Answered({}, 0); }, kStartMs));
        return process;
    }

    // Sends a message to the running instance's socket: whether it answered in time.
    bool Answered(const QByteArray& message, int milliseconds) const {
        QLocalSocket socket;
        socket.connectToServer(QString::fromStdString(Runtime() + "/zeftool.socket"));
        if (!socket.waitForConnected(1000)) {
            return false;
        }
        socket.write(message);
        socket.flush();
        return message.isEmpty() ||
               QTest::qWaitFor([&] { return socket.bytesAvailable() > 0; }, milliseconds);
    }

    test::TempFolder folder_;
    QProcessEnvironment environment_ = QProcessEnvironment::systemEnvironment();
    std::vector<std::unique_ptr<QProcess>> processes_;
};

TEST_F(SingleInstanceProcessTest, ASecondStartHandsItsFileToTheRunningInstanceAndEnds) {
    QProcess& running = StartRunning();
    OpenWatch watch(Model());
    QProcess& second = Start({"house.zfm"});
    ASSERT_TRUE(second.waitForFinished(kStartMs));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(watch.OpenedWithin(5000));
    EXPECT_EQ(running.state(), QProcess::Running);
}

TEST_F(SingleInstanceProcessTest, NeitherASecondStartWithoutAFileNorAStrayMessageDisturbIt) {
    QProcess& running = StartRunning();
    QProcess& second = Start({});
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return second.readAllStandardError().contains("둘 이상의 복수샐행은 안돼요."); },
        kStartMs));

    OpenWatch watch(Model());
    QByteArray block(256, '\0');
    block.replace(0, static_cast<qsizetype>(Model().string().size()), Model().c_str());
    EXPECT_FALSE(Answered(block + "more", 500));
    EXPECT_FALSE(watch.OpenedWithin(500));
    EXPECT_TRUE(Answered(block, 5000));
    EXPECT_TRUE(watch.OpenedWithin(5000));
    EXPECT_EQ(running.state(), QProcess::Running);
}

TEST_F(SingleInstanceProcessTest, AnInstanceThatCrashedDoesNotStopTheNextStart) {
    QProcess& crashed = StartRunning();
    crashed.kill();
    ASSERT_TRUE(crashed.waitForFinished());
    ASSERT_TRUE(fs::exists(Runtime() + "/zeftool.lock"));

    OpenWatch watch(Model());
    QProcess& next = StartRunning({"house.zfm"});
    EXPECT_TRUE(watch.OpenedWithin(5000)) << "it opened its file itself";
    EXPECT_EQ(next.state(), QProcess::Running);
}

}  // namespace
}  // namespace zef::ui
