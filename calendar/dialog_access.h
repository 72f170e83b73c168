#pragma once

// The dialogs' view of the calendar: the window in use (CurrentCalendar), its in-memory settings
// and the start-up routine, behind the interface the dialogs are written against.

class CalendarAccess;

// The one access object of the program; it always acts on the calendar window in use.
CalendarAccess& CalendarForDialogs();
