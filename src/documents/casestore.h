#pragma once
// A calculator window's texts as a saved case, and a saved case put back into
// a window: its view shown, every field's text set exactly, the table rebuilt
// to the saved rows, the results and captions cleared for the next OK.

#include "catalogue/casefile.h"

#include <QString>

namespace ui {
class CalculatorWindow;
}

namespace documents {

// The views a window shows: the one its options chose, or all of a window
// that shows them side by side.
std::vector<const catalogue::Entry *> viewsShown(const ui::CalculatorWindow &window);

// The case of the window as it stands: the view shown (every view of a window
// that shows them side by side), the texts of its fields, its table, its data
// file and rate, and the results while they belong to those texts.
catalogue::CaseFile caseOf(const ui::CalculatorWindow &window);

// Puts a case of this window into it. folder: where the case file lies, for a
// relative data file.
void loadCase(ui::CalculatorWindow &window, const catalogue::CaseFile &c, const QString &folder);

// Writes a case through QSaveFile; false with the reason when it cannot.
bool saveCase(const catalogue::CaseFile &c, const QString &path, QString *error);

// The time now as ISO 8601 local time with its offset from UTC.
QString localTimeText();

} // namespace documents
