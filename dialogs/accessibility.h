#pragma once

// The names and descriptions a screen reader reads for the controls of the three dialogs of the
// calendar, given once each dialog has been built.

class EraJumpDialog;
class DaysCalculatorDialog;
class OptionsDialog;

void NameForScreenReaders(EraJumpDialog& dialog);
void NameForScreenReaders(DaysCalculatorDialog& dialog);
void NameForScreenReaders(OptionsDialog& dialog);
