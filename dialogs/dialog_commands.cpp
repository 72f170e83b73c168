#include "dialogs/dialog_commands.h"

#include "dialogs/calendar_access.h"
#include "dialogs/days_calculator_dialog.h"
#include "dialogs/era_jump_dialog.h"

void OpenEraJumpDialog(CalendarAccess& calendar) {
    EraJumpDialog dialog(calendar, calendar.window());
    dialog.exec();
}

void OpenDaysCalculator(CalendarAccess& calendar) {
    DaysCalculatorDialog dialog(calendar, calendar.window());
    dialog.exec();
}
