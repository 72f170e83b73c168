#include "platform/tray_icon.h"

#include "date/codepage.h"

#include <QApplication>
#include <QCursor>
#include <QStyle>
#include <QSystemTrayIcon>

QString TrayTipText(const QString& tip) {
    // The tip field holds 64 bytes with the closing zero.
    constexpr std::size_t maxBytes = 63;
    QString cut;
    std::size_t bytes = 0;
    for (qsizetype i = 0; i < tip.size();) {
        const qsizetype width = tip[i].isHighSurrogate() && i + 1 < tip.size() ? 2 : 1;
        const QString ch = tip.mid(i, width);
        const std::optional<std::string> encoded = Utf8ToCp932(ch.toStdString());
        const std::size_t size = encoded ? encoded->size() : 1; // shown as "?" by the shell
        if (bytes + size > maxBytes) {
            break;
        }
        bytes += size;
        cut += ch;
        i += width;
    }
    return cut;
}

TrayIcon::~TrayIcon() {
    delete icon_;
}

TrayAnswer TrayIcon::call(TrayRequest request, const QString& tip, const QIcon& icon) {
    auto applyLook = [&]() {
        QIcon look = icon;
        if (look.isNull()) {
            look = QApplication::windowIcon();
        }
        if (look.isNull()) {
            look = QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
        }
        icon_->setIcon(look);
        icon_->setToolTip(TrayTipText(tip));
    };
    switch (request) {
    case TrayRequest::Add:
        if (!QSystemTrayIcon::isSystemTrayAvailable()) {
            return TrayAnswer::NotReadyYet;
        }
        if (!icon_) {
            icon_ = new QSystemTrayIcon();
            connect(icon_, &QSystemTrayIcon::activated, this,
                    [this](QSystemTrayIcon::ActivationReason reason) {
                        if (reason == QSystemTrayIcon::Trigger) {
                            emit leftButtonDown(QCursor::pos());
                        } else if (reason == QSystemTrayIcon::Context) {
                            emit rightButtonDown(QCursor::pos());
                        }
                    });
        }
        applyLook();
        icon_->show();
        return TrayAnswer::Success;
    case TrayRequest::Modify:
        if (!icon_ || !icon_->isVisible()) {
            return TrayAnswer::Failed;
        }
        applyLook();
        return TrayAnswer::Success;
    case TrayRequest::Delete:
        if (!icon_ || !icon_->isVisible()) {
            return TrayAnswer::Failed;
        }
        icon_->hide();
        return TrayAnswer::Success;
    }
    return TrayAnswer::Failed;
}

bool TrayIcon::isShown() const {
    return icon_ && icon_->isVisible();
}
