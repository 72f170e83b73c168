#pragma once

#include <QStringList>

// Installs Qt's Japanese translation (qtbase_ja.qm) from the first of `folders` that holds it,
// for the texts Qt draws itself: the boxes' context menus, the colour dialog, the standard
// buttons. Returns whether one was installed; a second call installs nothing more.
bool InstallQtJapaneseTranslation(const QStringList& folders);

// The folders the programs look in: translations/ beside the program (the Windows copies ship it
// there), then the Qt installation's own.
QStringList QtTranslationFolders();
