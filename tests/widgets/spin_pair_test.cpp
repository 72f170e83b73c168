#include "tests/support/qt_printers.h"
#include "widgets/spin_pair.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// A window with one box and its scroll bar, the pair attached, shown and focused on the box.
struct SpinWindow {
    QWidget window;
    QLineEdit* box = new QLineEdit(&window);
    QScrollBar* bar = new QScrollBar(Qt::Vertical, &window);
    QLineEdit* other = new QLineEdit(&window);
    SpinPair* pair = new SpinPair(box, bar);

    SpinWindow(int barMin, int barMax, int maxLength) {
        bar->setGeometry(60, 0, 17, 26);
        other->setGeometry(100, 0, 40, 20);
        pair->setRange(barMin, barMax);
        pair->setMaxLength(maxLength);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        box->setFocus();
    }
    // Selects the whole text, as getting the focus does, and types `keys`.
    void typeOver(const char* keys) {
        box->selectAll();
        QTest::keyClicks(box, keys);
    }
    std::vector<int> values(const QSignalSpy& spy) const {
        std::vector<int> out;
        for (const QList<QVariant>& args : spy) {
            out.push_back(args.at(0).toInt());
        }
        return out;
    }
};

// Turns the mouse wheel over `bar` by `angle` eighths of a degree (120 = one notch away from the
// hand), as the window system delivers it.
void turnWheel(QScrollBar* bar, int angle, bool inverted = false) {
    const QPointF inside(bar->width() / 2.0, bar->height() / 2.0);
    QWheelEvent wheel(inside, bar->mapToGlobal(inside), QPoint(), QPoint(0, angle), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, inverted);
    QApplication::sendEvent(bar, &wheel);
}

} // namespace

TEST(SpinPair, TypingIsClampedToTheBoxRangeAndTheBarFollows) {
    SpinWindow year(0, 9999, 4);
    year.pair->setBoxRange(1, 9999);
    year.pair->setValue(2024);
    EXPECT_EQ(year.box->text(), "2024");
    QSignalSpy spy(year.pair, &SpinPair::valueChanged);
    year.typeOver("2025");
    EXPECT_EQ(year.values(spy), (std::vector<int>{2, 20, 202, 2025}));
    EXPECT_EQ(year.box->text(), "2025");

    // Deleting every digit gives the minimum at once.
    year.box->selectAll();
    QTest::keyClick(year.box, Qt::Key_Backspace);
    EXPECT_EQ(year.box->text(), "1");
    EXPECT_EQ(year.pair->value(), 1);
    year.typeOver("0");
    EXPECT_EQ(year.box->text(), "1");

    SpinWindow month(0, 13, 2);
    month.pair->setBoxRange(1, 12);
    month.pair->setValue(5);
    month.typeOver("13");
    EXPECT_EQ(month.box->text(), "12");
    EXPECT_EQ(month.pair->value(), 12);
    // The bar may go beyond the box's range; the box shows its own limit.
    month.bar->setValue(13);
    EXPECT_EQ(month.box->text(), "12");
    EXPECT_EQ(month.bar->value(), 12);
    month.bar->setValue(0);
    EXPECT_EQ(month.box->text(), "1");
    EXPECT_EQ(month.bar->value(), 1);

    month.pair->setBoxRange(5, 3); // backwards: settles on 5 instead of bouncing
    month.typeOver("9");
    EXPECT_EQ(month.box->text(), "5");
}

TEST(SpinPair, OnlyDigitsCanBeTypedButControlKeysStillWork) {
    SpinWindow box(0, 9999, 4);
    box.pair->setBoxRange(1, 9999);
    box.pair->setValue(123);
    box.box->end(false);
    QTest::keyClicks(box.box, "a -.");
    QTest::sendKeyEvent(QTest::Click, box.box, Qt::Key_unknown, QStringLiteral("５"),
                        Qt::NoModifier);
    EXPECT_EQ(box.box->text(), "123");
    QTest::keyClick(box.box, Qt::Key_Backspace);
    EXPECT_EQ(box.box->text(), "12");
    QTest::keyClick(box.box, Qt::Key_Left);
    QTest::keyClick(box.box, Qt::Key_Delete);
    EXPECT_EQ(box.box->text(), "1");
    EXPECT_EQ(box.pair->value(), 1);
    // Escape goes on to the window (a dialog closes on it).
    QTest::keyClick(box.box, Qt::Key_Escape);
    EXPECT_EQ(box.box->text(), "1");
}

