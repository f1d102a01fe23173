#pragma once
// Zone table windows as the program's extensions open them.

#include <QString>

class QWidget;

namespace tables {

// A new zone table window of one empty row, not yet shown.
QWidget *newZoneTable();

// The zone table window of a file: the open one that shows it, else a new
// window with the file read. An empty path asks for the file. nullptr when
// nothing was opened: the dialog was cancelled, or the file cannot be read
// (its message shown over parent).
QWidget *openZoneTable(const QString &path, QWidget *parent);

} // namespace tables
