#pragma once

// The program icon of Zelvar and Korinset: a calendar page, drawn as SVG in resources/icons and
// rendered to PNG at the sizes desktops and the notification area use. The PNGs are compiled
// into the program, so the icon needs no file beside the executable and no SVG support.

#include <QIcon>
#include <QList>
#include <QSize>

// Every size the icon carries, smallest first (16, 22, 24, 32, 48, 64, 128 and 256 pixels).
QList<QSize> ZelvarIconSizes();

// The icon with one pixmap per size of ZelvarIconSizes(); Qt picks or scales the nearest one.
QIcon ZelvarIcon();
