#include "calendar/tray_icon_call.h"

#include <QTimer>

TrayCallStep TrayIconCallOnce(TrayIconService& service, TrayRequest request, const QString& tip,
                              const QIcon& icon) {
    const TrayAnswer answer = service.call(request, tip, icon);
    if (answer == TrayAnswer::Success) {
        return TrayCallStep::Succeeded;
    }
    if (answer != TrayAnswer::NotReadyYet) {
        return TrayCallStep::Failed;
    }
    // The shell may have taken the request although it answered late: a modify then finds the
    // icon in place. Its failure means only that the icon is not there yet.
    if (service.call(TrayRequest::Modify, tip, icon) == TrayAnswer::Success) {
        return TrayCallStep::Succeeded;
    }
    return TrayCallStep::TryAgain;
}

TrayIconCall::TrayIconCall(TrayIconService& service, QObject* parent)
    : QObject(parent), service_(service), timer_(new QTimer(this)) {
    timer_->setObjectName(QStringLiteral("trayRetryTimer"));
    timer_->setSingleShot(true);
    timer_->setInterval(RetryIntervalMs);
    connect(timer_, &QTimer::timeout, this, &TrayIconCall::retryNow);
}

int TrayIconCall::start(TrayRequest request, const QString& tip, const QIcon& icon) {
    cancel();
    switch (TrayIconCallOnce(service_, request, tip, icon)) {
    case TrayCallStep::Succeeded:
        return 0;
    case TrayCallStep::Failed:
        return -1;
    case TrayCallStep::TryAgain:
        break;
    }
    request_ = request;
    tip_ = tip;
    icon_ = icon;
    waiting_ = true;
    timer_->start();
    return Waiting;
}

void TrayIconCall::cancel() {
    waiting_ = false;
    timer_->stop();
}

bool TrayIconCall::isWaiting() const {
    return waiting_;
}

void TrayIconCall::retryNow() {
    if (!waiting_) {
        return;
    }
    timer_->stop();
    switch (TrayIconCallOnce(service_, request_, tip_, icon_)) {
    case TrayCallStep::Succeeded:
        waiting_ = false;
        emit finished(0);
        return;
    case TrayCallStep::Failed:
        waiting_ = false;
        emit finished(-1);
        return;
    case TrayCallStep::TryAgain:
        timer_->start();
        return;
    }
}
