#pragma once

// Which of Qt's window-system plugins the programs start on.
//
// On a Wayland desktop a program may neither place its own window nor keep it above the others,
// which the calendar's saved position and "常に手前に表示" need. The programs therefore run on
// the desktop's X server (XWayland) when there is one, unless the user chose a plugin himself.

// Call before QApplication exists: when QT_QPA_PLATFORM is unset, WAYLAND_DISPLAY is set and so is
// DISPLAY, sets QT_QPA_PLATFORM to "xcb;wayland" (X first; Wayland should the X server not
// answer). Returns whether it set it.
bool PreferXWaylandOnWayland();
