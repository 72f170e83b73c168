// The notification-area form CurrentTrayIconWindow over the calendar window: adding the icon (with
// the wait for a notification area that is not ready), the clicks on the icon, the popup menu's
// commands, the caption of minimizeCommand, the mirrored check mark, hiding and restoring, closing
// and re-creation.

#include "calendar/tray_icon_call.h"
#include "calendar/tray_icon_window.h"
#include "calendar_fixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <stdexcept>
#include <string>

namespace {

const QString Minimize = QStringLiteral("最小化(&N)");
const QString Restore = QStringLiteral("元のサイズに戻す(&R)");

QWidget* topLevelNamed(const QString& name) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == name) {
            return widget;
        }
    }
    return nullptr;
}

// What was seen while the popup menu was open.
struct MenuSeen {
    bool opened = false;
    QPoint position;
    QStringList items;
    bool dummyVisible = false;
    QPoint dummyPosition;
    QSize dummySize;
};

} // namespace

class TrayTest : public CalendarTest {
protected:
    void TearDown() override {
        CalendarTest::TearDown();
        DestroyTrayIconWindow();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static TrayIconWindow& tray() {
        if (CurrentTrayIconWindow == nullptr) {
            throw std::runtime_error("FRM_TTI does not exist");
        }
        return *CurrentTrayIconWindow;
    }

    // The command `name` (its object name) of `form`'s popup menu.
    static QAction* commandOf(const TrayIconWindow& form, const char* name) {
        for (QAction* action : form.popupMenu->actions()) {
            if (action->objectName() == QLatin1String(name)) {
                return action;
            }
        }
        throw std::runtime_error(std::string("no command ") + name + " in the icon's menu");
    }
    static QAction* trayCommand(const char* name) { return commandOf(tray(), name); }

    // Runs what the event loop has queued (the hide after a minimize, the clicks on the icon).
    static void settle() { QCoreApplication::sendPostedEvents(); }

    // The mouse buttons on the icon; the form handles them from the event loop.
    void pressLeft(QPoint at = {}) {
        doubles.trayIcon.pressLeft(at);
        settle();
    }
    void pressRight(QPoint at) {
        doubles.trayIcon.pressRight(at);
        settle();
    }

    // The requests made of the icon service, as "Add:tip", "Modify:tip", "Delete:".
    [[nodiscard]] QStringList trayCalls() const {
        static const char* names[] = {"Add", "Modify", "Delete"};
        QStringList list;
        for (const FakeTrayIcon::Call& call : doubles.trayIcon.calls) {
            list << QString::fromLatin1(names[static_cast<int>(call.request)]) + QLatin1Char(':') +
                        call.tip;
        }
        return list;
    }

    // Presses the right button on the icon at `at`; `during` runs while the popup menu is open,
    // after which the menu is closed if it still is.
    template <typename During> MenuSeen rightClick(QPoint at, During during) {
        MenuSeen seen;
        // A timer, not a posted call: the click itself is posted, and settling runs posted calls
        // in order, so a posted look would come before the menu had opened.
        QTimer look;
        look.setSingleShot(true);
        QObject::connect(&look, &QTimer::timeout, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            seen.opened = menu != nullptr && menu == tray().popupMenu;
            if (menu != nullptr) {
                seen.position = menu->pos();
                for (const QAction* action : menu->actions()) {
                    seen.items << action->objectName() + QLatin1Char('=') +
                                      (action->isSeparator() ? QStringLiteral("-")
                                                             : action->text());
                }
            }
            if (QWidget* dummy = topLevelNamed(QStringLiteral("frmDUMMY"))) {
                seen.dummyVisible = dummy->isVisible();
                seen.dummyPosition = dummy->pos();
                seen.dummySize = dummy->size();
            }
            during(menu);
            if (QWidget* still = QApplication::activePopupWidget()) {
                still->close();
            }
        });
        look.start(0);
        pressRight(at);
        return seen;
    }

    MenuSeen rightClick(QPoint at = QPoint(40, 30)) {
        return rightClick(at, [](QMenu*) {});
    }

