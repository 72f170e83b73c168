#pragma once

#include <QString>

// `text` without leading and trailing spaces (U+0020 only; tabs and full-width spaces stay), as
// the entry boxes and the settings file's texts are trimmed.
QString TrimSpaces(const QString& text);
