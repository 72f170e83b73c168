#pragma once

// "公式の一覧との照合": the holidays of the definition files against the government's list of
// holidays read from a file the user chose. The comparison itself is the engine's
// (date/holiday_check.h); this window shows it as read-only text under a line with the count of
// differences, and offers to add the days that no rule explains as one-year definitions: the
// holiday editor opens with them added, and its "更新" saves them as any edit.

#include "date/holiday_check.h"

#include <QDialog>
#include <QString>

class QAction;
class QLabel;
class QMenuBar;
class QPushButton;
class ListingBox;

class OfficialCheckWindow : public QDialog {
    Q_OBJECT

public:
    // `listPath`: the list's file (UTF-8 text or code page 932).
    explicit OfficialCheckWindow(QString listPath, QWidget* parent = nullptr);

    // Loads the definition files, reads the list and shows the comparison. False, after the
    // error message, when the list cannot be read.
    bool compare();

    // "不足している日を追加": the holiday editor over the loaded definitions with the missing
    // days appended; afterwards the comparison is made again from the files.
    void addMissingDays();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString listPath_;
    HolidayCheck check_;
    QLabel* summaryLabel = nullptr; // the count of differences
    QLabel* addNoteLabel = nullptr; // what adding does, while there is something to add
    ListingBox* listing = nullptr;  // the comparison, read-only
    QPushButton* addMissingButton = nullptr;
    QMenuBar* menuBar_ = nullptr;
    QAction* returnCommand = nullptr;
    bool centred_ = false;
};

// Asks for the list's file with the system's file dialog; empty when the user cancelled.
QString AskOfficialListFile(QWidget* parent);