    // Triggers `command` and returns the objectName of the modal dialog it opened (closed again
    // at once), or an empty text when none opened.
    static QString modalOpenedBy(QAction* command) {
        QString name;
        QObject guard;
        QTimer::singleShot(0, &guard, [&] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                name = dialog->objectName();
                dialog->reject();
            }
        });
        command->trigger();
        return name;
    }
};

TEST_F(TrayTest, TheLoadAddsTheIconAndTheWindowHasNoTaskbarButtonOfItsOwn) {
    writeIni("[Option]\r\nShowMenu=0\r\n[MainForm]\r\nAlwaysOnTop=1\r\n");
    CalendarWindow& w = start();
    ASSERT_NE(CurrentTrayIconWindow, nullptr);
    EXPECT_EQ(CurrentTrayIconWindow->objectName(), QStringLiteral("FRM_TTI"));
    EXPECT_FALSE(CurrentTrayIconWindow->isVisible()) << "the form is never shown";
    EXPECT_EQ(trayCalls(), QStringList({QStringLiteral("Add:Zelvar")}));
    EXPECT_TRUE(doubles.trayIcon.isShown());
    EXPECT_TRUE(tray().hasIcon());
    EXPECT_TRUE(doubles.messageBox.shown.empty());
    EXPECT_TRUE(doubles.windowStyles.taskbarCalls.empty());
    EXPECT_FALSE(doubles.windowStyles.hasTaskbarButton(&w));
    // The stored always-on-top state shows on both menus.
    EXPECT_TRUE(w.alwaysOnTopCommand->isChecked());
    EXPECT_TRUE(trayCommand("MNU_A_Top")->isChecked());
    EXPECT_EQ(tray().minimizeCommand->text(), Minimize);
}

TEST_F(TrayTest, WithoutTaskTrayThereIsNoIconAndTheWindowGetsATaskbarButton) {
    writeIni("[Option]\r\nShowMenu=0\r\nTaskTray=0\r\n");
    CalendarWindow& w = start();
    EXPECT_EQ(CurrentTrayIconWindow, nullptr);
    EXPECT_TRUE(doubles.trayIcon.calls.empty());
    EXPECT_TRUE(doubles.windowStyles.hasTaskbarButton(&w));
    w.showMinimized();
    settle();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.isMinimized()) << "minimized to the taskbar as usual";
}

TEST_F(TrayTest, ThePopupMenuHoldsTheCommandsInOrderAtTheMousePosition) {
    start();
    const MenuSeen seen = rightClick(QPoint(120, 90));
    ASSERT_TRUE(seen.opened);
    EXPECT_EQ(seen.position, QPoint(120, 90));
    EXPECT_EQ(seen.items,
              QStringList(
                  {QStringLiteral("MNU_Hide=最小化(&N)"), QStringLiteral("MNU_P_Pipe=-"),
                   QStringLiteral("MNU_ThisYM=今月(&T)"), QStringLiteral("MNU_P_Pipe2=-"),
                   QStringLiteral("MNU_Gengo=元号指定(&G)..."),
                   QStringLiteral("MNU_Calc_Days=日数計算(&C)..."), QStringLiteral("MNU_P_Pipe3=-"),
                   QStringLiteral("MNU_A_Top=常に手前に表示(&A)"), QStringLiteral("MNU_P_Pipe4=-"),
                   QStringLiteral("MNU_Option=オプション(&O)..."), QStringLiteral("MNU_P_Pipe5=-"),
                   QStringLiteral("MNU_Exit=終了(&X)")}));
    EXPECT_TRUE(trayCommand("MNU_A_Top")->isCheckable());
    EXPECT_EQ(tray().popupMenu->title(), QStringLiteral("Popup"));
    EXPECT_FALSE(tray().popupMenu->isVisible()) << "the call returns when the menu has closed";
}

