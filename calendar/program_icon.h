#pragma once

// The program's icon (the window icon, and the notification-area icon's picture).

#include <QIcon>

QIcon ProgramIcon();
