#include "editor/holiday_editor.h"

#include "date/definitions.h"
#include "editor/accessibility.h"
#include "editor/definition_save.h"
#include "editor/editor_messages.h"
#include "editor/enter_presses_button.h"
#include "editor/holiday_rows.h"
#include "editor/name_rules.h"
#include "platform/design_fonts.h"
#include "platform/services.h"
#include "widgets/spin_pair.h"

#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <limits>

namespace {

struct NumericBox {
    int minimum;
    int maximum;
    int length; // characters
};

// FromYear, Month, Day, Week, ToYear.
constexpr std::array<NumericBox, 5> Boxes = {{
    {0, HolidayYearMaximum, 4},
    {1, 12, 2},
    {1, 31, 2},
    {1, HolidayWeekMaximum, 1},
    {0, HolidayYearMaximum, 4},
}};
enum Box { FromYearBox = 0, MonthBox = 1, DayBox = 2, WeekBox = 3, ToYearBox = 4 };

// The box with its spin scroll bar beside it, as one piece of the panel.
QWidget* spinPiece(QLineEdit* box, QScrollBar* bar, int characters, QWidget* parent) {
    auto* piece = new QWidget(parent);
    auto* layout = new QHBoxLayout(piece);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    box->setFixedWidth(14 + 8 * characters);
    bar->setFixedSize(14, box->sizeHint().height());
    layout->addWidget(box);
    layout->addWidget(bar);
    return piece;
}

} // namespace

HolidayEditorWindow::HolidayEditorWindow(QWidget* parent) : DefinitionEditorWindow(parent) {
    setObjectName(QStringLiteral("HolidayEditorWindow"));
    setWindowTitle(QStringLiteral("祝日の設定"));
    setFont(QFont(UiGothic, 9));
    buildControls();
    NameForScreenReaders(*this);

    // Opening sorts the table even when nothing is edited afterwards.
    rebuildList();
    for (std::size_t i = 0; i < Boxes.size(); ++i) {
        spins_[i]->setRange(Boxes[i].minimum, Boxes[i].maximum);
    }
    setMode(Mode::None);
    clearSelection();
    EnterPressesFocusedButton(this);
    loadedStamp_ = LoadedDefinitionStamp(DefinitionFile::Holidays);
}