// The icon's menu and the frameless window's popup menu show the window's own commands, in the
// same order, each behind its own first command.
TEST_F(TrayTest, TheIconsMenuAndTheWindowsPopupShowTheWindowsOwnCommands) {
    writeIni("[Option]\r\nShowMenu=0\r\n");
    CalendarWindow& w = start();
    ASSERT_NE(w.popupMenu, nullptr);
    const QList<QAction*> windowItems = w.popupMenu->actions();
    const QList<QAction*> trayItems = tray().popupMenu->actions();
    ASSERT_EQ(windowItems.size(), trayItems.size());
    EXPECT_EQ(windowItems.first(), w.minimizeCommand);
    EXPECT_EQ(trayItems.first(), tray().minimizeCommand);
    EXPECT_NE(w.minimizeCommand, tray().minimizeCommand);
    for (qsizetype i = 1; i < windowItems.size(); ++i) {
        if (windowItems[i]->isSeparator()) {
            EXPECT_TRUE(trayItems[i]->isSeparator()) << i;
        } else {
            EXPECT_EQ(windowItems[i], trayItems[i]) << windowItems[i]->objectName().toStdString();
        }
    }
    EXPECT_EQ(trayCommand("MNU_A_Top"), w.alwaysOnTopCommand);
    EXPECT_EQ(trayCommand("MNU_Exit"), w.exitCommand);
}

TEST_F(TrayTest, ATimedOutAddIsRetriedAndTheIconArrivesWithoutAMessage) {
    writeIni("[Option]\r\nShowMenu=0\r\n");
    doubles.trayIcon.answers[TrayRequest::Add] = {TrayAnswer::NotReadyYet, TrayAnswer::NotReadyYet,
                                                  TrayAnswer::Success};
    doubles.trayIcon.answers[TrayRequest::Modify] = {TrayAnswer::Failed, TrayAnswer::Failed};
    CalendarWindow& w = start();
    ASSERT_NE(CurrentTrayIconWindow, nullptr);
    EXPECT_TRUE(w.isVisible()) << "the load goes on while the icon waits";
    EXPECT_FALSE(tray().hasIcon());
    EXPECT_TRUE(tray().iconCall().isWaiting());
    EXPECT_EQ(tray().iconCall().retryTimer().interval(), 1000);

    // Until the icon is there the window minimizes to a taskbar button of its own.
    EXPECT_TRUE(doubles.windowStyles.hasTaskbarButton(&w));
    w.showMinimized();
    settle();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.isMinimized());

    tray().iconCall().retryNow();
    EXPECT_FALSE(tray().hasIcon());
    tray().iconCall().retryNow();
    EXPECT_EQ(trayCalls(),
              QStringList({QStringLiteral("Add:Zelvar"), QStringLiteral("Modify:Zelvar"),
                           QStringLiteral("Add:Zelvar"), QStringLiteral("Modify:Zelvar"),
                           QStringLiteral("Add:Zelvar")}));
    EXPECT_TRUE(tray().hasIcon());
    EXPECT_TRUE(doubles.messageBox.shown.empty());
    // The minimized window moves into the notification area and gives its button back.
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.isMinimized());
    EXPECT_EQ(tray().minimizeCommand->text(), Restore);
    EXPECT_FALSE(doubles.windowStyles.hasTaskbarButton(&w));

    pressLeft();
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.isMinimized());
    EXPECT_EQ(tray().minimizeCommand->text(), Minimize);
}

