#include "calendar/layout.h"

#include "calendar/calendar_settings.h"
#include "calendar/calendar_window.h"
#include "calendar/control_colours.h"
#include "platform/colors.h"
#include "platform/services.h"
#include "platform/system_metrics.h"
#include "platform/window_styles.h"
#include "widgets/twips.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTime>
#include <algorithm>
#include <cmath>

namespace {

const SystemMetricsService& metrics() {
    return *Services().metrics;
}

// The key colour of the transparent background, 0x00BBGGRR.
constexpr std::int32_t TransparencyKey = 0xFFFF00;

// Caption, the 4 pixels of the design and the menu bar: what the window adds to MainHeight.
std::int32_t titleAndMenuTwips() {
    return (metrics().metric(Metric::CyCaption) + 4 + metrics().metric(Metric::CyMenu)) *
           metrics().twipsPerPixelY();
}

// A length of the settings file in pixels, in twips. The settings file may hold any 32-bit
// number; a window cannot be larger than Qt's limit nor smaller than nothing, and the product
// must not overflow.
std::int32_t settingTwips(std::int32_t pixels, int twipsPerPixel) {
    constexpr std::int64_t MaxPixels = 16777215;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(pixels, 0, MaxPixels) *
                                     twipsPerPixel);
}

// Gives `control` the desktop's own colours, whatever its window's palette says.
void keepDesktopColours(QWidget* control) {
    QPalette palette = QApplication::palette(control);
    palette.setResolveMask(~QPalette::ResolveMask(0)); // every role set here, none inherited
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}

} // namespace

int MenuState(const QWidget& window) {
    int state = 0;
    auto visit = [&state](const QList<QAction*>& actions) {
        for (const QAction* action : actions) {
            state = qMax(state, action->isVisible() ? 2 : 1);
        }
    };
    for (const QMenuBar* bar : window.findChildren<QMenuBar*>()) {
        visit(bar->actions());
    }
    for (const QMenu* menu : window.findChildren<QMenu*>()) {
        visit(menu->actions());
    }
    return state;
}

FrameSize MeasureFrame(int borderStyle, int menuState) {
    if (borderStyle == 0 && menuState == 0) {
        return {};
    }
    const SystemMetricsService& m = metrics();
    int width = 0;
    int height = 0;
    if (borderStyle == 2) {
        width = 2 * m.metric(Metric::CxFrame);
        height = 2 * m.metric(Metric::CyFrame) + m.metric(Metric::CyCaption);
    } else if (borderStyle == 5 && menuState == 0) {
        width = 2 * m.metric(Metric::CxFrame);
        height = 2 * m.metric(Metric::CyFrame) + m.metric(Metric::CySmCaption);
    } else {
        width = 2 * m.metric(Metric::CxDlgFrame);
        height = 2 * m.metric(Metric::CyDlgFrame) + m.metric((borderStyle == 4 || borderStyle == 5)
                                                                 ? Metric::CySmCaption
                                                                 : Metric::CyCaption);
    }
    if (menuState == 2) {
        height += m.metric(Metric::CyMenu);
    }
    return {width * m.twipsPerPixelX(), height * m.twipsPerPixelY()};
}

FrameSize MeasurePanelFrame(int borderStyle, int drawWidth, bool threeD) {
    const int px = metrics().twipsPerPixelX();
    const int py = metrics().twipsPerPixelY();
    FrameSize frame;
    if (borderStyle == 1) {
        frame.width = 2 * drawWidth * px;
        frame.height = 2 * drawWidth * py;
    }
    if (threeD) {
        frame.width += 2 * px;
        frame.height += 2 * py;
    }
    frame.width += px;
    frame.height += py;
    return frame;
}

FrameSize MeasureFrame(const CalendarWindow& window) {
    return MeasureFrame(1, MenuState(window));
}

void SizeCalendar(CalendarWindow& window) {
    const CalendarSettings& s = CalendarOptions();
    const FrameSize frame = MeasureFrame(window);
    window.windowWidth = settingTwips(s.MainWidth.current, metrics().twipsPerPixelX());
    window.windowHeight =
        settingTwips(s.MainHeight.current, metrics().twipsPerPixelY()) + titleAndMenuTwips();
    window.picture2Left =
        (window.windowWidth - CalendarWindow::Picture2DesignWidth - frame.width) / 2;
    window.picture2Top =
        (window.windowHeight - CalendarWindow::Picture2DesignHeight - frame.height) / 2;
    window.Picture2->setGeometry(TwipsRect(window.picture2Left, window.picture2Top,
                                           window.picture2Width,
                                           CalendarWindow::Picture2DesignHeight));
    window.applyWindowSize();
}

