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

Form2::Form2(CalendarAccess& calendar, QWidget* parent) : QDialog(parent), calendar_(calendar) {
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

void Form2::createControls() {
    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFixedSize(TwipsToPixels(PanelWidth), TwipsToPixels(PanelHeight));

    Combo1 = new QComboBox(Picture1);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setGeometry(pixels(ComboDesign));
    Combo1->setFont(DesignFont(PGothic, 9, true));

    const std::array<QRect, 2> boxes{YearBoxDesign, EraYearBoxDesign};
    const std::array<QRect, 2> bars{YearBarDesign, EraYearBarDesign};
    const std::array<int, 2> maxima{LastYear, LastEraYear};
    const std::array<int, 2> lengths{4, 2};
    // Before the pairs are joined: the year bar starts below every year, so that the
    // calendar's year is always a change; the era year box and bar start at 1 together.
    const std::array<QString, 2> texts{QString(), QStringLiteral("1")};
    const std::array<int, 2> starts{0, 1};
    for (int k : {YearElement, EraYearElement}) {
        auto* box = new QLineEdit(texts[k], Picture1);
        box->setObjectName(QStringLiteral("Text1_%1").arg(k));
        box->setGeometry(pixels(boxes[k]));
        box->setFont(DesignFont(Gothic, 9.75, true));
        box->setMaxLength(lengths[k]);
        auto* bar = new QScrollBar(Qt::Vertical, Picture1);
        bar->setObjectName(QStringLiteral("VScroll1_%1").arg(k));
        bar->setGeometry(pixels(bars[k]));
        bar->setRange(0, maxima[k]);
        bar->setValue(starts[k]);
        bar->setFocusPolicy(Qt::NoFocus);
        auto* pair = new SpinPair(box, bar);
        // The box never holds less than 1 although the bar goes down to 0.
        pair->setBoxRange(1, maxima[k]);
        connect(pair, &SpinPair::valueChanged, this, [this, k] { spinChanged(k); });
        Text1[k] = box;
        VScroll1[k] = bar;
        spins_[k] = pair;
    }

    Command1 = new QPushButton(QStringLiteral("決定(&G)"), Picture1);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(pixels(ButtonDesign));
    Command1->setFont(DesignFont(PGothic, 9, false));
    Command1->setAutoDefault(false);
    connect(Command1, &QPushButton::clicked, this, &Form2::confirm);

    connect(Combo1, &QComboBox::currentIndexChanged, this, &Form2::eraListChanged);

    setTabOrder(Combo1, Text1[EraYearElement]);
    setTabOrder(Text1[EraYearElement], Text1[YearElement]);
    setTabOrder(Text1[YearElement], Command1);

    // Key preview: the dialog sees the keys of every control first.
    for (QWidget* control : std::initializer_list<QWidget*>{Combo1, Text1[0], Text1[1], VScroll1[0],
                                                            VScroll1[1], Command1}) {
        control->installEventFilter(this);
    }
}

void Form2::placeWindow() {
    const QRect owner = calendar_.frameTwips();
    const QSize frame = calendar_.measureFrame(FixedDialog, 0);
    // Over the calendar window with its width; the height is the dialog's own.
    const int outerHeight = PanelTop * 2 + PanelHeight + frame.height();
    setFixedSize(TwipsToPixels(owner.width() - frame.width()),
                 TwipsToPixels(outerHeight - frame.height()));
    move(TwipsToPixels(owner.left()), TwipsToPixels(owner.top()));
    // Centred across: (dialog width − panel width − frame width) / 2, toward zero.
    const int left = (owner.width() - PanelWidth - frame.width()) / 2;
    Picture1->move(TwipsToPixels(left), TwipsToPixels(PanelTop));
}

void Form2::fillEraList() {
    // Record i (1..N) stands at position N − i; the blank entry, for no era, at position N.
    syncing_ = true;
    for (int i = EraDefCount; i >= 1; --i) {
        Combo1->addItem(QString::fromStdString(EraDefs[static_cast<std::size_t>(i - 1)].Name));
    }
    syncing_ = false;
    Combo1->addItem(QString());
}

int Form2::year() const {
    return spins_[YearElement]->value();
}

int Form2::eraYear() const {
    return spins_[EraYearElement]->value();
}

void Form2::SetEraFromYear(int year) {
    // The era in force on 31 December of the year: a year in which an era began shows it.
    St_Era(MakeDateText(year, 12, 31));
    syncing_ = true;
    if (!EraName.empty()) {
        for (int i = EraDefCount; i >= 1; --i) {
            if (EraDefs[static_cast<std::size_t>(i - 1)].Name == EraName) {
                Combo1->setCurrentIndex(EraDefCount - i);
                break;
            }
        }
        const int eraYear = std::stoi(EraYearText.substr(0, EraYearText.size() - 4));
        spins_[EraYearElement]->setValue(std::min(eraYear, LastEraYear));
    } else {
        Combo1->setCurrentIndex(EraDefCount);
        // The box rules turn this 0 into 1 at once.
        spins_[EraYearElement]->setValue(0);
    }
    syncing_ = false;
}

void Form2::SetYearFromEra(const QString& eraName, int eraYear) {
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

void Form2::eraListChanged() {
    if (!syncing_) {
        SetYearFromEra(Combo1->currentText(), spins_[EraYearElement]->value());
    }
}

void Form2::spinChanged(int element) {
    // The values as they stand now: a nested change may have moved them on since this change.
    if (element == YearElement) {
        SetEraFromYear(spins_[YearElement]->value());
    } else {
        SetYearFromEra(Combo1->currentText(), spins_[EraYearElement]->value());
    }
}

void Form2::confirm() {
    calendar_.setYearValue(spins_[YearElement]->value());
    accept();
}

bool Form2::eventFilter(QObject* watched, QEvent* event) {
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

void Form2::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        confirm();
        return;
    }
    QDialog::keyPressEvent(event); // Escape rejects
}