TEST_F(TrayTest, AFailureAfterATimeOutIsReportedAndTheWindowKeepsItsTaskbarButton) {
    writeIni("[Option]\r\nShowMenu=0\r\n");
    doubles.trayIcon.answers[TrayRequest::Add] = {TrayAnswer::NotReadyYet, TrayAnswer::Failed};
    doubles.trayIcon.answers[TrayRequest::Modify] = {TrayAnswer::Failed};
    CalendarWindow& w = start();
    QPointer<TrayIconWindow> form = CurrentTrayIconWindow;
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(doubles.messageBox.shown.empty());

    form->iconCall().retryNow();
    ASSERT_EQ(doubles.messageBox.shown.size(), 1U);
    const MessageRequest& box = doubles.messageBox.shown[0];
    EXPECT_EQ(box.text, QStringLiteral("通知領域にアイコンを登録出来ませんでした。"));
    EXPECT_EQ(box.caption, QStringLiteral("Zelvar"));
    EXPECT_EQ(box.icon, MessageIcon::Error);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_EQ(CurrentTrayIconWindow, nullptr);
    EXPECT_EQ(trayCalls().back(), QStringLiteral("Delete:")) << "destroying the form deletes";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form, nullptr);

    // The calendar stays open and can always be brought back from its taskbar button.
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(doubles.windowStyles.hasTaskbarButton(&w));
    w.showMinimized();
    settle();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.isMinimized());
}

TEST_F(TrayTest, AnAddRefusedAtOnceIsReportedDuringTheLoad) {
    writeIni("[Option]\r\nShowMenu=0\r\n");
    doubles.trayIcon.answers[TrayRequest::Add] = {TrayAnswer::Failed};
    CalendarWindow& w = start();
    EXPECT_EQ(CurrentTrayIconWindow, nullptr);
    ASSERT_EQ(doubles.messageBox.shown.size(), 1U);
    EXPECT_EQ(doubles.messageBox.shown[0].text,
              QStringLiteral("通知領域にアイコンを登録出来ませんでした。"));
    EXPECT_EQ(trayCalls(), QStringList({QStringLiteral("Add:Zelvar"), QStringLiteral("Delete:")}))
        << "no modify after another failure than the time-out";
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(doubles.windowStyles.hasTaskbarButton(&w));
}

TEST_F(TrayTest, MinimizingHidesIntoTheIconAndItsMenuRestoresTheWindow) {
    CalendarWindow& w = start();
    w.move(100, 50);
    w.showMinimized();
    settle();
    EXPECT_FALSE(w.isVisible()) << "no taskbar button, no window";
    EXPECT_FALSE(w.isMinimized()) << "back in the normal state while hidden";
    EXPECT_EQ(tray().minimizeCommand->text(), Restore);

    // The icon's menu can change the month while the window is hidden.
    showMonth(w, 2020, 2);
    trayCommand("MNU_ThisYM")->trigger();
    EXPECT_EQ(w.yearBox->text(), QStringLiteral("2024"));
    EXPECT_EQ(w.monthBox->text(), QStringLiteral("11"));

    tray().minimizeCommand->trigger();
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.isMinimized());
    EXPECT_EQ(w.pos(), QPoint(100, 50));
    EXPECT_EQ(tray().minimizeCommand->text(), Minimize);
    EXPECT_EQ(w.eraLabel->text(), QStringLiteral("令和 6年")) << "the month is shown again";

    // And the other way round: the menu hides a visible window.
    tray().minimizeCommand->trigger();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(tray().minimizeCommand->text(), Restore);
    pressLeft();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(tray().minimizeCommand->text(), Minimize);
}

TEST_F(TrayTest, Form5sOwnMinimizeCommandHidesIntoTheIcon) {
    writeIni("[Option]\r\nShowMenu=0\r\n");
    CalendarWindow& w = start();
    ASSERT_NE(w.minimizeCommand, nullptr);
    w.minimizeCommand->trigger();
    settle();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.isMinimized());
    EXPECT_EQ(tray().minimizeCommand->text(), Restore);
    EXPECT_EQ(w.minimizeCommand->text(), Minimize) << "the window's own command keeps its caption";
}

TEST_F(TrayTest, ALeftClickOnAVisibleWindowOnlyBringsItToTheFront) {
    CalendarWindow& w = start();
    auto* other = new QWidget();
    other->setAttribute(Qt::WA_DeleteOnClose);
    other->show();
    other->activateWindow();
    QCoreApplication::processEvents();
    pressLeft(QPoint(5, 5));
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(QApplication::activeWindow(), &w);
    EXPECT_EQ(tray().minimizeCommand->text(), Minimize);
    other->close();
    // Other mouse messages of the icon (moves, releases, double clicks) never reach the form.
}

