#include "platform/window_styles.h"

#include "platform/services.h"

#include <QBitmap>
#include <QEvent>
#include <QImage>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QWidget>
#include <QWindow>

#ifdef Q_OS_WIN
#include <QGuiApplication>
#include <windows.h>
#endif

namespace {

// Windows keys a colour out of a layered window itself; elsewhere, and on Qt's platforms without
// native windows (offscreen), the window gets a shape mask drawn from its picture instead.
#ifdef Q_OS_WIN
bool systemColourKey() {
    return QGuiApplication::platformName() == QLatin1String("windows");
}

void setSystemColourKey(QWidget* window, std::optional<QColor> key) {
    auto hwnd = reinterpret_cast<HWND>(window->winId());
    const LONG style = GetWindowLongW(hwnd, GWL_EXSTYLE);
    if (!key) {
        SetWindowLongW(hwnd, GWL_EXSTYLE, style & ~WS_EX_LAYERED);
        return;
    }
    SetWindowLongW(hwnd, GWL_EXSTYLE, style | WS_EX_LAYERED);
    SetLayeredWindowAttributes(hwnd, RGB(key->red(), key->green(), key->blue()), 0, LWA_COLORKEY);
}
#else
bool systemColourKey() {
    return false;
}

void setSystemColourKey(QWidget*, std::optional<QColor>) {}
#endif

// Gives `window` new flags. Qt hides the window (and may re-create its native window) on a change
// of flags; it comes back where it was, in the state it had, and shown only if it was shown.
void reapplyFlags(QWidget* window, Qt::WindowFlags flags, bool activate) {
    if (window->windowFlags() == flags) {
        return;
    }
    const bool visible = window->isVisible();
    const QPoint position = window->pos();
    const Qt::WindowStates state = window->windowState();
    // Qt takes "quit on close" away from a window that becomes a tool window (and never gives it
    // back): the calendar without a taskbar button must still end the program when it closes.
    const bool quitsOnClose = window->testAttribute(Qt::WA_QuitOnClose);
    window->setWindowFlags(flags);
    window->setAttribute(Qt::WA_QuitOnClose, quitsOnClose);
    window->move(position);
    if (!visible) {
        return;
    }
    const bool quiet = window->testAttribute(Qt::WA_ShowWithoutActivating);
    window->setAttribute(Qt::WA_ShowWithoutActivating, !activate);
    window->setWindowState(state);
    window->show();
    window->setAttribute(Qt::WA_ShowWithoutActivating, quiet);
    if (activate) {
        window->activateWindow();
    }
}

ColorKeyMask* keeperOf(QWidget* window) {
    return window->findChild<ColorKeyMask*>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

void WindowStyles::setTopmost(QWidget* window, bool on) {
    if (window == nullptr) {
        return;
    }
    Qt::WindowFlags flags = window->windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, on);
    reapplyFlags(window, flags, window->isActiveWindow());
}

bool WindowStyles::isTopmost(const QWidget* window) const {
    return window != nullptr && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

int WindowStyles::setTaskbarButton(QWidget* window, int mode) {
    if (window == nullptr) {
        return -1;
    }
    const bool had = hasTaskbarButton(window);
    if (mode == -1 || mode == 0) {
        // A tool window has no taskbar button; an ordinary window has one.
        const Qt::WindowFlags hints = window->windowFlags() & ~Qt::WindowType_Mask;
        reapplyFlags(window, hints | (mode == -1 ? Qt::Window : Qt::Tool), false);
    }
    if (had && window->isVisible()) {
        window->activateWindow();
    }
    return had ? 1 : 0;
}

bool WindowStyles::hasTaskbarButton(const QWidget* window) const {
    return window != nullptr && window->windowType() == Qt::Window;
}

void WindowStyles::setColorKey(QWidget* window, std::optional<QColor> key) {
    if (window == nullptr) {
        return;
    }
    ColorKeyMask* keeper = keeperOf(window);
    if (!key) {
        delete keeper;
        return;
    }
    if (keeper != nullptr && keeper->key() == *key) {
        keeper->renew();
        return;
    }
    delete keeper;
    keeper = new ColorKeyMask(window, *key);
    keeper->renew();
}

bool WindowStyles::startSystemMove(QWidget* window) {
    if (window == nullptr || window->windowHandle() == nullptr) {
        return false;
    }
    return window->windowHandle()->startSystemMove();
}

ColorKeyMask::ColorKeyMask(QWidget* window, QColor key)
    : QObject(window), window_(window), key_(key.toRgb()) {
    window->installEventFilter(this);
}

ColorKeyMask::~ColorKeyMask() {
    if (!window_) {
        return;
    }
    window_->removeEventFilter(this);
    if (!systemColourKey()) {
        window_->clearMask();
    } else if (window_->testAttribute(Qt::WA_WState_Created)) {
        setSystemColourKey(window_, std::nullopt);
    }
}

QRegion ColorKeyMask::visibleRegion(const QImage& image, QColor key) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    // The mask's key pixels come out as colour 0, which a region built from a bitmap leaves out.
    const QImage mask = rgb.createMaskFromColor(key.rgb(), Qt::MaskInColor);
    return QRegion(QBitmap::fromImage(mask));
}

void ColorKeyMask::renew() {
    // Rendering delivers the window's pending events, which may ask for a renewal again.
    if (!window_ || renewing_) {
        return;
    }
    const QScopedValueRollback<bool> renewing(renewing_, true);
    if (systemColourKey()) {
        // The layered window's colour key; set again whenever Qt has made a new native window.
        setSystemColourKey(window_, key_);
        return;
    }
    if (window_->size().isEmpty()) {
        return;
    }
    QImage image(window_->size(), QImage::Format_RGB32);
    image.fill(key_); // what the window does not paint is see-through
    // IgnoreMask: rendering within the current mask would shift the drawing to the origin.
    window_->render(&image, QPoint(), QRegion(),
                    QWidget::DrawWindowBackground | QWidget::DrawChildren | QWidget::IgnoreMask);
    QRegion visible = visibleRegion(image, key_);
    if (visible.isEmpty()) {
        // An empty mask would show the whole window; keep one pixel instead.
        visible = QRegion(0, 0, 1, 1);
    }
    const QRegion before = window_->mask();
    if (visible == before) {
        return;
    }
    window_->setMask(visible);
    // Qt paints a masked window only within its mask: what the new mask uncovers was never
    // painted with what the window shows now.
    window_->update(before.isEmpty() ? visible : visible - before);
}

void ColorKeyMask::scheduleRenew() {
    if (pending_) {
        return;
    }
    pending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this]() {
            pending_ = false;
            renew();
        },
        Qt::QueuedConnection);
}

