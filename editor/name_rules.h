#pragma once

// What a holiday or era name may hold so that the definition files give it back unchanged. The
// files have no quoting: a comma ends the field, a leading double quote starts a quoted field,
// leading blanks are skipped, a line break ends the record, and the text is stored in code page
// 932, which cannot hold every character.

#include "widgets/trim_spaces.h" // TrimSpaces, which the name boxes use

#include <QString>

// The message that refuses `name` (already trimmed), or the empty text when the name reads back
// from the file as it was written.
QString NameProblem(const QString& name);
