#pragma once

// The commands that open the dialogs, for the calendar window's menus and the notification-area
// icon's menu.

class CalendarAccess;
class OptionsDialog;

// "元号指定(&G)...": the era jump dialog, modal over the calendar window.
void OpenEraJumpDialog(CalendarAccess& calendar);

// "日数計算(&C)...": the days calculator, modal over the calendar window.
void OpenDaysCalculator(CalendarAccess& calendar);

// "オプション(&O)...": the options dialog, modeless; a second command shows the open one.
OptionsDialog* OpenOptionsDialog(CalendarAccess& calendar);
