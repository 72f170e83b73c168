#pragma once

// Enter (and the keypad's Enter) presses the push button that has the focus, as Space does and
// as in the dialogs; the buttons of these windows are no default buttons, so Qt alone would do
// nothing.

class QWidget;

// Makes Enter press every push button of `window` that exists now while it has the focus.
void EnterPressesFocusedButton(QWidget* window);
