#pragma once

// What the calendar program sets up once, after QApplication exists and before StartCalendar:
// the real platform services, the program's icon and the desktop's Japanese user-interface font.

void SetUpCalendarApplication();