TEST_F(TrayTest, TheHiddenWindowsMenuIsOpenedOverFrmDummyWhereThePlatformNeedsIt) {
    CalendarWindow& w = start();
    tray().minimizeCommand->trigger();
    ASSERT_FALSE(w.isVisible());

    tray().menuNeedsForegroundWindow = true;
    const MenuSeen withDummy = rightClick();
    EXPECT_TRUE(withDummy.opened);
    EXPECT_TRUE(withDummy.dummyVisible);
    EXPECT_EQ(withDummy.dummyPosition, QPoint(0, 0));
    EXPECT_LE(withDummy.dummySize.width(), 1);
    EXPECT_LE(withDummy.dummySize.height(), 1);
    EXPECT_EQ(topLevelNamed(QStringLiteral("frmDUMMY")), nullptr) << "no trace is left";
    EXPECT_FALSE(w.isVisible()) << "opening the menu does not show the window";

    tray().menuNeedsForegroundWindow = false;
    const MenuSeen without = rightClick();
    EXPECT_TRUE(without.opened);
    EXPECT_FALSE(without.dummyVisible);

    // A visible window is brought to the front instead.
    tray().menuNeedsForegroundWindow = true;
    tray().minimizeCommand->trigger();
    ASSERT_TRUE(w.isVisible());
    const MenuSeen visible = rightClick();
    EXPECT_TRUE(visible.opened);
    EXPECT_FALSE(visible.dummyVisible);
}

TEST_F(TrayTest, ACommandChosenInTheOpenMenuRuns) {
    CalendarWindow& w = start();
    showMonth(w, 1999, 7);
    const MenuSeen seen =
        rightClick(QPoint(40, 30), [](QMenu* menu) { QTest::keyClick(menu, Qt::Key_T); });
    EXPECT_TRUE(seen.opened);
    EXPECT_EQ(w.yearBox->text(), QStringLiteral("2024")) << "今月(&T) by its access key";
    EXPECT_EQ(w.monthBox->text(), QStringLiteral("11"));
}

TEST_F(TrayTest, TheDialogCommandsOpenTheCalendarsDialogs) {
    CalendarWindow& w = start();
    EXPECT_EQ(modalOpenedBy(trayCommand("MNU_Gengo")), QStringLiteral("Form2"));
    EXPECT_EQ(modalOpenedBy(trayCommand("MNU_Calc_Days")), QStringLiteral("Form3"));

    // Also while the calendar is hidden in the notification area.
    tray().minimizeCommand->trigger();
    ASSERT_FALSE(w.isVisible());
    EXPECT_EQ(modalOpenedBy(trayCommand("MNU_Calc_Days")), QStringLiteral("Form3"));
    EXPECT_FALSE(w.isVisible());
    EXPECT_NE(CurrentCalendar, nullptr);
}

TEST_F(TrayTest, AlwaysOnTopFromEitherMenuKeepsBothCheckMarksEqual) {
    CalendarWindow& w = start();
    ASSERT_FALSE(w.alwaysOnTopCommand->isChecked());
    ASSERT_FALSE(trayCommand("MNU_A_Top")->isChecked());
    const std::size_t calls = doubles.windowStyles.topmostCalls.size();

    trayCommand("MNU_A_Top")->trigger();
    EXPECT_TRUE(w.alwaysOnTopCommand->isChecked());
    EXPECT_TRUE(trayCommand("MNU_A_Top")->isChecked());
    EXPECT_TRUE(doubles.windowStyles.isTopmost(&w));

    w.alwaysOnTopCommand->trigger();
    EXPECT_FALSE(w.alwaysOnTopCommand->isChecked());
    EXPECT_FALSE(trayCommand("MNU_A_Top")->isChecked());
    EXPECT_FALSE(doubles.windowStyles.isTopmost(&w));

    trayCommand("MNU_A_Top")->trigger();
    trayCommand("MNU_A_Top")->trigger();
    EXPECT_FALSE(w.alwaysOnTopCommand->isChecked());
    EXPECT_FALSE(trayCommand("MNU_A_Top")->isChecked());
    EXPECT_EQ(doubles.windowStyles.topmostCalls.size(), calls + 4);
}

