#pragma once
// The one seam for everything modal or external: message boxes, input boxes,
// the file-open dialog and launching another program. Windows never call
// QMessageBox and friends themselves; tests install a scripted double.

#include <QString>
#include <QStringList>
#include <optional>

class QTextDocument;
class QWidget;

namespace ui {

class Prompts {
public:
    virtual ~Prompts() = default;

    // A modal message box: text, title, one OK button, no icon.
    virtual void message(QWidget *parent, const QString &text, const QString &title) = 0;
    // A modal input box; nothing when the user cancels.
    virtual std::optional<QString> input(QWidget *parent, const QString &prompt, const QString &title,
                                         const QString &defaultText) = 0;
    // A file-open dialog; the empty text when cancelled.
    virtual QString openFile(QWidget *parent, const QString &title, const QString &startPath) = 0;
    // Starts a program without waiting; false when it could not be started.
    virtual bool launch(const QString &program, const QStringList &arguments) = 0;

    // A file-save dialog offering the given filters ("计算书 (*.pdf);;..."); the
    // empty text when cancelled. The dialog asks before replacing a file.
    // Prompts that show no such dialog answer as if it were cancelled.
    virtual QString saveFile(QWidget *parent, const QString &title, const QString &startPath,
                             const QString &filters);
    // The print dialog; prints the document when accepted. False when cancelled.
    virtual bool print(QWidget *parent, const QTextDocument &document);

    // Asks, before changes not saved would be lost, whether to save them
    // first: Save, Discard (go on without saving) or Cancel (stay). Prompts
    // that show no such box answer Cancel, which loses nothing.
    enum class SaveChoice { Save, Discard, Cancel };
    virtual SaveChoice askToSave(QWidget *parent, const QString &text, const QString &title);

    // The prompts in force: the real dialogs unless a test installed others.
    static Prompts &current();
    // Installs other prompts (not owned); nullptr restores the real dialogs.
    static void install(Prompts *prompts);
};

} // namespace ui
