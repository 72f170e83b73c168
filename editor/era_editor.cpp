#include "editor/era_editor.h"

#include "date/definitions.h"
#include "editor/accessibility.h"
#include "editor/editor_messages.h"
#include "editor/era_rows.h"
#include "editor/name_rules.h"
#include "platform/services.h"
#include "widgets/spin_pair.h"

#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

constexpr int kEraNameLength = 8; // UTF-16 code units
constexpr int kMaxEras = 32767;   // the table's count is 16-bit

struct NumericBox {
    int barMinimum;
    int boxMinimum; // the lowest number the box keeps
    int maximum;
    int length; // characters
};

// Year, month, day. The year's bar reaches 0, but its box turns 0 into 1 at once.
constexpr std::array<NumericBox, 3> kBoxes = {{
    {0, 1, 9999, 4},
    {1, 1, 12, 2},
    {1, 1, 31, 2},
}};
enum Box { YearBox = 0, MonthBox = 1, DayBox = 2 };

} // namespace

EraEditorWindow::EraEditorWindow(QWidget* parent) : DefinitionEditorWindow(parent) {
    setObjectName(QStringLiteral("EraEditorWindow"));
    setWindowTitle(QStringLiteral("元号の設定"));
    setFont(QFont(QStringLiteral("MS UI Gothic"), 9));
    buildControls();
    NameForScreenReaders(*this);

    for (std::size_t i = 0; i < static_cast<std::size_t>(EraDefCount) && i < EraDefs.size(); ++i) {
        addRow(EraRowFromDef(EraDefs[i]));
    }
    // Scrolled to the newest era, with no row selected.
    if (List1->count() > 0) {
        List1->setCurrentRow(List1->count() - 1);
        List1->scrollToItem(List1->item(List1->count() - 1));
    }
    clearSelection();
    for (std::size_t i = 0; i < kBoxes.size(); ++i) {
        spins_[i]->setRange(kBoxes[i].barMinimum, kBoxes[i].maximum);
        spins_[i]->setBoxRange(kBoxes[i].boxMinimum, kBoxes[i].maximum);
    }
    setMode(Mode::None);
}

