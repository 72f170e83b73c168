#pragma once

// The names and descriptions a screen reader reads for the controls of Korinset's windows, given
// once each window has been built.

class EditorMainWindow;
class EraEditorWindow;
class HolidayEditorWindow;
class HolidayListWindow;

void NameForScreenReaders(EditorMainWindow& window);
void NameForScreenReaders(HolidayEditorWindow& window);
void NameForScreenReaders(EraEditorWindow& window);
void NameForScreenReaders(HolidayListWindow& window);
