#pragma once

// The editor's questions and the message of a failed write.

#include <QString>

// Asks `text` with Yes and No, the warning icon, No preselected and the caption "確認"; true for
// Yes.
bool AskConfirmation(const QString& text);

// "ファイルの書き込みを失敗しました Err=" followed by the error number, shown as an error.
void ShowWriteFailure(int errorNumber);

// The questions of the confirmations, CR LF included.
QString HolidayChangeQuestion();
QString HolidayDeleteQuestion();
QString EraChangeQuestion();
QString EraDeleteQuestion();
QString UpdateQuestion();
