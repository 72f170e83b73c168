#pragma once

// Window placement and style (SetWindowPos topmost, the taskbar-button style WS_EX_APPWINDOW,
// the layered window's colour key, and dragging a window without title bar by its caption).
//
// Qt re-creates the native window when its flags change; the service then shows the window again
// (only if it was visible) at the position it had, and the window keeps its Qt::WA_QuitOnClose.
// Note for a window created as a tool window (no taskbar button): Qt creates it without
// Qt::WA_QuitOnClose; set it if closing that window is to end the program.

#include <QColor>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRegion>
#include <optional>

class QWidget;

class WindowStyleService {
public:
    virtual ~WindowStyleService() = default;
    // Keeps `window` above other windows (true) or not (false).
    virtual void setTopmost(QWidget* window, bool on) = 0;
    [[nodiscard]] virtual bool isTopmost(const QWidget* window) const = 0;
    // Gives `window` a taskbar button (mode −1) or takes it away (mode 0); other modes change
    // nothing. Returns −1 when there is no window, 1 when the window had a taskbar button before
    // the call, 0 otherwise. A window shown before stays shown, without being activated.
    virtual int setTaskbarButton(QWidget* window, int mode) = 0;
    [[nodiscard]] virtual bool hasTaskbarButton(const QWidget* window) const = 0;
    // Makes every pixel of `window` drawn in `key` see-through (and click-through), or ends that
    // when `key` is empty.
    virtual void setColorKey(QWidget* window, std::optional<QColor> key) = 0;
    // Lets the window system move `window` with the mouse, as a drag on a title bar does. False
    // when the window system refuses; the caller then moves the window itself (WindowDragger).
    virtual bool startSystemMove(QWidget* window) = 0;
};

// The real styles through Qt window flags, a shape mask (or the layered-window colour key on
// Windows) and QWindow::startSystemMove().
class WindowStyles final : public WindowStyleService {
public:
    void setTopmost(QWidget* window, bool on) override;
    [[nodiscard]] bool isTopmost(const QWidget* window) const override;
    int setTaskbarButton(QWidget* window, int mode) override;
    [[nodiscard]] bool hasTaskbarButton(const QWidget* window) const override;
    void setColorKey(QWidget* window, std::optional<QColor> key) override;
    bool startSystemMove(QWidget* window) override;
};

// The colour key by a shape mask: watches a top-level window and, before it repaints (and when it
// is shown or resized), renders it, and masks out every pixel of the key colour. Owned by the
// window; the mask goes when the keeper is destroyed.
class ColorKeyMask final : public QObject {
    Q_OBJECT
public:
    ColorKeyMask(QWidget* window, QColor key);
    ~ColorKeyMask() override;
    ColorKeyMask(const ColorKeyMask&) = delete;
    ColorKeyMask& operator=(const ColorKeyMask&) = delete;

    [[nodiscard]] QColor key() const { return key_; }
    // Renders the window now and applies the mask (also called before every repaint); what a
    // new mask uncovers is painted afresh.
    void renew();
    // The region of `image` that is not in `key`: what stays visible.
    static QRegion visibleRegion(const QImage& image, QColor key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void scheduleRenew();

    QPointer<QWidget> window_;
    QColor key_;
    bool pending_ = false;  // a renewal is queued
    bool renewing_ = false; // a renewal is running
};

// Moves a window with the left mouse button from the window and the controls it watches: the
// first move with the button held asks the window system to take over (startSystemMove); where it
// refuses, the window follows the mouse by the distance moved since the button went down.
class WindowDragger final : public QObject {
    Q_OBJECT
public:
    explicit WindowDragger(QWidget* window);
    // Also drag from `area` (a control on the window).
    void watch(QWidget* area);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class State { Idle, Pressed, SystemMove, Following };
    QPointer<QWidget> window_;
    State state_ = State::Idle;
    QPoint pressGlobal_; // mouse position when the left button went down
    QPoint pressWindow_; // window position at that moment
};
