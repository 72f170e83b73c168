#pragma once

// The notification-area icon (Shell_NotifyIconA with NIM_ADD, NIM_MODIFY and NIM_DELETE): one icon
// per program, with a tip text, that reports the left and the right mouse button going down on it.
// An add answers success, "not ready yet" (the notification area does not exist yet: the caller
// tries again later) or another failure.

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>

class QSystemTrayIcon;

enum class TrayRequest { Add = 0, Modify = 1, Delete = 2 };
enum class TrayAnswer { Success, NotReadyYet, Failed };

class TrayIconService : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Carries out `request` for the program's icon with `tip` (cut to 63 bytes of code page 932)
    // and `icon` (null: the application's window icon).
    // - Add: the icon appears. NotReadyYet while there is no notification area.
    // - Modify: new tip and icon for the icon in place; Failed when there is none.
    // - Delete: the icon goes; Failed when there was none.
    virtual TrayAnswer call(TrayRequest request, const QString& tip, const QIcon& icon) = 0;
    // True while the icon is in the notification area.
    [[nodiscard]] virtual bool isShown() const = 0;

signals:
    // The left button went down on the icon; `globalPos` is the mouse position.
    void leftButtonDown(QPoint globalPos);
    // The right button went down on the icon.
    void rightButtonDown(QPoint globalPos);
};

// QSystemTrayIcon. "Not ready yet" while QSystemTrayIcon::isSystemTrayAvailable() is false.
class TrayIcon final : public TrayIconService {
    Q_OBJECT
public:
    using TrayIconService::TrayIconService;
    ~TrayIcon() override;
    TrayAnswer call(TrayRequest request, const QString& tip, const QIcon& icon) override;
    [[nodiscard]] bool isShown() const override;

private:
    QPointer<QSystemTrayIcon> icon_;
};

// `tip` cut to at most 63 bytes of code page 932 (the tip field of the icon record), without
// splitting a character.
QString TrayTipText(const QString& tip);
