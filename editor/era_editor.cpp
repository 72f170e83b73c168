#include "editor/era_editor.h"

#include "date/definitions.h"
#include "editor/accessibility.h"
#include "editor/definition_save.h"
#include "editor/editor_messages.h"
#include "editor/enter_presses_button.h"
#include "editor/era_rows.h"
#include "editor/name_rules.h"
#include "platform/design_fonts.h"
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

constexpr int EraNameLength = 8; // UTF-16 code units
constexpr int MaxEras = 32767;   // the table's count is 16-bit

struct NumericBox {
    int barMinimum;
    int boxMinimum; // the lowest number the box keeps
    int maximum;
    int length; // characters
};

// Year, month, day. The year's bar reaches 0, but its box turns 0 into 1 at once.
constexpr std::array<NumericBox, 3> Boxes = {{
    {0, 1, 9999, 4},
    {1, 1, 12, 2},
    {1, 1, 31, 2},
}};
enum Box { YearBox = 0, MonthBox = 1, DayBox = 2 };

} // namespace

EraEditorWindow::EraEditorWindow(QWidget* parent) : DefinitionEditorWindow(parent) {
    setObjectName(QStringLiteral("EraEditorWindow"));
    setWindowTitle(QStringLiteral("元号の設定"));
    setFont(QFont(UiGothic, 9));
    buildControls();
    NameForScreenReaders(*this);

    QListWidgetItem* previous = nullptr;
    for (std::size_t i = 0; i < static_cast<std::size_t>(EraDefCount) && i < EraDefs.size(); ++i) {
        addLoadedRow(EraDefs[i], previous);
    }
    // Scrolled to the newest era, with no row selected.
    if (definitionList->count() > 0) {
        definitionList->setCurrentRow(definitionList->count() - 1);
        definitionList->scrollToItem(definitionList->item(definitionList->count() - 1));
    }
    clearSelection();
    for (std::size_t i = 0; i < Boxes.size(); ++i) {
        spins_[i]->setRange(Boxes[i].barMinimum, Boxes[i].maximum);
        spins_[i]->setBoxRange(Boxes[i].boxMinimum, Boxes[i].maximum);
    }
    setMode(Mode::None);
    EnterPressesFocusedButton(this);
    loadedStamp_ = LoadedDefinitionStamp(DefinitionFile::Eras);
}

void EraEditorWindow::buildControls() {
    buildSkeleton({260, 240});

    auto* dateRow = new QHBoxLayout;
    dateRow->setSpacing(0);
    for (std::size_t i = 0; i < dateBoxes.size(); ++i) {
        spins_[i] = makeSpin(dateBoxes[i], dateScrollBars[i], i, Boxes[i].length);
        dateBoxes[i]->setFixedWidth(14 + 8 * Boxes[i].length);
        dateScrollBars[i]->setFixedSize(14, dateBoxes[i]->sizeHint().height());
        dateRow->addWidget(dateBoxes[i]);
        dateRow->addWidget(dateScrollBars[i]);
        dateRow->addSpacing(8);
    }
    dateRow->addStretch(1);
    nameBox = new QLineEdit(editPanel);
    nameBox->setObjectName(QStringLiteral("Text2"));
    nameBox->setMaxLength(EraNameLength);
    const std::array<QString, 2> confirmations = {QStringLiteral("決定(&O)"),
                                                  QStringLiteral("取消(&C)")};
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(nameBox, 1);
    for (std::size_t i = 0; i < panelButtons.size(); ++i) {
        panelButtons[i] = new QPushButton(confirmations[i], editPanel);
        panelButtons[i]->setObjectName(QStringLiteral("Command2_%1").arg(i));
        nameRow->addWidget(panelButtons[i]);
    }
    connect(panelButtons[0], &QPushButton::clicked, this, &EraEditorWindow::confirm);
    connect(panelButtons[1], &QPushButton::clicked, this, &EraEditorWindow::closePanel);
    auto* panel = new QVBoxLayout(editPanel);
    panel->addLayout(dateRow);
    panel->addLayout(nameRow);

    finishSkeleton();
}

