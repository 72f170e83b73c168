#pragma once

// The popup menu of the calendar window's commands, as the window without title bar opens it on
// the right mouse button and the notification-area icon on its own: a first command (the one
// that hides the window), then "今月(&T)"; "元号指定(&G)..." and "日数計算(&C)...";
// "常に手前に表示(&A)"; "オプション(&O)..."; "終了(&X)", each group behind a separator.

class CalendarWindow;
class QAction;
class QMenu;
class QString;
class QWidget;

// A menu owned by `parent` that holds `window`'s own commands, so that a check mark or a change
// is the same wherever a command is shown. The separators are named `separatorName`, then
// `separatorName` with 2, 3, 4 and 5 appended.
QMenu* MakeCommandMenu(QWidget* parent, const CalendarWindow& window, QAction* first,
                       const QString& separatorName);
