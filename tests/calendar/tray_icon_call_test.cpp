// The add, modify and delete requests of the notification-area icon and the retry of the
// "not ready yet" answer on a timer.

#include "calendar/tray_icon_call.h"
#include "tests/support/platform_doubles.h"

#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using Calls = std::vector<TrayRequest>;

Calls requests(const FakeTrayIcon& tray) {
    Calls list;
    for (const FakeTrayIcon::Call& call : tray.calls) {
        list.push_back(call.request);
    }
    return list;
}

constexpr TrayRequest Add = TrayRequest::Add;
constexpr TrayRequest Modify = TrayRequest::Modify;

} // namespace

TEST(TrayIconCallTest, OnePassEndsAtOnceUnlessTheShellIsNotReady) {
    FakeTrayIcon tray;
    EXPECT_EQ(TrayIconCallOnce(tray, Add, QStringLiteral("Zelvar"), QIcon()),
              TrayCallStep::Succeeded);
    EXPECT_EQ(requests(tray), Calls({Add}));
    EXPECT_EQ(tray.calls[0].tip, QStringLiteral("Zelvar"));

    // Another failure is final: no modify is tried.
    tray.calls.clear();
    tray.answers[Add] = {TrayAnswer::Failed};
    EXPECT_EQ(TrayIconCallOnce(tray, Add, QString(), QIcon()), TrayCallStep::Failed);
    EXPECT_EQ(requests(tray), Calls({Add}));

    // Not ready, but the icon turns out to be there: the modify succeeds.
    tray.calls.clear();
    tray.answers[Add] = {TrayAnswer::NotReadyYet};
    EXPECT_EQ(TrayIconCallOnce(tray, Add, QStringLiteral("Zelvar"), QIcon()),
              TrayCallStep::Succeeded);
    EXPECT_EQ(requests(tray), Calls({Add, Modify}));
    EXPECT_EQ(tray.calls[1].tip, QStringLiteral("Zelvar")) << "the modify carries the same record";

    // Not ready and no icon yet.
    tray.calls.clear();
    tray.answers[Add] = {TrayAnswer::NotReadyYet};
    tray.answers[Modify] = {TrayAnswer::Failed};
    EXPECT_EQ(TrayIconCallOnce(tray, Add, QString(), QIcon()), TrayCallStep::TryAgain);
    EXPECT_EQ(requests(tray), Calls({Add, Modify}));
}

TEST(TrayIconCallTest, NotReadyAnswersAreRetriedOnceASecondUntilTheAddSucceeds) {
    FakeTrayIcon tray;
    tray.answers[Add] = {TrayAnswer::NotReadyYet, TrayAnswer::NotReadyYet, TrayAnswer::Success};
    tray.answers[Modify] = {TrayAnswer::Failed, TrayAnswer::Failed};
    TrayIconCall call(tray, nullptr);
    QSignalSpy finished(&call, &TrayIconCall::finished);

    EXPECT_EQ(call.start(Add, QStringLiteral("Zelvar"), QIcon()), TrayIconCall::Waiting);
    EXPECT_TRUE(call.isWaiting());
    EXPECT_TRUE(call.retryTimer().isActive()) << "the thread is not blocked: a timer waits";
    EXPECT_EQ(call.retryTimer().interval(), 1000);
    EXPECT_TRUE(call.retryTimer().isSingleShot());
    EXPECT_EQ(requests(tray), Calls({Add, Modify}));

    // The timer going off runs the next pass.
    ASSERT_TRUE(QMetaObject::invokeMethod(const_cast<QTimer*>(&call.retryTimer()), "timeout"));
    EXPECT_EQ(requests(tray), Calls({Add, Modify, Add, Modify}));
    EXPECT_TRUE(call.retryTimer().isActive());
    EXPECT_EQ(finished.count(), 0);

    call.retryNow();
    EXPECT_EQ(requests(tray), Calls({Add, Modify, Add, Modify, Add}));
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished[0][0].toInt(), 0);
    EXPECT_FALSE(call.isWaiting());
    EXPECT_FALSE(call.retryTimer().isActive());
    EXPECT_TRUE(tray.isShown());

    // Nothing waits any more: a stray pass does nothing.
    call.retryNow();
    EXPECT_EQ(tray.calls.size(), 5U);
    EXPECT_EQ(finished.count(), 1);
}

TEST(TrayIconCallTest, AnotherFailureAfterNotReadyEndsTheWaitWithMinusOne) {
    FakeTrayIcon tray;
    tray.answers[Add] = {TrayAnswer::NotReadyYet, TrayAnswer::Failed};
    tray.answers[Modify] = {TrayAnswer::Failed};
    TrayIconCall call(tray, nullptr);
    QSignalSpy finished(&call, &TrayIconCall::finished);

    ASSERT_EQ(call.start(Add, QString(), QIcon()), TrayIconCall::Waiting);
    call.retryNow();
    EXPECT_EQ(requests(tray), Calls({Add, Modify, Add}));
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished[0][0].toInt(), -1);
    EXPECT_FALSE(call.isWaiting());
    EXPECT_FALSE(call.retryTimer().isActive());
}

TEST(TrayIconCallTest, ACancelledRequestIsNotRepeatedAndReportsNothing) {
    FakeTrayIcon tray;
    tray.answers[Add] = {TrayAnswer::NotReadyYet};
    tray.answers[Modify] = {TrayAnswer::Failed};
    TrayIconCall call(tray, nullptr);
    QSignalSpy finished(&call, &TrayIconCall::finished);

    ASSERT_EQ(call.start(Add, QString(), QIcon()), TrayIconCall::Waiting);
    call.cancel();
    EXPECT_FALSE(call.isWaiting());
    EXPECT_FALSE(call.retryTimer().isActive());
    call.retryNow();
    EXPECT_EQ(tray.calls.size(), 2U);
    EXPECT_EQ(finished.count(), 0);
}