TEST(SpinPair, UpLowersAndDownRaisesWithinTheRangeAndTheCaretGoesToTheStart) {
    SpinWindow box(0, 99, 2);
    box.pair->setBoxRange(1, 99);
    box.pair->setValue(2);
    QSignalSpy spy(box.pair, &SpinPair::valueChanged);
    box.box->end(false);
    QTest::keyClick(box.box, Qt::Key_Up);
    EXPECT_EQ(box.box->text(), "1");
    EXPECT_EQ(box.box->cursorPosition(), 0);
    box.box->end(false);
    QTest::keyClick(box.box, Qt::Key_Up); // at the minimum: nothing changes, the caret moves
    EXPECT_EQ(box.box->text(), "1");
    EXPECT_EQ(box.box->cursorPosition(), 0);
    box.pair->setValue(98);
    QTest::keyClick(box.box, Qt::Key_Down);
    EXPECT_EQ(box.box->text(), "99");
    QTest::keyClick(box.box, Qt::Key_Down);
    EXPECT_EQ(box.box->text(), "99");
    EXPECT_EQ(box.values(spy), (std::vector<int>{1, 98, 99}));

    // A window's own arrow rules replace the default ones.
    std::vector<int> steps;
    box.pair->setArrowHandler([&steps](int step) { steps.push_back(step); });
    box.box->end(false);
    QTest::keyClick(box.box, Qt::Key_Down);
    QTest::keyClick(box.box, Qt::Key_Up);
    EXPECT_EQ(steps, (std::vector<int>{1, -1}));
    EXPECT_EQ(box.box->text(), "99");
    EXPECT_EQ(box.box->cursorPosition(), 0);
}

TEST(SpinPair, TheBarReportsOnlyRealChanges) {
    SpinWindow box(0, 9999, 4);
    box.pair->setBoxRange(1, 9999);
    box.pair->setValue(5);
    QSignalSpy spy(box.pair, &SpinPair::valueChanged);
    QSignalSpy barSpy(box.bar, &QScrollBar::valueChanged);
    box.pair->setValue(5);
    box.bar->setValue(5);
    box.box->setText("5");
    box.box->setText("05"); // same number: the bar does not move
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(barSpy.count(), 0);
    EXPECT_EQ(box.box->text(), "05");

    // The bar's arrows step the value and the box follows, once per step.
    box.bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(box.box->text(), "6");
    box.bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    box.bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(box.box->text(), "4");
    EXPECT_EQ(box.values(spy), (std::vector<int>{6, 5, 4}));

    // Without mirroring the window copies the value itself.
    box.pair->setMirrorsBar(false);
    box.bar->setValue(9);
    EXPECT_EQ(box.box->text(), "4");
    EXPECT_EQ(box.values(spy).back(), 9);
}

