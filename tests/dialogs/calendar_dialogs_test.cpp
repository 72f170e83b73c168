// The dialogs opened from the real calendar window: the options re-create it, the era jump sets
// its year.

#include "calendar/calendar_settings.h"
#include "calendar/calendar_window.h"
#include "calendar/dialog_access.h"
#include "calendar/start_calendar.h"
#include "dialogs/era_jump_dialog.h"
#include "dialogs/options_dialog.h"
#include "tests/support/platform_doubles.h"
#include "tests/support/qt_printers.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class CalendarDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        CalendarOptions() = CalendarSettings{};
        doubles.clock.time = QDateTime(QDate(2024, 11, 15), QTime(9, 30));
        for (const char* name : {"Korin1.csv", "Korin2.csv"}) {
            ASSERT_TRUE(QFile::copy(QStringLiteral(ZELVAR_SOURCE_DIR "/data/") + name,
                                    doubles.file(QString::fromLatin1(name))));
        }
    }

    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (qobject_cast<OptionsDialog*>(w) != nullptr) {
                w->close();
            }
        }
        if (CurrentCalendar != nullptr) {
            CurrentCalendar->close();
        }
        settle();
    }

    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    static OptionsDialog* openOptions() {
        CurrentCalendar->optionsCommand->trigger();
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* form = qobject_cast<OptionsDialog*>(w);
                form != nullptr && form->isVisible()) {
                return form;
            }
        }
        return nullptr;
    }

    static void click(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));
    }

    [[nodiscard]] QByteArray settingsFile() const {
        QFile file(doubles.file(QStringLiteral("Zelvar.ini")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    PlatformDoubles doubles;
};

TEST_F(CalendarDialogs, OptionsReplaceTheWindowWithTitleAndMenuAndBringItBack) {
    StartCalendar();
    ASSERT_NE(CurrentCalendar, nullptr);
    ASSERT_EQ(CurrentCalendar->objectName(), "Form1");
    for (QAction* command :
         {CurrentCalendar->eraJumpCommand, CurrentCalendar->daysCalculatorCommand,
          CurrentCalendar->optionsCommand}) {
        EXPECT_TRUE(command->isEnabled()) << command->objectName().toStdString();
    }

    OptionsDialog* options = openOptions();
    ASSERT_NE(options, nullptr);
    click(options->titleAndMenuBox);
    options->sizeBoxes[0]->selectAll();
    QTest::keyClicks(options->sizeBoxes[0], QStringLiteral("200"));
    QPointer<CalendarWindow> old = CurrentCalendar.data();
    QPointer<OptionsDialog> confirmed = options;
    click(options->confirmButtons[0]);
    settle();
    EXPECT_TRUE(old.isNull());
    EXPECT_TRUE(confirmed.isNull());
    ASSERT_NE(CurrentCalendar, nullptr);
    EXPECT_EQ(CurrentCalendar->objectName(), "Form5");
    EXPECT_TRUE(CurrentCalendar->isVisible());
    EXPECT_EQ(CurrentCalendar->windowWidth, 200 * 15);
    EXPECT_TRUE(settingsFile().contains("ShowMenu=0"));
    EXPECT_TRUE(settingsFile().contains("MainWidth=200"));

    options = openOptions();
    ASSERT_NE(options, nullptr);
    EXPECT_FALSE(options->titleAndMenuBox->isChecked());
    EXPECT_FALSE(options->trayIconBox->isEnabled());
    EXPECT_EQ(options->sizeBoxes[0]->text(), "200");
    click(options->titleAndMenuBox);
    click(options->confirmButtons[0]);
    settle();
    ASSERT_NE(CurrentCalendar, nullptr);
    EXPECT_EQ(CurrentCalendar->objectName(), "Form1");
    EXPECT_TRUE(settingsFile().contains("ShowMenu=1"));
    EXPECT_EQ(CalendarOptions().lastRead.ShowMenu, 1);
}

TEST_F(CalendarDialogs, OptionsConfirmedAfterTheCalendarClosedAreSavedAndShown) {
    StartCalendar();
    ASSERT_NE(CurrentCalendar, nullptr);
    OptionsDialog* options = openOptions();
    ASSERT_NE(options, nullptr);
    // The dialog keeps the program running after the calendar's own "終了(&X)".
    CurrentCalendar->exitCommand->trigger();
    settle();
    ASSERT_EQ(CurrentCalendar, nullptr);
    ASSERT_TRUE(options->isVisible());

    click(options->lookButtons[0]);
    click(options->clockBox);
    click(options->confirmButtons[0]);
    settle();
    ASSERT_NE(CurrentCalendar, nullptr);
    EXPECT_TRUE(settingsFile().contains("Appearance=0")) << settingsFile().toStdString();
    EXPECT_TRUE(settingsFile().contains("ShowClock=1")) << settingsFile().toStdString();
    EXPECT_EQ(CalendarOptions().current.Appearance, 0);
    EXPECT_EQ(CalendarOptions().current.ShowClock, 1);
    EXPECT_FALSE(CurrentCalendar->clockStrip->isHidden()) << "the clock is shown";
    EXPECT_TRUE(CurrentCalendar->clockShadowLine->isHidden()) << "the flat look has no shadow line";
    EXPECT_TRUE(doubles.messageBox.shown.empty());
}

TEST_F(CalendarDialogs, EraJumpOpensOverTheCalendarAndSetsItsYear) {
    StartCalendar();
    CalendarWindow& calendar = *CurrentCalendar;
    calendar.move(120, 80);
    EraJumpDialog dialog(CalendarForDialogs(), &calendar);
    EXPECT_EQ(dialog.pos(), calendar.pos());
    EXPECT_EQ(dialog.width(), calendar.width());
    EXPECT_EQ(dialog.yearBoxes[0]->text(), "2024");
    EXPECT_EQ(dialog.eraList->currentText(), "令和");
    EXPECT_EQ(dialog.yearBoxes[1]->text(), "6");

    dialog.yearBoxes[0]->selectAll();
    QTest::keyClicks(dialog.yearBoxes[0], QStringLiteral("1989"));
    QTest::keyClick(dialog.yearBoxes[0], Qt::Key_Return);
    EXPECT_EQ(calendar.yearScrollBar->value(), 1989);
    EXPECT_EQ(calendar.yearBox->text(), "1989");
    EXPECT_EQ(calendar.monthBox->text(), "11");
    EXPECT_EQ(calendar.eraLabel->text(), "平成元年");
}

} // namespace
