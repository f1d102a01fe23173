#pragma once
// What the program adds around the calculator windows' forms: saved cases and
// calculation sheets, plots, the analysis windows. They draw with the chart,
// SVG and print libraries, which take longer to load than the rest of the
// program together, so they live in a module of their own, loaded when the
// first calculator window opens; the welcome window never waits for them.
// Tests link them in and install them instead.

#include <QString>
#include <functional>

class QTextDocument;
class QWidget;

namespace ui {

class CalculatorWindow;

class Extensions {
public:
    virtual ~Extensions() = default;

    // Gives a freshly built calculator window its menus.
    virtual void attach(CalculatorWindow *window) = 0;
    // Reads a case file into its window; a file that cannot be read changes
    // nothing and gets its message over parent. The window loaded, or nullptr.
    virtual CalculatorWindow *openCase(const QString &path, QWidget *parent) = 0;
    // Opens the frequency analysis of a series file (asking for one when the
    // path is empty): the window, which carries the file as its
    // windowFilePath, or nullptr when nothing was opened.
    virtual QWidget *openFrequencyAnalysis(QWidget *parent, const QString &dataFile) = 0;
    // The print dialog of the real prompts; prints the document when accepted.
    virtual bool print(QWidget *parent, const QTextDocument &document) = 0;
    // A new zone table window (水功能区纳污能力计算表), not yet shown.
    virtual QWidget *newZoneTable() = 0;
    // The zone table window of a .vtable file: the open one that shows it,
    // else a new one with the file read, not yet shown. An empty path asks for
    // the file. nullptr when nothing was opened (a file that cannot be read
    // gets its message over parent).
    virtual QWidget *openZoneTable(const QString &path, QWidget *parent) = 0;
};

// The extensions in force: those installed, else the module's, loaded on the
// first call. nullptr when the module cannot be loaded (said once on stderr):
// the calculator windows then work without their menus.
Extensions *extensions();
// Installs linked-in extensions (not owned) in place of the module.
void installExtensions(Extensions *extensions);

// Opens (or raises) the calculator window of this name, as its menu button
// does; the shell gives the function, so that a saved case of another window
// opens that window. nullptr for an unknown name or before the shell set it.
using CalculatorOpener = std::function<CalculatorWindow *(const QString &window)>;
void setCalculatorOpener(CalculatorOpener opener);
CalculatorWindow *openCalculator(const QString &window);

} // namespace ui
