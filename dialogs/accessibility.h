#pragma once

// The names and descriptions a screen reader reads for the controls of the three dialogs of the
// calendar, given once each dialog has been built.

class Form2;
class Form3;
class Form4;

void NameForScreenReaders(Form2& dialog);
void NameForScreenReaders(Form3& dialog);
void NameForScreenReaders(Form4& dialog);
