#pragma once

// TrayIconCall: one request (add, modify, delete) for the notification-area icon, through the
// platform's icon service. While the service answers "not ready yet" (the notification area does
// not exist yet, e.g. at logon or on a desktop without one) the request is repeated once a
// second, with a modify attempt in between, until it succeeds or another failure comes. The wait
// is a timer: the user-interface thread goes on handling events meanwhile.

#include "platform/tray_icon.h"

#include <QIcon>
#include <QObject>
#include <QString>

class QTimer;

// What one pass of the request came to.
enum class TrayCallStep {
    Succeeded, // the request, or the modify after "not ready yet", succeeded
    Failed,    // the request failed with another answer than "not ready yet"
    TryAgain,  // "not ready yet" and the modify failed: repeat the request later
};

// One pass: the request; on "not ready yet" a modify of the same icon.
TrayCallStep TrayIconCallOnce(TrayIconService& service, TrayRequest request, const QString& tip,
                              const QIcon& icon);

class TrayIconCall final : public QObject {
    Q_OBJECT

public:
    static constexpr int RetryIntervalMs = 1000;

    // Result of start(): 0 success, −1 failure, or Waiting while the request is repeated.
    static constexpr int Waiting = 1;

    TrayIconCall(TrayIconService& service, QObject* parent);

    // Makes the first pass of the request at once and returns 0 or −1 as it ends, or Waiting;
    // a waiting request reports its end by finished(). A waiting request started before is
    // dropped.
    int start(TrayRequest request, const QString& tip, const QIcon& icon);

    // Drops a waiting request; finished() will not come.
    void cancel();

    [[nodiscard]] bool isWaiting() const;

    // The next pass of a waiting request (nothing when none waits): what the retry timer runs
    // once a second.
    void retryNow();

    // The retry timer (single shot, RetryIntervalMs), running while a request waits.
    [[nodiscard]] const QTimer& retryTimer() const { return *timer_; }

signals:
    // A waiting request came to an end: 0 success, −1 failure.
    void finished(int result);

private:
    TrayIconService& service_;
    QTimer* timer_;
    TrayRequest request_ = TrayRequest::Add; // the waiting request
    QString tip_;
    QIcon icon_;
    bool waiting_ = false; // a request waits for its next pass
};
