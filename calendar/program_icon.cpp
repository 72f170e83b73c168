#include "calendar/program_icon.h"

#include "resources/zelvar_icon.h"

QIcon ProgramIcon() {
    return ZelvarIcon();
}
