#include "editor/holiday_list_window.h"

#include "date/definitions.h"
#include "editor/accessibility.h"
#include "editor/enter_presses_button.h"
#include "editor/holiday_listing.h"
#include "editor/listing_box.h"
#include "editor/window_placement.h"
#include "platform/services.h"
#include "widgets/lenient_number.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

HolidayListWindow::HolidayListWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("HolidayListWindow"));
    setWindowTitle(QStringLiteral("祝日の一覧"));

    menuBar_ = new QMenuBar(this);
    returnCommand = menuBar_->addAction(QStringLiteral("戻る(&R)"));
    returnCommand->setObjectName(QStringLiteral("MNU_Return"));
    connect(returnCommand, &QAction::triggered, this, &QDialog::close);
    editMenu = menuBar_->addMenu(QStringLiteral("編集(&E)"));
    editMenu->setObjectName(QStringLiteral("MNU_Edit"));
    selectAllCommand = editMenu->addAction(QStringLiteral("すべて選択(&A)"));
    selectAllCommand->setObjectName(QStringLiteral("MNU_Edit_All"));
    selectAllCommand->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    selectAllCommand->setShortcutContext(Qt::WindowShortcut);
    addAction(selectAllCommand); // the shortcut works while the menu is closed
    connect(selectAllCommand, &QAction::triggered, this, &HolidayListWindow::selectAll);

    rangeLabels[0] = new QLabel(QStringLiteral("期間"), this);
    rangeLabels[1] = new QLabel(QStringLiteral("～"), this);
    for (std::size_t i = 0; i < yearBoxes.size(); ++i) {
        rangeLabels[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        yearBoxes[i] = new QLineEdit(this);
        yearBoxes[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
        yearBoxes[i]->setMaxLength(4);
        yearBoxes[i]->setFixedWidth(56);
        // The menu's Ctrl+A comes before the boxes' own select-all.
        yearBoxes[i]->installEventFilter(this);
    }
    outputButton = new QPushButton(QStringLiteral("出力(&G)"), this);
    outputButton->setObjectName(QStringLiteral("Command1"));
    outputButton->setAutoDefault(false);
    connect(outputButton, &QPushButton::clicked, this, &HolidayListWindow::output);

    listing = new ListingBox(this);
    listing->setObjectName(QStringLiteral("Text2"));
    listing->setLineWrapMode(QPlainTextEdit::NoWrap);
    listing->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    listing->installEventFilter(this);

    auto* period = new QHBoxLayout;
    period->addWidget(rangeLabels[0]);
    period->addWidget(yearBoxes[0]);
    period->addWidget(rangeLabels[1]);
    period->addWidget(yearBoxes[1]);
    period->addSpacing(12);
    period->addWidget(outputButton);
    period->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar_);
    layout->addLayout(period);
    layout->addWidget(listing, 1);
    resize(480, 420);

    St_LoadDefinitions();
    yearBoxes[0]->setText(QStringLiteral("1948"));
    yearBoxes[1]->setText(QString::number(Today().year()));
    EnterPressesFocusedButton(this);
    NameForScreenReaders(*this);
}

void HolidayListWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!centred_) {
        centred_ = true;
        CentreOnScreen(this);
    }
}

bool HolidayListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_A)) {
            // Left unaccepted, the key goes to the window's shortcut, "すべて選択".
            event->ignore();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

int HolidayListWindow::yearOf(const QLineEdit* box) {
    const int year = LeadingWholeNumber(box->text());
    return year >= 1 && year <= 9999 ? year : 0;
}

void HolidayListWindow::output() {
    if (yearBoxes[0]->text().isEmpty()) {
        yearBoxes[0]->setFocus();
        return;
    }
    // A period that ends before it starts becomes the first year alone.
    if (LeadingNumber(yearBoxes[1]->text()) < LeadingNumber(yearBoxes[0]->text())) {
        yearBoxes[1]->setText(yearBoxes[0]->text());
    }
    // A box whose text is no year of 1..9999 refuses the request, with the focus on that box.
    for (QLineEdit* box : yearBoxes) {
        if (yearOf(box) == 0) {
            box->setFocus();
            box->selectAll();
            return;
        }
    }
    outputButton->setEnabled(false);
    // The whole listing is built first and set in one go: the box lays it out once.
    listing->setPlainText(
        QString::fromStdString(HolidayListing(yearOf(yearBoxes[0]), yearOf(yearBoxes[1]))));
    outputButton->setEnabled(true);
}

void HolidayListWindow::selectAll() {
    listing->selectAll();
    listing->setFocus();
}
