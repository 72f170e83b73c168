#pragma once

// A calendar in a fake program folder: the platform doubles, the definition files copied from
// fixtures/, a settings file of the test's choosing and a clock standing at 15 November 2024.

#include "calendar/calendar_settings.h"
#include "calendar/calendar_window.h"
#include "calendar/start_calendar.h"
#include "tests/support/platform_doubles.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <gtest/gtest.h>

class CalendarTest : public ::testing::Test {
protected:
    void SetUp() override {
        CalendarOptions() = CalendarSettings{};
        doubles.clock.time = QDateTime(QDate(2024, 11, 15), QTime(9, 30, 0));
        useDefinitions("holidays_modern.csv", "eras_heisei_reiwa.csv");
    }

    void TearDown() override {
        if (CurrentCalendar != nullptr) {
            CurrentCalendar->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void useDefinitions(const char* holidays, const char* eras) {
        for (const auto& [fixture, name] :
             {std::pair{holidays, "Korin1.csv"}, {eras, "Korin2.csv"}}) {
            const QString target = doubles.file(QString::fromLatin1(name));
            QFile::remove(target);
            ASSERT_TRUE(QFile::copy(
                QStringLiteral(ZELVAR_TEST_FIXTURES "/") + QString::fromLatin1(fixture), target));
        }
    }

    [[nodiscard]] QString iniPath() const { return doubles.file(QStringLiteral("Zelvar.ini")); }

    // Writes the settings file (code page 932 is not needed for ASCII text).
    void writeIni(const QByteArray& text) {
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    [[nodiscard]] QByteArray readIni() const {
        QFile file(iniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    CalendarWindow& start() {
        StartCalendar();
        if (CurrentCalendar == nullptr) {
            throw std::runtime_error("no calendar window was opened");
        }
        return *CurrentCalendar;
    }

    // Closes the window as the user does, running its closing sequence.
    void closeCalendar() {
        ASSERT_NE(CurrentCalendar, nullptr);
        CurrentCalendar->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Shows a month by the scroll bars, as other code does.
    static void showMonth(CalendarWindow& w, int year, int month) {
        w.yearScrollBar->setValue(year);
        w.monthScrollBar->setValue(month);
    }

    // The keys written to the settings file so far.
    [[nodiscard]] QStringList writtenKeys() const {
        QStringList keys;
        for (const FakeIniFiles::Write& write : doubles.iniFiles.writes) {
            keys << write.section + QLatin1Char('/') + write.key + QLatin1Char('=') + write.value;
        }
        return keys;
    }

    PlatformDoubles doubles;
};
