#include "calendar/layout.h"

#include "calendar/calendar_settings.h"
#include "calendar/calendar_window.h"
#include "calendar/control_colours.h"
#include "calendar/keyed_entry_style.h"
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
#include <QScrollBar>
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

FrameSize MeasureFrame(const CalendarWindow& window) {
    return MeasureFrame(1, MenuState(window));
}

void SizeCalendar(CalendarWindow& window) {
    const OptionValues& s = CalendarOptions().current;
    const FrameSize frame = MeasureFrame(window);
    window.windowWidth = settingTwips(s.MainWidth, metrics().twipsPerPixelX());
    window.windowHeight =
        settingTwips(s.MainHeight, metrics().twipsPerPixelY()) + titleAndMenuTwips();
    // A window larger than the desktop is made smaller: the panel is centred in what is left.
    window.applyWindowSize();
    window.panelLeft = (window.windowWidth - CalendarWindow::PanelDesignWidth - frame.width) / 2;
    window.panelTop = (window.windowHeight - CalendarWindow::PanelDesignHeight - frame.height) / 2;
    window.calendarPanel->setGeometry(TwipsRect(
        window.panelLeft, window.panelTop, window.panelWidth, CalendarWindow::PanelDesignHeight));
}

namespace {

// The window's background and text colours, and the entry boxes' background; with a transparent
// background the boxes take the key colour too. Returns the background the panel takes.
QColor applyColours(CalendarWindow& window, const OptionValues& s) {
    QColor background = ResolveColor(s.Color[ColorSlot::Background]);
    const QColor text = ResolveColor(s.Color[ColorSlot::Text]);
    setTextColour(window.eraLabel, text);

    QColor boxBackground = window.yearBox->palette().color(QPalette::Base);
    if (s.Transparent == 0) {
        boxBackground = ResolveColor(s.Color[ColorSlot::EntryBoxes]);
    } else if (s.Transparent == 1) {
        background = ResolveColor(TransparencyKey);
        Services().windowStyles->setColorKey(&window, background);
        boxBackground = background;
        // The boxes' frames and the scroll bars look as on an opaque calendar of the desktop's
        // colours; their own colours would otherwise be shades of the key colour.
        const OptionValues defaults;
        for (QLineEdit* box : window.entryBoxes()) {
            KeyEntryBox(box, background, ResolveColor(defaults.Color[ColorSlot::Background]),
                        ResolveColor(defaults.Color[ColorSlot::EntryBoxes]));
        }
        for (QScrollBar* bar : window.scrollBars()) {
            keepDesktopColours(bar);
        }
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
    if (s.Transparent == 1 && window.menuWidget() != nullptr) {
        // The menu bar belongs to the window's frame, outside the see-through area: drawn in the
        // key colour, only the pixels of its letters would take a click.
        keepDesktopColours(window.menuWidget());
        window.menuWidget()->setAutoFillBackground(true);
    }
    for (QLineEdit* box : window.entryBoxes()) {
        setBoxColours(box, boxBackground, text);
    }
    return background;
}

// Flat or 3D: the sunken first cell, the boxes' frames, the shadow line or the flat frame around
// today. Any other stored value leaves the controls as they are.
void applyLook(CalendarWindow& window, std::int16_t appearance) {
    if (appearance != 0 && appearance != 1) {
        return;
    }
    const bool threeD = appearance == 1;
    window.dayCells[0]->setFrameStyle(threeD ? (QFrame::Panel | QFrame::Sunken) : QFrame::NoFrame);
    for (QLineEdit* box : window.entryBoxes()) {
        setBoxFlat(box, !threeD);
    }
    window.clockShadowLine->setVisible(threeD);
    window.todayMark->setVisible(!threeD);
}

// The clock strip below the calendar, its boundary lines and the clock text; adds its height to
// the window's.
void applyClockStrip(CalendarWindow& window, const OptionValues& s, const QColor& background) {
    const int py = metrics().twipsPerPixelY();
    const std::int32_t stripTop = window.panelTop + CalendarWindow::PanelDesignHeight - 75;
    const std::int32_t stripHeight = settingTwips(s.C_Height, py);
    window.clockStrip->setGeometry(TwipsRect(0, stripTop, window.windowWidth, stripHeight));
    setBackground(window.clockStrip, background);
    window.clockStrip->show();

    window.clockLine->setLineColour(ResolveColor(s.CL_Color[ClockColorSlot::BoundaryLine]));
    window.clockLine->setHorizontal(0, TwipsToPixels(window.windowWidth), 0);
    // The shadow lies one pixel below the line; the line's width in pixels counts as twips.
    window.clockShadowLine->setLineColour(ResolveColor(s.CL_Color[ClockColorSlot::BoundaryShadow]));
    window.clockShadowLine->setHorizontal(0, TwipsToPixels(window.windowWidth),
                                          TwipsToPixels(window.clockLine->borderWidth() + py));
    window.windowHeight += stripHeight;

    setBackground(window.clockLabel, background);
    setTextColour(window.clockLabel, ResolveColor(s.CL_Color[ClockColorSlot::Text]));
    window.clockLabel->setText(ClockText(Services().clock->now().time()));
    window.clockLabel->adjustSize();
    const double stripWidthPx = window.clockStrip->width();
    const double stripHeightPx = window.clockStrip->height();
    window.clockLabel->move(
        static_cast<int>(std::lround((stripWidthPx - window.clockLabel->width()) / 2 - 1)),
        static_cast<int>(std::lround((stripHeightPx - window.clockLabel->height()) / 2 + 2)));
}

} // namespace

void ApplyAppearance(CalendarWindow& window) {
    const OptionValues& s = CalendarOptions().current;
    const QColor background = applyColours(window, s);
    applyLook(window, s.Appearance);

    // The panel and the cell that the grid copies take the window's colours.
    setBackground(window.calendarPanel, background);
    setBackground(window.dayCells[0], background);
    setTextColour(window.dayCells[0], ResolveColor(s.Color[ColorSlot::Text]));
    window.todayMark->setBorderColour(ResolveColor(s.Color[ColorSlot::Today]));

    // The height loses the title and menu bar when the window has none.
    window.windowHeight = settingTwips(s.MainHeight, metrics().twipsPerPixelY());
    if (s.ShowMenu == 1) {
        window.windowHeight += titleAndMenuTwips();
    }
    if (s.ShowClock == 0) {
        window.clockStrip->hide();
    } else if (s.ShowClock == 1) {
        applyClockStrip(window, s, background);
    }
    window.applyWindowSize();
}

int SetAppWindowStyle(CalendarWindow& window, int mode) {
    return Services().windowStyles->setTaskbarButton(&window, mode);
}

QString ClockText(const QTime& time) {
    return time.toString(QStringLiteral("HH:mm"));
}
