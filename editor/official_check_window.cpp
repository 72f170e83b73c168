#include "editor/official_check_window.h"

#include "date/definitions.h"
#include "date/official_list.h"
#include "editor/holiday_editor.h"
#include "editor/listing_box.h"
#include "editor/window_placement.h"
#include "platform/services.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

OfficialCheckWindow::OfficialCheckWindow(QString listPath, QWidget* parent)
    : QDialog(parent), listPath_(std::move(listPath)) {
    setObjectName(QStringLiteral("OfficialCheckWindow"));
    setWindowTitle(QStringLiteral("公式の一覧との照合"));

    menuBar_ = new QMenuBar(this);
    returnCommand = menuBar_->addAction(QStringLiteral("戻る(&R)"));
    returnCommand->setObjectName(QStringLiteral("MNU_Return"));
    connect(returnCommand, &QAction::triggered, this, &QDialog::close);

    summaryLabel = new QLabel(this);
    summaryLabel->setObjectName(QStringLiteral("Summary"));
    summaryLabel->setWordWrap(true);
    summaryLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    addNoteLabel =
        new QLabel(QStringLiteral("公式の一覧にだけあって規則から求まらない日を、1年限りの"
                                  "祝日として「祝日の設定」に追加できます。"
                                  "「更新」で保存されます。"),
                   this);
    addNoteLabel->setObjectName(QStringLiteral("AddNote"));
    addNoteLabel->setWordWrap(true);
    addMissingButton = new QPushButton(QStringLiteral("不足している日を追加(&A)..."), this);
    addMissingButton->setObjectName(QStringLiteral("AddMissing"));
    addMissingButton->setAutoDefault(false);
    connect(addMissingButton, &QPushButton::clicked, this, &OfficialCheckWindow::addMissingDays);

    listing = new ListingBox(this);
    listing->setObjectName(QStringLiteral("Text2"));
    listing->setReadOnly(true);
    listing->setLineWrapMode(QPlainTextEdit::NoWrap);
    listing->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    listing->setAccessibleName(QStringLiteral("照合の結果"));

    auto* addRow = new QHBoxLayout;
    addRow->addWidget(addNoteLabel, 1);
    addRow->addWidget(addMissingButton);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar_);
    layout->addWidget(summaryLabel);
    layout->addWidget(listing, 1);
    layout->addLayout(addRow);
    resize(560, 420);
}

void OfficialCheckWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!centred_) {
        centred_ = true;
        CentreOnScreen(this);
    }
}

bool OfficialCheckWindow::compare() {
    St_LoadDefinitions();
    const OfficialList list = ReadOfficialListFile(listPath_.toStdString());
    if (list.error) {
        ShowErrorMessage(QString::fromStdString(
            OfficialListProblemText(QFileInfo(listPath_).fileName().toStdString(), *list.error)));
        return false;
    }
    check_ = CheckHolidays(list.days);

    QString text;
    for (const OfficialListProblem& warning : list.warnings) {
        text += QStringLiteral("警告: ") +
                QString::fromStdString(OfficialListProblemText(
                    QFileInfo(listPath_).fileName().toStdString(), warning)) +
                QLatin1Char('\n');
    }
    if (!text.isEmpty()) {
        text += QLatin1Char('\n');
    }
    if (check_.differences.empty()) {
        text += QStringLiteral("定義の祝日は公式の一覧と一致しています。\n");
    } else {
        text += QString::fromStdString(HolidayCheckDetails(check_));
    }
    summaryLabel->setText(QString::fromStdString(HolidayCheckSummary(check_)));
    listing->setPlainText(text);
    const bool canAdd = !check_.additions.empty();
    addNoteLabel->setVisible(canAdd);
    addMissingButton->setVisible(canAdd);
    return true;
}

void OfficialCheckWindow::addMissingDays() {
    if (check_.additions.empty()) {
        return;
    }
    // The table is still the one compare() loaded and compared: the editor's save asks before
    // overwriting a file that changed since.
    HolidayDefs.resize(static_cast<std::size_t>(std::max<std::int16_t>(HolidayDefCount, 0)));
    HolidayDefs.insert(HolidayDefs.end(), check_.additions.begin(), check_.additions.end());
    HolidayDefCount = static_cast<std::int16_t>(HolidayDefs.size());
    {
        HolidayEditorWindow editor(this);
        editor.exec();
    }
    compare();
}

QString AskOfficialListFile(QWidget* parent) {
    return QFileDialog::getOpenFileName(
        parent, QStringLiteral("公式の祝日一覧 (syukujitsu.csv) を開く"), QString(),
        QStringLiteral("CSV ファイル (*.csv);;すべてのファイル (*)"));
}
