#pragma once

#include <QWidget>

// Centres the top-level `window`, frame included, on its screen: left = (screen width - window
// width) / 2 and top = (screen height - window height) / 2, remainders dropped.
void CentreOnScreen(QWidget* window);
