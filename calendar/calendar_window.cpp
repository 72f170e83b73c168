#include "calendar/calendar_window.h"

#include "calendar/dialog_access.h"
#include "calendar/layout.h"
#include "calendar/month_stepping.h"
#include "calendar/shown_month.h"
#include "calendar/window_commands.h"
#include "dialogs/dialog_commands.h"
#include "platform/design_fonts.h"
#include "platform/services.h"
#include "platform/system_metrics.h"
#include "widgets/fitted_label.h"
#include "widgets/spin_pair.h"
#include "widgets/twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

CalendarWindow::CalendarWindow(bool titleAndMenu) : titleAndMenu_(titleAndMenu) {
    setAttribute(Qt::WA_DeleteOnClose);
    createControls();
}

CalendarWindow::~CalendarWindow() = default;

void CalendarWindow::createControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    calendarPanel = new QWidget(client);
    calendarPanel->setObjectName(QStringLiteral("Picture2"));
    calendarPanel->setGeometry(TwipsRect(0, 0, PanelDesignWidth, PanelDesignHeight));
    calendarPanel->setFocusPolicy(Qt::StrongFocus);

    emptyPanel = new QWidget(calendarPanel);
    emptyPanel->setObjectName(QStringLiteral("Picture1"));
    emptyPanel->setGeometry(TwipsRect(600, 120, 615, 255));
    emptyPanel->hide();

    auto* cell = new QLabel(calendarPanel);
    cell->setObjectName(QStringLiteral("LBL_Day_0"));
    cell->setGeometry(TwipsRect(240, 120, 315, 255));
    cell->setAlignment(Qt::AlignCenter);
    cell->setFont(DesignFont(Gothic, 9.75, true));
    dayCells[0] = cell;

    // The era label stays in its laid-out place beside the year box; a long era name or an era
    // year of four digits is drawn smaller rather than cut off.
    eraLabel = new FittedLabel(calendarPanel);
    eraLabel->setObjectName(QStringLiteral("Label1"));
    eraLabel->setGeometry(TwipsRect(-15, 2190, 825, 375));
    eraLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    eraLabel->setFont(DesignFont(PGothic, 9, true));

    createMonthControls();

    todayMark = new ShapeOutline(calendarPanel);
    todayMark->setObjectName(QStringLiteral("Shape1"));
    todayMark->hide();

    createClock(client);

    // Every event goes to the shared routines, with this window as context.
    shownMonth = new ShownMonth(this);
    ConnectMonthControls(*this);
    connect(clockTimer, &QTimer::timeout, this, [this] { ClockTick(*this); });
}

void CalendarWindow::createMonthControls() {
    const QRect boxRects[2] = {TwipsRect(810, 2130, 615, 285), TwipsRect(1770, 2130, 390, 285)};
    const QRect barRects[2] = {TwipsRect(1425, 2085, 255, 390), TwipsRect(2160, 2085, 255, 390)};
    const int maxLengths[2] = {4, 2};
    for (int k = 0; k < 2; ++k) {
        auto* box = new QLineEdit(calendarPanel);
        box->setObjectName(QStringLiteral("Text1_%1").arg(k));
        box->setGeometry(boxRects[k]);
        box->setMaxLength(maxLengths[k]);
        box->setFont(DesignFont(Gothic, 9.75, true));
        box->setTextMargins(0, 0, 0, 0);
        (k == 0 ? yearBox : monthBox) = box;

        auto* bar = new QScrollBar(Qt::Vertical, calendarPanel);
        bar->setObjectName(QStringLiteral("VScroll1_%1").arg(k));
        bar->setGeometry(barRects[k]);
        bar->setContextMenuPolicy(Qt::NoContextMenu);
        (k == 0 ? yearScrollBar : monthScrollBar) = bar;

        // The box keeps digits only and validates itself; the shown month is copied back into
        // it, so the pair does not mirror the bar.
        auto* spin = new SpinPair(box, bar);
        spin->setMirrorsBar(false);
        (k == 0 ? yearSpin : monthSpin) = spin;
    }
}

