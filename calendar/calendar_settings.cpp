#include "calendar/calendar_settings.h"

CalendarSettings& CalendarOptions() {
    static CalendarSettings settings;
    return settings;
}