void EraEditorWindow::buildControls() {
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setFont(QFont(QStringLiteral("ＭＳ ゴシック"), 9));
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setMinimumSize(260, 240);
    List1->viewport()->installEventFilter(this);

    const std::array<QString, 3> commands = {QStringLiteral("新規(&N)"), QStringLiteral("変更(&R)"),
                                             QStringLiteral("削除(&D)")};
    auto* commandRow = new QHBoxLayout;
    for (std::size_t i = 0; i < Command1.size(); ++i) {
        Command1[i] = new QPushButton(commands[i], this);
        Command1[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        commandRow->addWidget(Command1[i]);
    }
    connect(Command1[0], &QPushButton::clicked, this, &EraEditorWindow::startNew);
    connect(Command1[1], &QPushButton::clicked, this,
            [this] { startChangeOrDelete(Mode::Change); });
    connect(Command1[2], &QPushButton::clicked, this,
            [this] { startChangeOrDelete(Mode::Delete); });

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::StyledPanel);
    QSizePolicy keepSpace = Frame1->sizePolicy();
    keepSpace.setRetainSizeWhenHidden(true);
    Frame1->setSizePolicy(keepSpace);

    auto* dateRow = new QHBoxLayout;
    dateRow->setSpacing(0);
    for (std::size_t i = 0; i < Text1.size(); ++i) {
        Text1[i] = new QLineEdit(Frame1);
        Text1[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
        VScroll1[i] = new QScrollBar(Qt::Vertical, Frame1);
        VScroll1[i]->setObjectName(QStringLiteral("VScroll1_%1").arg(i));
        spins_[i] = new SpinPair(Text1[i], VScroll1[i]);
        spins_[i]->setMaxLength(kBoxes[i].length);
        spins_[i]->setBarPassesFocus(true);
        Text1[i]->setFixedWidth(14 + 8 * kBoxes[i].length);
        VScroll1[i]->setFixedSize(14, Text1[i]->sizeHint().height());
        dateRow->addWidget(Text1[i]);
        dateRow->addWidget(VScroll1[i]);
        dateRow->addSpacing(8);
    }
    dateRow->addStretch(1);
    Text2 = new QLineEdit(Frame1);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setMaxLength(kEraNameLength);
    const std::array<QString, 2> confirmations = {QStringLiteral("決定(&O)"),
                                                  QStringLiteral("取消(&C)")};
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(Text2, 1);
    for (std::size_t i = 0; i < Command2.size(); ++i) {
        Command2[i] = new QPushButton(confirmations[i], Frame1);
        Command2[i]->setObjectName(QStringLiteral("Command2_%1").arg(i));
        nameRow->addWidget(Command2[i]);
    }
    connect(Command2[0], &QPushButton::clicked, this, &EraEditorWindow::confirm);
    connect(Command2[1], &QPushButton::clicked, this, &EraEditorWindow::closePanel);
    auto* panel = new QVBoxLayout(Frame1);
    panel->addLayout(dateRow);
    panel->addLayout(nameRow);

    const std::array<QString, 2> finals = {QStringLiteral("更新"), QStringLiteral("キャンセル")};
    auto* finalRow = new QHBoxLayout;
    finalRow->addStretch(1);
    for (std::size_t i = 0; i < Command3.size(); ++i) {
        Command3[i] = new QPushButton(finals[i], this);
        Command3[i]->setObjectName(QStringLiteral("Command3_%1").arg(i));
        finalRow->addWidget(Command3[i]);
    }
    connect(Command3[0], &QPushButton::clicked, this, &EraEditorWindow::update);
    connect(Command3[1], &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(List1, 1);
    layout->addLayout(commandRow);
    layout->addWidget(Frame1);
    layout->addLayout(finalRow);

    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

QStringList EraEditorWindow::rows() const {
    QStringList texts;
    texts.reserve(List1->count());
    for (int i = 0; i < List1->count(); ++i) {
        texts.append(List1->item(i)->text());
    }
    return texts;
}

int EraEditorWindow::addRow(const QString& row) {
    const int at = EraInsertPosition(rows(), row);
    List1->insertItem(at, row);
    return at;
}

void EraEditorWindow::setInputsEnabled(bool on) {
    for (std::size_t i = 0; i < Text1.size(); ++i) {
        Text1[i]->setEnabled(on);
        VScroll1[i]->setEnabled(on);
    }
    Text2->setEnabled(on);
}

void EraEditorWindow::setSpinValue(int box, int value) {
    const auto i = static_cast<std::size_t>(box);
    spins_[i]->setValue(value);
    // A bar that already holds the value reports nothing; the box must show it all the same.
    if (Text1[i]->text() != QString::number(value)) {
        Text1[i]->setText(QString::number(value));
    }
}

void EraEditorWindow::startNew() {
    const QDate today = Today();
    setSpinValue(YearBox, today.year());
    setSpinValue(MonthBox, today.month());
    setSpinValue(DayBox, today.day());
    Text2->clear();
    setInputsEnabled(true);
    setMode(Mode::New);
    Text1[YearBox]->setFocus();
}

void EraEditorWindow::startChangeOrDelete(Mode mode) {
    const int row = selectedRow();
    if (row < 0) {
        ShowErrorMessage(QStringLiteral("リストから項目を選択してください。"));
        List1->setFocus();
        return;
    }
    const EraRowFields fields = ParseEraRow(List1->item(row)->text());
    // Through the boxes, so that their rules apply (a year 0 from the file shows as 1).
    Text1[YearBox]->setText(QString::number(fields.year));
    Text1[MonthBox]->setText(QString::number(fields.month));
    Text1[DayBox]->setText(QString::number(fields.day));
    Text2->setText(fields.name);
    setInputsEnabled(mode == Mode::Change);
    setMode(mode);
    if (mode == Mode::Change && fields.name.size() > kEraNameLength) {
        // A name from the file longer than the name box holds: say so before it can be saved cut.
        ShowErrorMessage(
            QStringLiteral("この元号の名前は%1文字を超えているため、先頭の%1文字だけを"
                           "表示しました。決定すると、表示されている名前で保存されます。")
                .arg(kEraNameLength));
    }
    if (mode == Mode::Delete) {
        Command2[0]->setFocus();
    } else {
        Text1[YearBox]->setFocus();
    }
}

void EraEditorWindow::confirm() {
    const Mode current = mode();
    if (current == Mode::None) {
        return;
    }
    const QString name = TrimSpaces(Text2->text());
    const int year = spins_[YearBox]->value();
    const int month = spins_[MonthBox]->value();
    const int day = spins_[DayBox]->value();
    if (current != Mode::Delete) {
        if (name.isEmpty()) {
            ShowErrorMessage(QStringLiteral("元号が入力されていません。"));
            Text2->setFocus();
            return;
        }
        if (const QString problem = NameProblem(name); !problem.isEmpty()) {
            ShowErrorMessage(problem);
            Text2->setFocus();
            return;
        }
        // Every row takes part, in mode change the row being changed too.
        if (HasEraDate(rows(), EraDatePart(year, month, day))) {
            ShowErrorMessage(QStringLiteral("同じ年月日のものが既に登録されています。"));
            Text1[YearBox]->setFocus();
            return;
        }
        if (current == Mode::New && List1->count() >= kMaxEras) {
            ShowErrorMessage(QStringLiteral("これ以上、元号を登録することはできません。"));
            return;
        }
    }
    if (current != Mode::New) {
        // The panel acts on the row selected now; without one nothing changes.
        const int row = selectedRow();
        if (row < 0) {
            ShowErrorMessage(QStringLiteral("リストから項目を選択してください。"));
            List1->setFocus();
            return;
        }
        if (!AskConfirmation(current == Mode::Change ? EraChangeQuestion() : EraDeleteQuestion())) {
            return;
        }
        delete List1->takeItem(row);
    }
    if (current != Mode::Delete) {
        const QString row = EraRowText(year, month, day, name);
        addRow(row);
        const QStringList texts = rows();
        List1->setCurrentRow(static_cast<int>(texts.indexOf(row)));
        List1->scrollToItem(List1->currentItem());
    } else {
        clearSelection();
    }
    closePanel();
}

void EraEditorWindow::update() {
    if (!AskConfirmation(UpdateQuestion())) {
        return;
    }
    const QStringList texts = rows();
    EraDefs.resize(static_cast<std::size_t>(texts.size()));
    EraDefCount = static_cast<std::int16_t>(texts.size());
    for (qsizetype r = 0; r < texts.size(); ++r) {
        EraDefs[static_cast<std::size_t>(r)] = EraDefFromRow(texts[r]);
    }
    if (const int error = WriteEraDefinitions(); error != 0) {
        // The old file is still whole; the window stays open with the list for another try.
        ShowWriteFailure(error);
        return;
    }
    accept();
}