void CalendarWindow::createClock(QWidget* client) {
    clockStrip = new QWidget(client);
    clockStrip->setObjectName(QStringLiteral("Picture3"));
    clockStrip->hide();
    clockLine = new LineControl(clockStrip);
    clockLine->setObjectName(QStringLiteral("Line1"));
    clockShadowLine = new LineControl(clockStrip);
    clockShadowLine->setObjectName(QStringLiteral("Line2"));
    clockLabel = new QLabel(clockStrip);
    clockLabel->setObjectName(QStringLiteral("Label2"));
    clockLabel->setFont(DesignFont(Gothic, 16, true));

    clockTimer = new QTimer(this);
    clockTimer->setObjectName(QStringLiteral("Timer1"));
}

QAction* CalendarWindow::makeSeparator(const char* name) {
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    separator->setObjectName(QString::fromLatin1(name));
    return separator;
}

void CalendarWindow::createCommands() {
    auto make = [this](const char* name, const char* caption) {
        auto* action = new QAction(QString::fromUtf8(caption), this);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    exitCommand = make("MNU_Exit", "終了(&X)");
    connect(exitCommand, &QAction::triggered, this, &QWidget::close);
    thisMonthCommand = make("MNU_ThisYM", "今月(&T)");
    connect(thisMonthCommand, &QAction::triggered, this, [this] { ShowThisMonth(*this); });
    eraJumpCommand = make("MNU_Gengo", "元号指定(&G)...");
    daysCalculatorCommand = make("MNU_Calc_Days", "日数計算(&C)...");
    optionsCommand = make("MNU_Option", "オプション(&O)...");
    connect(eraJumpCommand, &QAction::triggered, this,
            [] { OpenEraJumpDialog(CalendarForDialogs()); });
    connect(daysCalculatorCommand, &QAction::triggered, this,
            [] { OpenDaysCalculator(CalendarForDialogs()); });
    connect(optionsCommand, &QAction::triggered, this,
            [] { OpenOptionsDialog(CalendarForDialogs()); });
    alwaysOnTopCommand = make("MNU_A_Top", "常に手前に表示(&A)");
    alwaysOnTopCommand->setCheckable(true);
    connect(alwaysOnTopCommand, &QAction::triggered, this, [this] { AlwaysOnTopToggled(*this); });
}

void CalendarWindow::applyWindowSize() {
    const SystemMetricsService& m = *Services().metrics;
    const int outerWidth = TwipsToPixels(windowWidth);
    const int outerHeight = TwipsToPixels(windowHeight);
    int clientWidth = outerWidth;
    int clientHeight = outerHeight;
    if (titleAndMenu_) {
        // The window system draws the frame and the title bar; the menu bar is ours.
        clientWidth -= 2 * m.metric(Metric::CxDlgFrame);
        clientHeight -= 2 * m.metric(Metric::CyDlgFrame) + m.metric(Metric::CyCaption) +
                        m.metric(Metric::CyMenu);
        if (menuWidget() != nullptr) {
            clientHeight += menuWidget()->sizeHint().height();
        }
    }
    // As the window system does, a window is kept from growing beyond the desktop.
    int maxWidth = m.metric(Metric::CxVirtualScreen);
    int maxHeight = m.metric(Metric::CyVirtualScreen);
    if (maxWidth <= 0 || maxHeight <= 0) {
        maxWidth = m.metric(Metric::CxScreen);
        maxHeight = m.metric(Metric::CyScreen);
    }
    const int width = std::clamp(clientWidth, 1, std::max(1, maxWidth));
    const int height = std::clamp(clientHeight, 1, std::max(1, maxHeight));
    setFixedSize(width, height);
    // The layout goes on in the size the window really has.
    windowWidth += (width - clientWidth) * m.twipsPerPixelX();
    windowHeight += (height - clientHeight) * m.twipsPerPixelY();
}

void CalendarWindow::closeEvent(QCloseEvent* event) {
    ClosingSequence(*this);
    event->accept();
}

void CalendarWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        WindowResized(*this);
    }
}

void CalendarWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    WindowShown(*this);
}

void CalendarWindow::mousePressEvent(QMouseEvent* event) {
    QMainWindow::mousePressEvent(event);
}

void CalendarWindow::mouseMoveEvent(QMouseEvent* event) {
    emptyPanel->hide();
    QMainWindow::mouseMoveEvent(event);
}

void CalendarWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && popupMenu != nullptr) {
        OpenPopupMenu(*this, event->globalPosition().toPoint());
        event->accept();
        return;
    }
    QMainWindow::mouseReleaseEvent(event);
}

void CalendarWindow::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    if (!titleAndMenu_) {
        // The thin single border of a window without title bar.
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Shadow));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}
