#pragma once

// A window with no content, at the top left corner of the screen and of no size. The
// notification-area icon shows it while its popup menu is open and the calendar window is hidden,
// on window systems where a popup menu only behaves (closes when the user clicks elsewhere) while
// one of the program's own windows is in the foreground.

#include <QWidget>

class MenuAnchorWindow final : public QWidget {
    Q_OBJECT

public:
    MenuAnchorWindow();
};

// True where a popup menu needs a foreground window of the program (Windows). Elsewhere the menu
// takes the mouse and the keyboard itself and closes on a click outside without one.
bool PopupMenuNeedsForegroundWindow();