bool ColorKeyMask::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_) {
        switch (event->type()) {
        case QEvent::UpdateRequest:
            // The window is about to repaint what changed, within its mask: the mask must show
            // the new picture before it is painted. A layered window keys its pixels itself.
            if (!systemColourKey()) {
                renew();
            }
            break;
        case QEvent::Show:
        case QEvent::Resize:
        case QEvent::WinIdChange:
            scheduleRenew();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

WindowDragger::WindowDragger(QWidget* window) : QObject(window), window_(window) {
    window->installEventFilter(this);
}

void WindowDragger::watch(QWidget* area) {
    if (area != nullptr) {
        area->installEventFilter(this);
    }
}

bool WindowDragger::eventFilter(QObject* watched, QEvent* event) {
    if (!window_) {
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            state_ = State::Pressed;
            pressGlobal_ = mouse->globalPosition().toPoint();
            pressWindow_ = window_->pos();
        }
        break;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!mouse->buttons().testFlag(Qt::LeftButton)) {
            state_ = State::Idle;
            break;
        }
        const QPoint global = mouse->globalPosition().toPoint();
        if (state_ == State::Idle) {
            // The button went down somewhere this dragger does not watch.
            pressGlobal_ = global;
            pressWindow_ = window_->pos();
            state_ = State::Pressed;
        }
        if (state_ == State::Pressed) {
            state_ = Services().windowStyles->startSystemMove(window_) ? State::SystemMove
                                                                       : State::Following;
        }
        if (state_ == State::Following) {
            window_->move(pressWindow_ + (global - pressGlobal_));
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            state_ = State::Idle;
        }
        break;
    default:
        break;
    }
    (void)watched;
    return false;
}
