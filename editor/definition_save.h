#pragma once

// What both editors do around writing their definition file: ask before overwriting a file that
// another program changed since it was loaded, say once that a UTF-8 file is being written as
// code page 932, mark the records whose text the file cannot hold, and name the record that
// stopped a write.

#include "date/definitions.h"

#include <QString>

class QListWidgetItem;

// The file's name as the messages give it ("Korin1.csv", "Korin2.csv").
QString DefinitionFileName(DefinitionFile file);

// Asks, when `file` on the disk is no longer the one loaded (`loaded`), whether to overwrite it
// (warning icon, Yes and No, No preselected). True to go on writing.
bool MayOverwrite(DefinitionFile file, const FileStamp& loaded);

// Tells the user, the first time a file read as UTF-8 is about to be written (`told` false),
// that it is being converted to code page 932, and sets `told`.
void TellConversionOnce(DefinitionFile file, bool& told);

// True when `text` can be written to a definition file as it is.
bool HasCodePage932Form(const QString& text);

// Marks a list row whose record the file cannot hold as it stands (`reason` shown as its tip),
// or clears the mark when `reason` is empty.
void MarkRow(QListWidgetItem* item, const QString& reason);

// The tip of a record whose name the file cannot hold.
QString UnwritableNameReason();

// True when the last load read `file` whole; otherwise says that the file holds more records than
// were read and that it is not written, so that saving never drops the records past the limit.
bool MayWriteWhole(DefinitionFile file);

// Reports the failed write `failure` of `file`: "ファイルの書き込みを失敗しました" with the error
// number and, when a record's text stopped it (`record` true), the record's name and the file's
// line it was read from (`line`, 0 for a record entered in the editor); when the file system
// refused it, the path and the system's words for the error.
void ShowDefinitionWriteFailure(DefinitionFile file, const WriteResult& failure, bool record,
                                int line, const QString& recordText);