QStringList EraEditorWindow::rows() const {
    QStringList texts;
    texts.reserve(definitionList->count());
    for (int i = 0; i < definitionList->count(); ++i) {
        texts.append(definitionList->item(i)->text());
    }
    return texts;
}

void EraEditorWindow::addLoadedRow(const EraDef& era, QListWidgetItem*& previous) {
    const QString name = QString::fromStdString(era.Name);
    if (!IsEditableEraStart(era.StartDate)) {
        // Shown as it stands in the file, marked, right behind the row it followed there, and
        // written back unchanged in that place unless the user changes the row.
        const QString start = QString::fromStdString(era.StartDate);
        auto* item = new QListWidgetItem(EraMarkedRowText(start, name));
        item->setData(EraStartRole, start);
        item->setData(EraNameRole, name);
        item->setData(EraLineRole, era.Line);
        MarkRow(item, QStringLiteral("開始日「%1」は正しい日付ではありません。").arg(start));
        definitionList->insertItem(previous == nullptr ? 0 : definitionList->row(previous) + 1,
                                   item);
        previous = item;
        return;
    }
    const int at = addRow(EraRowFromDef(era));
    previous = definitionList->item(at);
    previous->setData(EraLineRole, era.Line);
    if (!HasCodePage932Form(name)) {
        MarkRow(previous, UnwritableNameReason());
    }
}

int EraEditorWindow::addRow(const QString& row) {
    const int at = EraInsertPosition(
        definitionList->count(), [this](int i) { return definitionList->item(i)->text(); }, row);
    definitionList->insertItem(at, row);
    return at;
}

void EraEditorWindow::setInputsEnabled(bool on) {
    for (std::size_t i = 0; i < dateBoxes.size(); ++i) {
        dateBoxes[i]->setEnabled(on);
        dateScrollBars[i]->setEnabled(on);
    }
    nameBox->setEnabled(on);
}

void EraEditorWindow::setSpinValue(int box, int value) {
    const auto i = static_cast<std::size_t>(box);
    spins_[i]->setValue(value);
    // A bar that already holds the value reports nothing; the box must show it all the same.
    if (dateBoxes[i]->text() != QString::number(value)) {
        dateBoxes[i]->setText(QString::number(value));
    }
}

void EraEditorWindow::startNew() {
    const QDate today = Today();
    setSpinValue(YearBox, today.year());
    setSpinValue(MonthBox, today.month());
    setSpinValue(DayBox, today.day());
    nameBox->clear();
    setInputsEnabled(true);
    setMode(Mode::New);
    dateBoxes[YearBox]->setFocus();
}

void EraEditorWindow::startChangeOrDelete(Mode mode) {
    const int row = selectedRow();
    if (row < 0) {
        ShowErrorMessage(QStringLiteral("リストから項目を選択してください。"));
        definitionList->setFocus();
        return;
    }
    const EraRowFields fields = ParseEraRow(definitionList->item(row)->text());
    // Through the boxes, so that their rules apply (a year 0 from the file shows as 1).
    dateBoxes[YearBox]->setText(QString::number(fields.year));
    dateBoxes[MonthBox]->setText(QString::number(fields.month));
    dateBoxes[DayBox]->setText(QString::number(fields.day));
    nameBox->setText(fields.name);
    setInputsEnabled(mode == Mode::Change);
    setMode(mode);
    if (mode == Mode::Change && fields.name.size() > EraNameLength) {
        // A name from the file longer than the name box holds: say so before it can be saved cut.
        ShowErrorMessage(
            QStringLiteral("この元号の名前は%1文字を超えているため、先頭の%1文字だけを"
                           "表示しました。決定すると、表示されている名前で保存されます。")
                .arg(EraNameLength));
    }
    if (mode == Mode::Delete) {
        panelButtons[0]->setFocus();
    } else {
        dateBoxes[YearBox]->setFocus();
    }
}

