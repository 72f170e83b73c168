#pragma once

// The editor's questions.

#include <QString>

// Asks `text` with Yes and No, the warning icon, No preselected and the caption "確認"; true for
// Yes.
bool AskConfirmation(const QString& text);

// The questions of the confirmations, CR LF included.
QString HolidayChangeQuestion();
QString HolidayDeleteQuestion();
QString EraChangeQuestion();
QString EraDeleteQuestion();
QString UpdateQuestion();
