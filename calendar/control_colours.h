#pragma once

// Colours and looks of the calendar's controls through their palettes. Each setter returns early
// when the control already has what is asked, so refilling a month touches only what changes.

#include <QColor>

class QLineEdit;
class QWidget;

// The control's background (filled by the control itself).
void setBackground(QWidget* control, const QColor& colour);
[[nodiscard]] QColor backgroundOf(const QWidget* control);

// The control's text colour.
void setTextColour(QWidget* control, const QColor& colour);
[[nodiscard]] QColor textColourOf(const QWidget* control);

// An entry box's background and text colour.
void setBoxColours(QLineEdit* box, const QColor& background, const QColor& text);

// An entry box drawn flat (a one-pixel outline in its text colour) or with a sunken 3D frame.
void setBoxFlat(QLineEdit* box, bool flat);
[[nodiscard]] bool isBoxFlat(const QLineEdit* box);