TEST(SpinPair, OneNotchOfTheWheelOverTheBarIsOneStepLikeAnArrow) {
    SpinWindow month(0, 13, 2);
    month.pair->setBoxRange(1, 12);
    month.pair->setValue(6);
    QSignalSpy spy(month.pair, &SpinPair::valueChanged);
    turnWheel(month.bar, -120); // towards the hand: the lower arrow
    EXPECT_EQ(month.box->text(), "7");
    turnWheel(month.bar, 120);
    turnWheel(month.bar, 120);
    EXPECT_EQ(month.box->text(), "5");
    EXPECT_EQ(month.values(spy), (std::vector<int>{7, 6, 5}));

    // A fine wheel steps once a whole notch has turned; turning back drops the part.
    turnWheel(month.bar, -40);
    turnWheel(month.bar, -40);
    EXPECT_EQ(month.box->text(), "5");
    turnWheel(month.bar, -40);
    EXPECT_EQ(month.box->text(), "6");
    turnWheel(month.bar, -80);
    turnWheel(month.bar, 80);
    EXPECT_EQ(month.box->text(), "6");
    turnWheel(month.bar, 40);
    EXPECT_EQ(month.box->text(), "5");
    // Two notches at once are two steps; a desktop that inverts scrolling does not invert them.
    turnWheel(month.bar, -240);
    EXPECT_EQ(month.box->text(), "7");
    turnWheel(month.bar, 120, true);
    EXPECT_EQ(month.box->text(), "8");

    // Near the end of the bar a notch still takes one step, and at the end none.
    SpinWindow day(1, 31, 2);
    day.pair->setValue(30);
    QSignalSpy daySpy(day.pair, &SpinPair::valueChanged);
    turnWheel(day.bar, -120);
    turnWheel(day.bar, -120);
    EXPECT_EQ(day.values(daySpy), (std::vector<int>{31}));
}

TEST(SpinPair, PastedTextIsRepairedToItsLeadingNumberWithinRange) {
    SpinWindow month(0, 13, 2);
    month.pair->setBoxRange(1, 12);
    month.pair->setValue(5);
    auto paste = [&month](const QString& text) {
        QApplication::clipboard()->setText(text);
        month.box->selectAll();
        month.box->paste();
        return month.box->text();
    };
    EXPECT_EQ(paste("7x"), "7");
    EXPECT_EQ(month.pair->value(), 7);
    EXPECT_EQ(paste("ab"), "1");
    EXPECT_EQ(paste("-3"), "1");
    EXPECT_EQ(paste(" 9"), "9");
    EXPECT_EQ(paste("99"), "12");
    EXPECT_EQ(paste("3."), "3");
    EXPECT_EQ(month.pair->value(), 3);

    SpinWindow year(0, 9999, 4);
    year.pair->setBoxRange(1, 9999);
    QApplication::clipboard()->setText("20251231");
    year.box->selectAll();
    year.box->paste();
    EXPECT_EQ(year.box->text(), "2025"); // the box holds at most 4 characters
}

TEST(SpinPair, ABoxThatAcceptsAnyTextKeepsItUntilTheBarReallyMoves) {
    SpinWindow from(0, 9999, 4);
    from.pair->setDigitsOnly(false);
    from.pair->setBarPassesFocus(true);
    from.pair->setValue(1990);
    from.typeOver(" ");
    EXPECT_EQ(from.box->text(), "0"); // blank: the minimum
    from.pair->setValue(2);
    from.box->setText("2.5"); // rounds to 2, which the bar holds: the text stays
    EXPECT_EQ(from.pair->value(), 2);
    EXPECT_EQ(from.box->text(), "2.5");
    QTest::keyClick(from.box, Qt::Key_Up); // Up works on the text's own number
    EXPECT_EQ(from.box->text(), "1.5");
    EXPECT_EQ(from.pair->value(), 2);
    from.box->setText("3.5"); // rounds to 4: the bar moves and the box shows it
    EXPECT_EQ(from.pair->value(), 4);
    EXPECT_EQ(from.box->text(), "4");
    from.box->setText("12ab");
    EXPECT_EQ(from.pair->value(), 12);
    EXPECT_EQ(from.box->text(), "12");
    from.box->setText("12ab");
    EXPECT_EQ(from.box->text(), "12ab");

    // The scroll bar hands the focus on to its box.
    from.bar->setFocusPolicy(Qt::StrongFocus);
    from.other->setFocus();
    from.bar->setFocus();
    EXPECT_TRUE(from.box->hasFocus());
}

TEST(SpinPair, GettingTheFocusSelectsTheWholeText) {
    SpinWindow box(0, 9999, 4);
    box.pair->setValue(2024);
    box.other->setFocus();
    box.box->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(box.box->selectedText(), "2024");
    QTest::keyClicks(box.box, "7");
    EXPECT_EQ(box.box->text(), "7");
}
