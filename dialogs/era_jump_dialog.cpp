#include "dialogs/era_jump_dialog.h"

#include "date/definitions.h"
#include "date/eras.h"
#include "date/serial.h"
#include "dialogs/accessibility.h"
#include "dialogs/calendar_access.h"
#include "platform/design_fonts.h"
#include "widgets/lenient_number.h"
#include "widgets/spin_pair.h"
#include "widgets/twips.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <string>

namespace {

constexpr int YearElement = 0;
constexpr int EraYearElement = 1;
constexpr int LastYear = 9999;
constexpr int LastEraYear = 99;

// Design of the inner panel and its controls, in twips.
constexpr int PanelWidth = 2415;
constexpr int PanelHeight = 930;
constexpr int PanelTop = 120;
constexpr QRect ComboDesign{0, 45, 1215, 300};
constexpr QRect EraYearBoxDesign{1290, 45, 375, 285};
constexpr QRect EraYearBarDesign{1665, 0, 255, 390};
constexpr QRect YearBoxDesign{675, 540, 615, 285};
constexpr QRect YearBarDesign{1290, 495, 255, 390};
constexpr QRect ButtonDesign{1605, 495, 810, 390};

constexpr int FixedDialog = 3; // border style of the dialog

QRect pixels(const QRect& twips) {
    return TwipsRect(twips.left(), twips.top(), twips.width(), twips.height());
}

// The year of an era's start date text "yyyymmdd": the number its first four characters begin
// with (0 when they do not).
int startYear(const EraDef& era) {
    return LeadingWholeNumber(QString::fromStdString(era.StartDate.substr(0, 4)));
}

} // namespace

EraJumpDialog::EraJumpDialog(CalendarAccess& calendar, QWidget* parent)
    : QDialog(parent), calendar_(calendar) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("元号指定"));
    setWindowIcon(QApplication::windowIcon());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    createControls();
    placeWindow();
    fillEraList();
    // The year from the calendar; its change handling fills the year box, the era and the era
    // year.
    spins_[YearElement]->setValue(calendar_.yearValue());
    NameForScreenReaders(*this);
}

void EraJumpDialog::createControls() {
    panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Picture1"));
    panel->setFixedSize(TwipsToPixels(PanelWidth), TwipsToPixels(PanelHeight));

    eraList = new QComboBox(panel);
    eraList->setObjectName(QStringLiteral("Combo1"));
    eraList->setGeometry(pixels(ComboDesign));
    eraList->setFont(DesignFont(PGothic, 9, true));

    const std::array<QRect, 2> boxes{YearBoxDesign, EraYearBoxDesign};
    const std::array<QRect, 2> bars{YearBarDesign, EraYearBarDesign};
    const std::array<int, 2> maxima{LastYear, LastEraYear};
    const std::array<int, 2> lengths{4, 2};
    // Before the pairs are joined: the year bar starts below every year, so that the
    // calendar's year is always a change; the era year box and bar start at 1 together.
    const std::array<QString, 2> texts{QString(), QStringLiteral("1")};
    const std::array<int, 2> starts{0, 1};
    for (int k : {YearElement, EraYearElement}) {
        auto* box = new QLineEdit(texts[k], panel);
        box->setObjectName(QStringLiteral("Text1_%1").arg(k));
        box->setGeometry(pixels(boxes[k]));
        box->setFont(DesignFont(Gothic, 9.75, true));
        box->setMaxLength(lengths[k]);
        auto* bar = new QScrollBar(Qt::Vertical, panel);
        bar->setObjectName(QStringLiteral("VScroll1_%1").arg(k));
        bar->setGeometry(pixels(bars[k]));
        bar->setRange(0, maxima[k]);
        bar->setValue(starts[k]);
        bar->setFocusPolicy(Qt::NoFocus);
        auto* pair = new SpinPair(box, bar);
        // The box never holds less than 1 although the bar goes down to 0.
        pair->setBoxRange(1, maxima[k]);
        connect(pair, &SpinPair::valueChanged, this, [this, k] { spinChanged(k); });
        yearBoxes[k] = box;
        yearScrollBars[k] = bar;
        spins_[k] = pair;
    }

    confirmButton = new QPushButton(QStringLiteral("決定(&G)"), panel);
    confirmButton->setObjectName(QStringLiteral("Command1"));
    confirmButton->setGeometry(pixels(ButtonDesign));
    confirmButton->setFont(DesignFont(PGothic, 9, false));
    confirmButton->setAutoDefault(false);
    connect(confirmButton, &QPushButton::clicked, this, &EraJumpDialog::confirm);

    connect(eraList, &QComboBox::currentIndexChanged, this, &EraJumpDialog::eraListChanged);

    setTabOrder(eraList, yearBoxes[EraYearElement]);
    setTabOrder(yearBoxes[EraYearElement], yearBoxes[YearElement]);
    setTabOrder(yearBoxes[YearElement], confirmButton);

    // Key preview: the dialog sees the keys of every control first.
    for (QWidget* control :
         std::initializer_list<QWidget*>{eraList, yearBoxes[0], yearBoxes[1], yearScrollBars[0],
                                         yearScrollBars[1], confirmButton}) {
        control->installEventFilter(this);
    }
}