TEST_F(TrayTest, ExitFromTheIconSavesTheSettingsAndRemovesTheIcon) {
    CalendarWindow& w = start();
    w.move(100, 50);
    trayCommand("MNU_A_Top")->trigger();
    tray().minimizeCommand->trigger();
    ASSERT_FALSE(w.isVisible());
    // Hidden and still minimized, as on X11: the closing neither shows it nor loses its position.
    w.setWindowState(w.windowState() | Qt::WindowMinimized);
    QPointer<CalendarWindow> window = &w;
    QPointer<TrayIconWindow> form = CurrentTrayIconWindow;

    commandOf(*form, "MNU_Exit")->trigger();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(CurrentTrayIconWindow, nullptr);
    EXPECT_FALSE(doubles.trayIcon.isShown());
    EXPECT_EQ(trayCalls(), QStringList({QStringLiteral("Add:Zelvar"), QStringLiteral("Delete:")}));
    EXPECT_EQ(writtenKeys(),
              QStringList({QStringLiteral("MainForm/Left=1500"), QStringLiteral("MainForm/Top=750"),
                           QStringLiteral("MainForm/AlwaysOnTop=1")}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(form, nullptr);
    EXPECT_EQ(CurrentCalendar, nullptr);

    // A late click on the gone icon finds nothing to do.
    pressLeft();
    pressRight(QPoint());
    EXPECT_EQ(topLevelNamed(QStringLiteral("Form1")), nullptr);
}

TEST_F(TrayTest, ExitChosenInTheOpenMenuEndsTheMenuAndTheWindow) {
    CalendarWindow& w = start();
    QPointer<CalendarWindow> window = &w;
    const MenuSeen seen =
        rightClick(QPoint(40, 30), [](QMenu* menu) { QTest::keyClick(menu, Qt::Key_X); });
    EXPECT_TRUE(seen.opened);
    EXPECT_EQ(CurrentTrayIconWindow, nullptr);
    EXPECT_FALSE(doubles.trayIcon.isShown());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window, nullptr);
}

TEST_F(TrayTest, ClosingTheWindowWhileTheAddWaitsStopsTheRetry) {
    doubles.trayIcon.answers[TrayRequest::Add] = {TrayAnswer::NotReadyYet};
    doubles.trayIcon.answers[TrayRequest::Modify] = {TrayAnswer::Failed};
    start();
    QPointer<TrayIconWindow> form = CurrentTrayIconWindow;
    ASSERT_TRUE(form->iconCall().isWaiting());
    closeCalendar();
    EXPECT_EQ(form, nullptr);
    EXPECT_EQ(trayCalls(),
              QStringList({QStringLiteral("Add:Zelvar"), QStringLiteral("Modify:Zelvar"),
                           QStringLiteral("Delete:")}));
    EXPECT_TRUE(doubles.messageBox.shown.empty());
}

TEST_F(TrayTest, TheOptionsDialogsRecreationRemovesAndAddsTheIconAgain) {
    CalendarWindow& first = start();
    QPointer<TrayIconWindow> firstForm = CurrentTrayIconWindow;
    tray().minimizeCommand->trigger();
    trayCommand("MNU_Option")->trigger();
    auto* options = qobject_cast<QDialog*>(topLevelNamed(QStringLiteral("Form4")));
    ASSERT_NE(options, nullptr);
    EXPECT_TRUE(options->isVisible());
    EXPECT_FALSE(options->isModal());
    auto* confirm = options->findChild<QPushButton*>(QStringLiteral("Command1_0"));
    ASSERT_NE(confirm, nullptr);
    confirm->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    ASSERT_NE(CurrentCalendar, nullptr);
    EXPECT_NE(CurrentCalendar.data(), &first);
    EXPECT_EQ(firstForm, nullptr);
    ASSERT_NE(CurrentTrayIconWindow, nullptr);
    EXPECT_TRUE(tray().hasIcon());
    EXPECT_EQ(tray().minimizeCommand->text(), Minimize) << "the new window is visible";
    EXPECT_TRUE(CurrentCalendar->isVisible());
    EXPECT_EQ(trayCalls(), QStringList({QStringLiteral("Add:Zelvar"), QStringLiteral("Delete:"),
                                        QStringLiteral("Add:Zelvar")}));

    // Turning the icon off: the new window goes without it, with a taskbar button.
    trayCommand("MNU_Option")->trigger();
    options = qobject_cast<QDialog*>(topLevelNamed(QStringLiteral("Form4")));
    ASSERT_NE(options, nullptr);
    auto* taskTray = options->findChild<QCheckBox*>(QStringLiteral("Check2"));
    ASSERT_NE(taskTray, nullptr);
    ASSERT_TRUE(taskTray->isChecked());
    taskTray->setChecked(false);
    options->findChild<QPushButton*>(QStringLiteral("Command1_0"))->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_EQ(CurrentTrayIconWindow, nullptr);
    EXPECT_FALSE(doubles.trayIcon.isShown());
    EXPECT_EQ(trayCalls().size(), 4);
    EXPECT_EQ(trayCalls().back(), QStringLiteral("Delete:"));
    ASSERT_NE(CurrentCalendar, nullptr);
    EXPECT_TRUE(doubles.windowStyles.hasTaskbarButton(CurrentCalendar.data()));
    EXPECT_EQ(doubles.windowStyles.taskbarCalls.back().first, CurrentCalendar.data());
    EXPECT_EQ(doubles.windowStyles.taskbarCalls.back().second, -1);
}

TEST_F(TrayTest, TheProgramEndsWithItsLastCalendarWindowWithOrWithoutMenuAndIcon) {
    // Inside the event loop, as the program runs: the options dialog re-creates the window (the
    // program goes on), then "終了(&X)" of the window's own menu closes it (the program ends).
    for (const int showMenu : {0, 1}) {
        for (const int taskTray : {0, 1}) {
            const std::string combination =
                "ShowMenu=" + std::to_string(showMenu) + " TaskTray=" + std::to_string(taskTray);
            writeIni(QStringLiteral("[Option]\r\nShowMenu=%1\r\nTaskTray=%2\r\n")
                         .arg(showMenu)
                         .arg(taskTray)
                         .toLatin1());
            QPointer<CalendarWindow> first = &start();
            bool timedOut = false;
            bool recreated = false;
            bool exitChosen = false;
            QTimer watchdog;
            watchdog.setSingleShot(true);
            QObject::connect(&watchdog, &QTimer::timeout, [&] {
                timedOut = true;
                QCoreApplication::exit(1);
            });
            watchdog.start(20000);
            QTimer::singleShot(0, [&] {
                CurrentCalendar->optionsCommand->trigger();
                if (auto* options = topLevelNamed(QStringLiteral("Form4"))) {
                    options->findChild<QPushButton*>(QStringLiteral("Command1_0"))->click();
                }
                recreated = CurrentCalendar != nullptr && CurrentCalendar != first;
                QTimer::singleShot(0, [&] {
                    if (CurrentCalendar != nullptr) {
                        exitChosen = true;
                        CurrentCalendar->exitCommand->trigger();
                    }
                });
            });
            const int code = QCoreApplication::exec();
            watchdog.stop();
            EXPECT_TRUE(recreated) << combination;
            EXPECT_TRUE(exitChosen) << "the program ended with the re-creation: " << combination;
            EXPECT_FALSE(timedOut) << "the program did not end: " << combination;
            EXPECT_EQ(code, 0) << combination;
            EXPECT_EQ(CurrentTrayIconWindow, nullptr) << combination;
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (CurrentCalendar != nullptr) {
                closeCalendar();
            }
        }
    }
}
