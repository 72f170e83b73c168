#pragma once

// An entry box that shows its whole number: while its text is wider than the box at the box's
// own font, the text is drawn at the largest smaller size at which it fits.

class QLineEdit;

// Keeps `box`'s text whole from now on, as it changes; the font the box has now is the size it
// returns to when the text fits again.
void KeepTextWhole(QLineEdit* box);

// The room for text inside `box`, in pixels: its width without frame, text margins and the two
// pixels the box keeps free on either side.
int TextRoom(const QLineEdit* box);