void EraJumpDialog::placeWindow() {
    const QRect owner = calendar_.frameTwips();
    const QSize frame = calendar_.measureFrame(FixedDialog, 0);
    // Over the calendar window with its width; the height is the dialog's own.
    const int outerHeight = PanelTop * 2 + PanelHeight + frame.height();
    setFixedSize(TwipsToPixels(owner.width() - frame.width()),
                 TwipsToPixels(outerHeight - frame.height()));
    move(TwipsToPixels(owner.left()), TwipsToPixels(owner.top()));
    // Centred across: (dialog width − panel width − frame width) / 2, toward zero.
    const int left = (owner.width() - PanelWidth - frame.width()) / 2;
    panel->move(TwipsToPixels(left), TwipsToPixels(PanelTop));
}

void EraJumpDialog::fillEraList() {
    // Record i (1..N) stands at position N − i; the blank entry, for no era, at position N.
    syncing_ = true;
    for (int i = EraDefCount; i >= 1; --i) {
        eraList->addItem(QString::fromStdString(EraDefs[static_cast<std::size_t>(i - 1)].Name));
    }
    syncing_ = false;
    eraList->addItem(QString());
}

int EraJumpDialog::year() const {
    return spins_[YearElement]->value();
}

int EraJumpDialog::eraYear() const {
    return spins_[EraYearElement]->value();
}

void EraJumpDialog::SetEraFromYear(int year) {
    // The era in force on 31 December of the year: a year in which an era began shows it.
    St_Era(MakeDateText(year, 12, 31));
    syncing_ = true;
    if (!EraName.empty()) {
        for (int i = EraDefCount; i >= 1; --i) {
            if (EraDefs[static_cast<std::size_t>(i - 1)].Name == EraName) {
                eraList->setCurrentIndex(EraDefCount - i);
                break;
            }
        }
        const int eraYear = std::stoi(EraYearText.substr(0, EraYearText.size() - 4));
        spins_[EraYearElement]->setValue(std::min(eraYear, LastEraYear));
    } else {
        eraList->setCurrentIndex(EraDefCount);
        // The box rules turn this 0 into 1 at once.
        spins_[EraYearElement]->setValue(0);
    }
    syncing_ = false;
}

void EraJumpDialog::SetYearFromEra(const QString& eraName, int eraYear) {
    if (eraName.isEmpty()) {
        return;
    }
    const std::string name = eraName.toStdString();
    for (int i = EraDefCount; i >= 1; --i) {
        const EraDef& era = EraDefs[static_cast<std::size_t>(i - 1)];
        if (era.Name == name) {
            // Era year 1 is the calendar year in which the era began. An era beginning after
            // 9901 can name a year past the last one; it stops there.
            const int year = std::clamp(startYear(era) + eraYear - 1, 0, LastYear);
            spins_[YearElement]->setValue(year);
            return;
        }
    }
}

void EraJumpDialog::eraListChanged() {
    if (!syncing_) {
        SetYearFromEra(eraList->currentText(), spins_[EraYearElement]->value());
    }
}

void EraJumpDialog::spinChanged(int element) {
    // The values as they stand now: a nested change may have moved them on since this change.
    if (element == YearElement) {
        SetEraFromYear(spins_[YearElement]->value());
    } else {
        SetYearFromEra(eraList->currentText(), spins_[EraYearElement]->value());
    }
}

void EraJumpDialog::confirm() {
    calendar_.setYearValue(spins_[YearElement]->value());
    accept();
}

bool EraJumpDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            reject();
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            confirm();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void EraJumpDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        confirm();
        return;
    }
    QDialog::keyPressEvent(event); // Escape rejects
}