void HolidayEditorWindow::buildControls() {
    const std::array<QString, 7> labels = {
        QStringLiteral("廃止"),
        QStringLiteral("開始"),
        QStringLiteral("第"),
        QStringLiteral("週"),
        QStringLiteral("同じ祝日の定義が変わった場合は、まず、変更で廃止を入力してください。"),
        QStringLiteral("それから、同じ名前で新規に登録してください。"),
        QStringLiteral("月"),
    };
    for (std::size_t i = 0; i < labels.size(); ++i) {
        panelLabels[i] = new QLabel(labels[i], this);
        panelLabels[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
    }

    buildSkeleton({430, 260});
    for (QLabel* label : panelLabels) {
        label->setParent(editPanel);
    }

    nameBox = new QLineEdit(editPanel);
    nameBox->setObjectName(QStringLiteral("Text2"));
    nameBox->setMaxLength(HolidayNameLength);
    nameBox->setMinimumWidth(200);
    kindButtons[0] = new QRadioButton(QStringLiteral("日指定"), editPanel);
    kindButtons[1] = new QRadioButton(QStringLiteral("週指定"), editPanel);
    for (std::size_t i = 0; i < kindButtons.size(); ++i) {
        kindButtons[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        connect(kindButtons[i], &QRadioButton::toggled, this,
                &HolidayEditorWindow::showKindControls);
    }
    std::array<QWidget*, 5> pieces{};
    for (std::size_t i = 0; i < numberBoxes.size(); ++i) {
        spins_[i] = makeSpin(numberBoxes[i], numberScrollBars[i], i, Boxes[i].length);
        pieces[i] = spinPiece(numberBoxes[i], numberScrollBars[i], Boxes[i].length, editPanel);
    }
    weekdayList = new QComboBox(editPanel);
    weekdayList->setObjectName(QStringLiteral("Combo1"));
    weekdayList->addItems({QStringLiteral("月曜日"), QStringLiteral("火曜日"),
                           QStringLiteral("水曜日"), QStringLiteral("木曜日"),
                           QStringLiteral("金曜日"), QStringLiteral("土曜日")});
    const std::array<QString, 2> confirmations = {QStringLiteral("決定(&O)"),
                                                  QStringLiteral("取消(&D)")};
    for (std::size_t i = 0; i < panelButtons.size(); ++i) {
        panelButtons[i] = new QPushButton(confirmations[i], editPanel);
        panelButtons[i]->setObjectName(QStringLiteral("Command2_%1").arg(i));
    }
    // The weekday follows the week it belongs to.
    setTabOrder(numberBoxes[WeekBox], weekdayList);
    connect(panelButtons[0], &QPushButton::clicked, this, &HolidayEditorWindow::confirm);
    connect(panelButtons[1], &QPushButton::clicked, this, &HolidayEditorWindow::closePanel);

    layOutPanel(pieces);

    // The notes live outside the panel, above the list.
    finishSkeleton({panelLabels[4], panelLabels[5]});
}

// The panel's three rows: name and kind; the date; the years and the two buttons.
void HolidayEditorWindow::layOutPanel(const std::array<QWidget*, 5>& pieces) {
    auto* panel = new QGridLayout(editPanel);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(nameBox, 1);
    nameRow->addSpacing(12);
    nameRow->addWidget(kindButtons[0]);
    nameRow->addWidget(kindButtons[1]);
    panel->addLayout(nameRow, 0, 0);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(pieces[MonthBox]);
    dateRow->addWidget(panelLabels[6]);
    dateRow->addSpacing(8);
    dateRow->addWidget(pieces[DayBox]);
    dateRow->addWidget(panelLabels[2]);
    dateRow->addWidget(pieces[WeekBox]);
    dateRow->addWidget(panelLabels[3]);
    dateRow->addSpacing(4);
    dateRow->addWidget(weekdayList);
    dateRow->addStretch(1);
    panel->addLayout(dateRow, 1, 0);
    auto* yearRow = new QHBoxLayout;
    yearRow->addWidget(panelLabels[1]);
    yearRow->addWidget(pieces[FromYearBox]);
    yearRow->addSpacing(12);
    yearRow->addWidget(panelLabels[0]);
    yearRow->addWidget(pieces[ToYearBox]);
    yearRow->addStretch(1);
    yearRow->addWidget(panelButtons[0]);
    yearRow->addWidget(panelButtons[1]);
    panel->addLayout(yearRow, 2, 0);
}

std::optional<int> HolidayEditorWindow::rebuildList(std::optional<int> follow) {
    follow = SortHolidayDefs(HolidayDefs, HolidayDefCount, follow);
    definitionList->clear();
    definitionList->addItems(HolidayListRows(HolidayDefs, HolidayDefCount));
    for (int k = 0; k < HolidayDefCount && k < static_cast<int>(HolidayDefs.size()); ++k) {
        if (!HasCodePage932Form(
                QString::fromStdString(HolidayDefs[static_cast<std::size_t>(k)].Name))) {
            MarkRow(definitionList->item(k + HolidayFixedRowCount), UnwritableNameReason());
        }
    }
    return follow;
}

void HolidayEditorWindow::selectRow(int row) {
    definitionList->setCurrentRow(row);
    definitionList->scrollToItem(definitionList->item(row));
}

std::optional<int> HolidayEditorWindow::selectedDefinition() {
    const int row = selectedRow();
    if (row < 0) {
        ShowErrorMessage(QStringLiteral("リストから項目を選択してください。"));
        definitionList->setFocus();
        return std::nullopt;
    }
    if (row < HolidayFixedRowCount) {
        ShowErrorMessage(QStringLiteral("その項目は選択出来ません。"));
        definitionList->setFocus();
        return std::nullopt;
    }
    return row - HolidayFixedRowCount;
}

void HolidayEditorWindow::setSpinValue(int box, int value) {
    const auto i = static_cast<std::size_t>(box);
    spins_[i]->setValue(value);
    // A bar that already holds the value reports nothing; the box must show it all the same.
    if (numberBoxes[i]->text() != QString::number(value)) {
        numberBoxes[i]->setText(QString::number(value));
    }
}

void HolidayEditorWindow::showValues(const HolidayPanelValues& values) {
    nameBox->setText(values.name);
    setSpinValue(FromYearBox, values.fromYear);
    setSpinValue(ToYearBox, values.toYear);
    setSpinValue(MonthBox, values.month);
    setSpinValue(DayBox, values.day);
    setSpinValue(WeekBox, values.week);
    weekdayList->setCurrentIndex(values.weekdayIndex);
    kindButtons[values.kind == 1 ? 0 : 1]->setChecked(true);
    showKindControls();
}

HolidayPanelValues HolidayEditorWindow::panelValues() const {
    HolidayPanelValues values;
    values.name = TrimSpaces(nameBox->text());
    values.kind = kindButtons[0]->isChecked() ? 1 : 2;
    values.fromYear = spins_[FromYearBox]->value();
    values.month = spins_[MonthBox]->value();
    values.day = spins_[DayBox]->value();
    values.week = spins_[WeekBox]->value();
    values.weekdayIndex = weekdayList->currentIndex();
    values.toYear = spins_[ToYearBox]->value();
    return values;
}

void HolidayEditorWindow::setInputsEnabled(bool on) {
    for (std::size_t i = 0; i < numberBoxes.size(); ++i) {
        numberBoxes[i]->setEnabled(on);
        numberScrollBars[i]->setEnabled(on);
    }
    weekdayList->setEnabled(on);
    nameBox->setEnabled(on);
    kindButtons[0]->setEnabled(on);
    kindButtons[1]->setEnabled(on);
}

void HolidayEditorWindow::showKindControls() {
    const bool byDay = kindButtons[0]->isChecked();
    numberBoxes[DayBox]->setVisible(byDay);
    numberScrollBars[DayBox]->setVisible(byDay);
    numberBoxes[WeekBox]->setVisible(!byDay);
    numberScrollBars[WeekBox]->setVisible(!byDay);
    weekdayList->setVisible(!byDay);
    panelLabels[2]->setVisible(!byDay);
    panelLabels[3]->setVisible(!byDay);
}

void HolidayEditorWindow::startNew() {
    const QDate today = Today();
    HolidayPanelValues values;
    values.fromYear = today.year();
    values.month = today.month();
    values.day = today.day();
    values.week = 1;
    values.toYear = 0;
    values.weekdayIndex = 0;
    values.kind = 1;
    showValues(values);
    setInputsEnabled(true);
    setMode(Mode::New);
    nameBox->setFocus();
}

void HolidayEditorWindow::startChangeOrDelete(Mode mode) {
    const std::optional<int> k = selectedDefinition();
    if (!k) {
        return;
    }
    bool adjusted = false;
    const HolidayPanelValues values =
        PanelValuesOf(HolidayDefs[static_cast<std::size_t>(*k)], adjusted);
    showValues(values);
    setInputsEnabled(mode == Mode::Change);
    setMode(mode);
    if (mode == Mode::Change && adjusted) {
        // A record from the file that the panel cannot show as it is: say so before the nearest
        // values can be saved in its place.
        ShowErrorMessage(
            QStringLiteral("この祝日の定義には、ここでは扱えない値が含まれています。\r\n"
                           "最も近い値に置き換えて表示しました。決定すると、"
                           "表示されている値で保存されます。"));
    }
    if (mode == Mode::Delete) {
        panelButtons[0]->setFocus();
    } else {
        nameBox->setFocus();
    }
}

void HolidayEditorWindow::confirm() {
    const Mode current = mode();
    if (current == Mode::None) {
        return;
    }
    const HolidayPanelValues values = panelValues();
    if (current != Mode::Delete) {
        if (values.name.isEmpty()) {
            ShowErrorMessage(QStringLiteral("祝日名が入力されていません。"));
            nameBox->setFocus();
            return;
        }
        if (const QString problem = NameProblem(values.name); !problem.isEmpty()) {
            ShowErrorMessage(problem);
            nameBox->setFocus();
            return;
        }
        if (values.toYear != 0 && values.toYear < values.fromYear) {
            ShowErrorMessage(QStringLiteral("廃止年が不正です。"));
            numberBoxes[ToYearBox]->setFocus();
            return;
        }
        if (current == Mode::New &&
            HolidayDefCount >= std::numeric_limits<decltype(HolidayDefCount)>::max()) {
            ShowErrorMessage(QStringLiteral("これ以上、祝日を登録することはできません。"));
            return;
        }
    }
    if (current != Mode::New) {
        // The panel acts on the row selected now; one that is no definition changes nothing.
        const std::optional<int> k = selectedDefinition();
        if (!k) {
            return;
        }
        if (!AskConfirmation(current == Mode::Change ? HolidayChangeQuestion()
                                                     : HolidayDeleteQuestion())) {
            return;
        }
        HolidayDefs.erase(HolidayDefs.begin() + *k);
        HolidayDefCount = static_cast<std::int16_t>(HolidayDefCount - 1);
        delete definitionList->takeItem(*k + HolidayFixedRowCount);
    }
    if (current != Mode::Delete) {
        HolidayDefs.resize(static_cast<std::size_t>(HolidayDefCount));
        HolidayDefs.push_back(RecordOf(values));
        HolidayDefCount = static_cast<std::int16_t>(HolidayDefCount + 1);
        const std::optional<int> at = rebuildList(HolidayDefCount - 1);
        selectRow(*at + HolidayFixedRowCount);
    } else {
        clearSelection();
    }
    closePanel();
}

void HolidayEditorWindow::writeDefinitions() {
    if (!MayWriteWhole(DefinitionFile::Holidays) || !AskConfirmation(UpdateQuestion())) {
        return;
    }
    if (!MayOverwrite(DefinitionFile::Holidays, loadedStamp_)) {
        return; // the window stays open with the edits
    }
    TellConversionOnce(DefinitionFile::Holidays, conversionTold_);
    if (const WriteResult result = WriteHolidayDefinitions(); !result.written()) {
        // The old file is still whole; the window stays open with the edits for another try.
        const int record = result.record;
        const bool known = record > 0 && record <= HolidayDefCount;
        QString name;
        int line = 0;
        if (known) {
            const HolidayDef& def = HolidayDefs[static_cast<std::size_t>(record - 1)];
            name = QString::fromStdString(def.Name);
            line = def.Line;
            selectRow(record - 1 + HolidayFixedRowCount);
        }
        ShowDefinitionWriteFailure(DefinitionFile::Holidays, result, known, line, name);
        return;
    }
    loadedStamp_ = CurrentDefinitionStamp(DefinitionFile::Holidays);
    accept();
}
