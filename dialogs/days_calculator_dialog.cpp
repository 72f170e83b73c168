#include "dialogs/days_calculator_dialog.h"

#include "dialogs/accessibility.h"
#include "dialogs/calendar_access.h"
#include "platform/design_fonts.h"
#include "platform/services.h"
#include "widgets/fitted_entry.h"
#include "widgets/fitted_label.h"
#include "widgets/numeric_entry.h"
#include "widgets/twips.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace {

// Design of the inner panel, in twips.
constexpr int PanelWidth = 2415;
constexpr int PanelHeight = 2655;
constexpr int PanelMargin = 120; // above and below the panel in the designed window

struct FieldDesign {
    const char* text; // design-time placeholder
    int maxLength;
    int left, top, width, height;
};

// fields elements 0..8. The three day counts (6, 7, 8) reach seven digits (3652059 days from the
// first day of the year 1 to the last of 9999): they take the free room beside them, and a text
// that is wider still is drawn smaller (KeepTextWhole).
constexpr FieldDesign Fields[9] = {
    {"9999", 4, 840, 0, 615, 270},      {"99", 2, 1560, 0, 375, 270},
    {"99", 2, 2040, 0, 375, 270},       {"9999", 4, 840, 1560, 615, 270},
    {"99", 2, 1560, 1560, 375, 270},    {"99", 2, 2040, 1560, 375, 270},
    {"999999", 8, 1575, 480, 840, 270}, {"999999", 8, 1575, 2040, 840, 270},
    {"99999999", 8, 60, 720, 900, 270},
};
constexpr std::size_t FirstDayCount = 6;

struct LabelDesign {
    const char* text;
    int left, top, width, height;
};

constexpr LabelDesign EraLabels[2] = {{"元号99", 0, 60, 825, 375}, {"元号99", 0, 1620, 825, 375}};
constexpr LabelDesign ResultLabels[5] = {
    {"9999年", 960, 435, 615, 255}, {"99ヶ月", 960, 675, 615, 255},
    {"99日間", 960, 915, 615, 255}, {"999999週間", 960, 1170, 975, 240},
    {"99日", 1935, 1170, 480, 240},
};
constexpr LabelDesign Buttons[3] = {
    {"日後", 1815, 720, 585, 255}, {"日前", 1815, 2280, 585, 255}, {"日間", 135, 960, 585, 255}};

// Border style of the window: a fixed dialog frame; its menu bar is visible.
constexpr int FixedDialog = 3;
constexpr int VisibleMenu = 2;

} // namespace

DaysCalculatorDialog::DaysCalculatorDialog(const CalendarAccess& calendar, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("日数計算"));
    setWindowIcon(QApplication::windowIcon());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    createControls();
    placeWindow(calendar);

    CalculatorTexts opening;
    SetOpeningDates(opening, calendar.yearText(), calendar.monthText(), Today());
    showTexts(opening);
    centrePanel();
    NameForScreenReaders(*this);
}