void ApplyAppearance(CalendarWindow& window) {
    const CalendarSettings& s = CalendarOptions();
    const int py = metrics().twipsPerPixelY();

    // 1. The window's own colours.
    QColor background = ResolveColor(s.Color[0].current);
    const QColor text = ResolveColor(s.Color[2].current);
    setTextColour(window.Label1, text);

    // 2. Entry box background, or the transparent background by its key colour.
    QColor boxBackground = window.Text1[0]->palette().color(QPalette::Base);
    if (s.Transparent.current == 0) {
        boxBackground = ResolveColor(s.Color[1].current);
    } else if (s.Transparent.current == 1) {
        background = ResolveColor(TransparencyKey);
        Services().windowStyles->setColorKey(&window, background);
        boxBackground = background;
        // Smoothed text edges would blend into the key colour and show as a fringe around
        // every character once the key colour is cut out.
        for (QWidget* control : window.findChildren<QWidget*>()) {
            QFont font = control->font();
            font.setStyleStrategy(QFont::NoAntialias);
            control->setFont(font);
        }
    }
    setBackground(&window, background);
    setTextColour(&window, text);
    if (s.Transparent.current == 1 && window.menuWidget() != nullptr) {
        // The menu bar belongs to the window's frame, outside the see-through area: drawn in the
        // key colour, only the pixels of its letters would take a click.
        keepDesktopColours(window.menuWidget());
    }
    // 3.
    for (QLineEdit* box : window.Text1) {
        setBoxColours(box, boxBackground, text);
    }

    // 4. Flat or 3D.
    if (s.Appearance.current == 0 || s.Appearance.current == 1) {
        const bool threeD = s.Appearance.current == 1;
        window.LBL_Day[0]->setFrameStyle(threeD ? (QFrame::Panel | QFrame::Sunken)
                                                : QFrame::NoFrame);
        for (QLineEdit* box : window.Text1) {
            setBoxFlat(box, !threeD);
        }
        window.Line2->setVisible(threeD);
        window.Shape1->setVisible(!threeD);
    }

    // 5. The panel and the cell that the grid copies take the window's colours.
    setBackground(window.Picture2, background);
    setBackground(window.LBL_Day[0], background);
    setTextColour(window.LBL_Day[0], text);

    // 6.
    window.Shape1->setBorderColour(ResolveColor(s.Color[5].current));

    // 7. The height loses the title and menu bar when the window has none.
    window.windowHeight = settingTwips(s.MainHeight.current, py);
    if (s.ShowMenu.current == 1) {
        window.windowHeight += titleAndMenuTwips();
    }

    // 8. The clock strip.
    if (s.ShowClock.current == 0) {
        window.Picture3->hide();
    } else if (s.ShowClock.current == 1) {
        const std::int32_t stripTop =
            window.picture2Top + CalendarWindow::Picture2DesignHeight - 75;
        const std::int32_t stripHeight = settingTwips(s.C_Height.current, py);
        window.Picture3->setGeometry(TwipsRect(0, stripTop, window.windowWidth, stripHeight));
        setBackground(window.Picture3, background);
        window.Picture3->show();

        window.Line1->setLineColour(ResolveColor(s.CL_Color[1].current));
        window.Line1->setHorizontal(0, TwipsToPixels(window.windowWidth), 0);
        // The shadow lies one pixel below the line; the line's width in pixels counts as twips.
        window.Line2->setLineColour(ResolveColor(s.CL_Color[2].current));
        window.Line2->setHorizontal(0, TwipsToPixels(window.windowWidth),
                                    TwipsToPixels(window.Line1->borderWidth() + py));
        window.windowHeight += stripHeight;

        setBackground(window.Label2, background);
        setTextColour(window.Label2, ResolveColor(s.CL_Color[0].current));
        window.Label2->setText(ClockText(Services().clock->now().time()));
        window.Label2->adjustSize();
        const double stripWidthPx = window.Picture3->width();
        const double stripHeightPx = window.Picture3->height();
        window.Label2->move(
            static_cast<int>(std::lround((stripWidthPx - window.Label2->width()) / 2 - 1)),
            static_cast<int>(std::lround((stripHeightPx - window.Label2->height()) / 2 + 2)));
    }
    window.applyWindowSize();
}

int SetAppWindowStyle(CalendarWindow& window, int mode) {
    return Services().windowStyles->setTaskbarButton(&window, mode);
}

QString ClockText(const QTime& time) {
    return time.toString(QStringLiteral("HH:mm"));
}
