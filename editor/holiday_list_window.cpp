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
    MNU_Return = menuBar_->addAction(QStringLiteral("戻る(&R)"));
    MNU_Return->setObjectName(QStringLiteral("MNU_Return"));
    connect(MNU_Return, &QAction::triggered, this, &QDialog::close);
    MNU_Edit = menuBar_->addMenu(QStringLiteral("編集(&E)"));
    MNU_Edit->setObjectName(QStringLiteral("MNU_Edit"));
    MNU_Edit_All = MNU_Edit->addAction(QStringLiteral("すべて選択(&A)"));
    MNU_Edit_All->setObjectName(QStringLiteral("MNU_Edit_All"));
    MNU_Edit_All->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    MNU_Edit_All->setShortcutContext(Qt::WindowShortcut);
    addAction(MNU_Edit_All); // the shortcut works while the menu is closed
    connect(MNU_Edit_All, &QAction::triggered, this, &HolidayListWindow::selectAll);

    Label1[0] = new QLabel(QStringLiteral("期間"), this);
    Label1[1] = new QLabel(QStringLiteral("～"), this);
    for (std::size_t i = 0; i < Text1.size(); ++i) {
        Label1[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        Text1[i] = new QLineEdit(this);
        Text1[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
        Text1[i]->setMaxLength(4);
        Text1[i]->setFixedWidth(56);
        // The menu's Ctrl+A comes before the boxes' own select-all.
        Text1[i]->installEventFilter(this);
    }
    Command1 = new QPushButton(QStringLiteral("出力(&G)"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAutoDefault(false);
    connect(Command1, &QPushButton::clicked, this, &HolidayListWindow::output);

    Text2 = new ListingBox(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text2->installEventFilter(this);

    auto* period = new QHBoxLayout;
    period->addWidget(Label1[0]);
    period->addWidget(Text1[0]);
    period->addWidget(Label1[1]);
    period->addWidget(Text1[1]);
    period->addSpacing(12);
    period->addWidget(Command1);
    period->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar_);
    layout->addLayout(period);
    layout->addWidget(Text2, 1);
    resize(480, 420);

    St_LoadDefinitions();
    Text1[0]->setText(QStringLiteral("1948"));
    Text1[1]->setText(QString::number(Today().year()));
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
    if (Text1[0]->text().isEmpty()) {
        Text1[0]->setFocus();
        return;
    }
    // A period that ends before it starts becomes the first year alone.
    if (LeadingNumber(Text1[1]->text()) < LeadingNumber(Text1[0]->text())) {
        Text1[1]->setText(Text1[0]->text());
    }
    // A box whose text is no year of 1..9999 refuses the request, with the focus on that box.
    for (QLineEdit* box : Text1) {
        if (yearOf(box) == 0) {
            box->setFocus();
            box->selectAll();
            return;
        }
    }
    Command1->setEnabled(false);
    // The whole listing is built first and set in one go: the box lays it out once.
    Text2->setPlainText(QString::fromStdString(HolidayListing(yearOf(Text1[0]), yearOf(Text1[1]))));
    Command1->setEnabled(true);
}

void HolidayListWindow::selectAll() {
    Text2->selectAll();
    Text2->setFocus();
}
