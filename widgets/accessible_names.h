#pragma once

// Names and descriptions that a screen reader reads for a window's controls. A window's controls
// are named after it has been built, from a table of objectName → name and description, so the
// builders stay about layout and behaviour.

#include <initializer_list>

class QWidget;

struct ControlName {
    const char* objectName;       // the control's objectName, found anywhere under the window
    const char* name;             // what the control is: the label beside it or its purpose
    const char* description = ""; // the values it takes ("1〜9999"); "" leaves it as it is
};

// Gives each control of the table found under `window` its accessible name and description.
// A control missing from the window is skipped (a window may leave out optional controls).
void NameControls(QWidget& window, std::initializer_list<ControlName> names);