void DaysCalculatorDialog::createControls() {
    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    returnCommand = menuBar->addAction(QStringLiteral("戻る(&R)"));
    returnCommand->setObjectName(QStringLiteral("MNU_Return"));
    connect(returnCommand, &QAction::triggered, this, &QDialog::reject);

    panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Picture1"));
    panel->setFixedSize(TwipsToPixels(PanelWidth), TwipsToPixels(PanelHeight));

    for (std::size_t i = 0; i < eraLabels.size(); ++i) {
        const LabelDesign& d = EraLabels[i];
        QLabel* label = new FittedLabel(QString::fromUtf8(d.text), panel);
        label->setObjectName(QStringLiteral("Label1_%1").arg(i));
        label->setGeometry(TwipsRect(d.left, d.top, d.width, d.height));
        label->setAlignment(Qt::AlignCenter);
        label->setFont(DesignFont(PGothic, 9, true));
        eraLabels[i] = label;
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const FieldDesign& d = Fields[i];
        auto* field = new QLineEdit(QString::fromUtf8(d.text), panel);
        field->setObjectName(QStringLiteral("Text1_%1").arg(i));
        field->setGeometry(TwipsRect(d.left, d.top, d.width, d.height));
        field->setMaxLength(d.maxLength);
        field->setFont(DesignFont(PGothic, 9, true));
        field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // Digits only, whole text selected on focus; the arrows are handled below.
        new NumericEntry(field);
        field->installEventFilter(this);
        fields[i] = field;
    }
    // The inclusive count sits on the button-face background.
    fields[8]->setStyleSheet(QStringLiteral("QLineEdit { background: palette(button); }"));
    for (std::size_t i = FirstDayCount; i < fields.size(); ++i) {
        KeepTextWhole(fields[i]);
    }
    for (std::size_t i = 0; i < resultLabels.size(); ++i) {
        const LabelDesign& d = ResultLabels[i];
        // Results reach 9998年 and 521722週間: drawn smaller where wider than the label.
        QLabel* label = new FittedLabel(QString::fromUtf8(d.text), panel);
        label->setObjectName(QStringLiteral("Label2_%1").arg(i));
        label->setGeometry(TwipsRect(d.left, d.top, d.width, d.height));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setFont(DesignFont(PGothic, 9, false));
        resultLabels[i] = label;
    }
    for (std::size_t i = 0; i < calculateButtons.size(); ++i) {
        const LabelDesign& d = Buttons[i];
        auto* button = new QPushButton(QString::fromUtf8(d.text), panel);
        button->setObjectName(QStringLiteral("Command1_%1").arg(i));
        button->setGeometry(TwipsRect(d.left, d.top, d.width, d.height));
        button->setFont(DesignFont(PGothic, 9, false));
        connect(button, &QPushButton::clicked, this, [this, i] { calculate(static_cast<int>(i)); });
        calculateButtons[i] = button;
    }

    // First date, days after, "日後", second date, days before, "日前", "日間", count.
    const QList<QWidget*> order{
        fields[0], fields[1], fields[2], fields[6],           calculateButtons[0], fields[3],
        fields[4], fields[5], fields[7], calculateButtons[1], calculateButtons[2], fields[8]};
    for (qsizetype i = 0; i + 1 < order.size(); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
}

void DaysCalculatorDialog::placeWindow(const CalendarAccess& calendar) {
    // The window system's frame (borders and title bar) lies outside the Qt window; the menu bar
    // lies inside it.
    const QSize outerFrame = calendar.measureFrame(FixedDialog, 0);
    const QSize frame = calendar.measureFrame(FixedDialog, VisibleMenu);
    const int menuHeight = TwipsToPixels(frame.height() - outerFrame.height());
    const QRect owner = calendar.frameTwips();
    designHeightTwips_ = PanelHeight + 2 * PanelMargin + frame.height();
    // The calendar's height when it is greater than the design's; never smaller.
    const int height = std::max(owner.height(), designHeightTwips_);
    const int clientWidth = TwipsToPixels(owner.width() - frame.width());
    setFixedSize(clientWidth, TwipsToPixels(height - outerFrame.height()));
    menuBar->setGeometry(0, 0, clientWidth, menuHeight);
    move(TwipsToPixels(owner.left()), TwipsToPixels(owner.top()));
}

void DaysCalculatorDialog::centrePanel() {
    // The window's outer size in twips is its client area plus the frame; the panel is centred
    // in the client area below the menu bar.
    const int menuHeight = menuBar->height();
    const int clientWidth = width();
    const int clientHeight = height() - menuHeight;
    panel->move((clientWidth - panel->width()) / 2,
                menuHeight + (clientHeight - panel->height()) / 2);
}

CalculatorTexts DaysCalculatorDialog::texts() const {
    CalculatorTexts t;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        t.fields[i] = fields[i]->text();
    }
    for (std::size_t i = 0; i < eraLabels.size(); ++i) {
        t.eraLabels[i] = eraLabels[i]->text();
    }
    for (std::size_t i = 0; i < resultLabels.size(); ++i) {
        t.results[i] = resultLabels[i]->text();
    }
    return t;
}

void DaysCalculatorDialog::showTexts(const CalculatorTexts& t) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i]->text() != t.fields[i]) {
            fields[i]->setText(t.fields[i]);
        }
    }
    for (std::size_t i = 0; i < eraLabels.size(); ++i) {
        eraLabels[i]->setText(t.eraLabels[i]);
    }
    for (std::size_t i = 0; i < resultLabels.size(); ++i) {
        resultLabels[i]->setText(t.results[i]);
    }
}

void DaysCalculatorDialog::calculate(int element) {
    centrePanel();
    CalculatorTexts t = texts();
    const CalculationOutcome outcome = RunCalculation(t, static_cast<CalculatorButton>(element));
    if (outcome.dayCountCorrected) {
        ShowErrorMessage(QStringLiteral("日数が大き過ぎます。"));
    }
    showTexts(t);
}

int DaysCalculatorDialog::fieldIndex(const QObject* object) const {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i] == object) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void DaysCalculatorDialog::moveFocusOn(int element) {
    // year → month → day; the first date's day → days after, the second's → days before; the
    // numbers → their buttons.
    QWidget* next = nullptr;
    switch (element) {
    case 0:
    case 1:
    case 3:
    case 4:
        next = fields[static_cast<std::size_t>(element) + 1];
        break;
    case 2:
        next = fields[6];
        break;
    case 5:
        next = fields[7];
        break;
    case 6:
        next = calculateButtons[0];
        break;
    case 7:
        next = calculateButtons[1];
        break;
    case 8:
        next = calculateButtons[2];
        break;
    default:
        return;
    }
    next->setFocus(Qt::TabFocusReason);
}

bool DaysCalculatorDialog::fieldKeyPress(int element, QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        reject();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        moveFocusOn(element);
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down: {
        CalculatorTexts t = texts();
        if (!StepDateField(t, element, event->key() == Qt::Key_Down)) {
            return false; // the fields 6 to 8 keep their own handling
        }
        showTexts(t);
        fields[static_cast<std::size_t>(element)]->setCursorPosition(0);
        return true;
    }
    default:
        return false;
    }
}

bool DaysCalculatorDialog::eventFilter(QObject* watched, QEvent* event) {
    const int element = fieldIndex(watched);
    if (element < 0) {
        return QDialog::eventFilter(watched, event);
    }
    if (event->type() == QEvent::KeyPress) {
        return fieldKeyPress(element, static_cast<QKeyEvent*>(event));
    }
    if (event->type() == QEvent::FocusOut && element <= 5) {
        CalculatorTexts t = texts();
        CorrectDateFields(t, element);
        showTexts(t);
    }
    return QDialog::eventFilter(watched, event);
}

void DaysCalculatorDialog::keyPressEvent(QKeyEvent* event) {
    // Escape closes the window from anywhere; Enter never presses a button by default.
    if (event->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
