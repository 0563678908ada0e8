#include "SingleInstance.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTest>
#include <future>

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

TEST_F(SingleInstanceTest, ASecondStartHandsItsPathAndTokenToTheRunningInstance) {
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
}

TEST_F(SingleInstanceTest, WhatIsNotOneBlockWithAPathIsIgnoredUnanswered) {
    SingleInstance running(Folder());
    ASSERT_TRUE(running.Claim());
    QSignalSpy handedOver(&running, &SingleInstance::PathHandedOver);

    QByteArray block(256, '\0');
    block.replace(0, 6, "/a.zfm");
    const QByteArray refused[] = {block + "extra", block.left(255), QByteArray(256, 'x'),
                                  QByteArray(256, '\0')};
    for (const QByteArray& message : refused) {
        SCOPED_TRACE(message.size());
        EXPECT_FALSE(Answered(message));
    }
    EXPECT_TRUE(Answered(block)) << "the same connection way works for a proper block";
    EXPECT_TRUE(QTest::qWaitFor([&] { return handedOver.size() == 1; }, 1000));
}

TEST_F(SingleInstanceTest, ASecondStartGivesUpWhenNobodyAnswersInTime) {
    EXPECT_EQ(HandOver("/a.zfm", {}, 200ms), HandOverOutcome::kNoAnswer);
}

}  // namespace
}  // namespace zef::ui