void EraEditorWindow::confirm() {
    const Mode current = mode();
    if (current == Mode::None) {
        return;
    }
    const QString name = TrimSpaces(nameBox->text());
    const int year = spins_[YearBox]->value();
    const int month = spins_[MonthBox]->value();
    const int day = spins_[DayBox]->value();
    if (current != Mode::Delete) {
        if (name.isEmpty()) {
            ShowErrorMessage(QStringLiteral("元号が入力されていません。"));
            nameBox->setFocus();
            return;
        }
        if (const QString problem = NameProblem(name); !problem.isEmpty()) {
            ShowErrorMessage(problem);
            nameBox->setFocus();
            return;
        }
        // Every row takes part, in mode change the row being changed too.
        if (HasEraDate(rows(), EraDatePart(year, month, day))) {
            ShowErrorMessage(QStringLiteral("同じ年月日のものが既に登録されています。"));
            dateBoxes[YearBox]->setFocus();
            return;
        }
        if (current == Mode::New && definitionList->count() >= MaxEras) {
            ShowErrorMessage(QStringLiteral("これ以上、元号を登録することはできません。"));
            return;
        }
    }
    if (current != Mode::New) {
        // The panel acts on the row selected now; without one nothing changes.
        const int row = selectedRow();
        if (row < 0) {
            ShowErrorMessage(QStringLiteral("リストから項目を選択してください。"));
            definitionList->setFocus();
            return;
        }
        if (!AskConfirmation(current == Mode::Change ? EraChangeQuestion() : EraDeleteQuestion())) {
            return;
        }
        delete definitionList->takeItem(row);
    }
    if (current != Mode::Delete) {
        const QString row = EraRowText(year, month, day, name);
        addRow(row);
        const QStringList texts = rows();
        definitionList->setCurrentRow(static_cast<int>(texts.indexOf(row)));
        definitionList->scrollToItem(definitionList->currentItem());
    } else {
        clearSelection();
    }
    closePanel();
}

void EraEditorWindow::writeDefinitions() {
    if (!MayWriteWhole(DefinitionFile::Eras) || !AskConfirmation(UpdateQuestion())) {
        return;
    }
    if (!MayOverwrite(DefinitionFile::Eras, loadedStamp_)) {
        return; // the window stays open with the list
    }
    TellConversionOnce(DefinitionFile::Eras, conversionTold_);
    const int count = definitionList->count();
    EraDefs.resize(static_cast<std::size_t>(count));
    EraDefCount = static_cast<std::int16_t>(count);
    for (int r = 0; r < count; ++r) {
        const QListWidgetItem* item = definitionList->item(r);
        EraDef& era = EraDefs[static_cast<std::size_t>(r)];
        if (item->data(EraStartRole).isValid()) {
            era.StartDate = item->data(EraStartRole).toString().toStdString();
            era.Name = item->data(EraNameRole).toString().toStdString();
        } else {
            era = EraDefFromRow(item->text());
        }
        era.Line = item->data(EraLineRole).toInt(); // 0 for a row entered here
    }
    if (const WriteResult result = WriteEraDefinitions(); !result.written()) {
        // The old file is still whole; the window stays open with the list for another try.
        const int record = result.record;
        const bool known = record > 0 && record <= count;
        QString name;
        int line = 0;
        if (known) {
            const EraDef& era = EraDefs[static_cast<std::size_t>(record - 1)];
            name = QString::fromStdString(era.Name);
            line = era.Line;
            definitionList->setCurrentRow(record - 1);
            definitionList->scrollToItem(definitionList->currentItem());
        }
        ShowDefinitionWriteFailure(DefinitionFile::Eras, result, known, line, name);
        return;
    }
    loadedStamp_ = CurrentDefinitionStamp(DefinitionFile::Eras);
    accept();
}
