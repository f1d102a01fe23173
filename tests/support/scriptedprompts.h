#pragma once
// The test double of the prompts seam: records every message box, input box,
// file dialog and launch, and answers them from queues the test fills in.
// Installed on construction, removed on destruction.

#include "ui/prompts.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <optional>

struct ShownMessage {
    QString text;
    QString title;
};

class ScriptedPrompts : public ui::Prompts {
public:
    ScriptedPrompts();
    ~ScriptedPrompts() override;
    ScriptedPrompts(const ScriptedPrompts &) = delete;
    ScriptedPrompts &operator=(const ScriptedPrompts &) = delete;

    void message(QWidget *parent, const QString &text, const QString &title) override;
    std::optional<QString> input(QWidget *parent, const QString &prompt, const QString &title,
                                 const QString &defaultText) override;
    QString openFile(QWidget *parent, const QString &title, const QString &startPath) override;
    bool launch(const QString &program, const QStringList &arguments) override;
    QString saveFile(QWidget *parent, const QString &title, const QString &startPath,
                     const QString &filters) override;
    bool print(QWidget *parent, const QTextDocument &document) override;
    SaveChoice askToSave(QWidget *parent, const QString &text, const QString &title) override;

    // What was shown, in order.
    QList<ShownMessage> messages;
    struct Asked {
        QString prompt, title, defaultText;
    };
    QList<Asked> inputsAsked;
    QList<QString> fileDialogStartPaths;
    QList<QStringList> launched; // program followed by its arguments

    // Answers, taken in order. An input box with no queued answer is cancelled;
    // a file dialog with none is cancelled (empty path).
    QQueue<std::optional<QString>> inputAnswers;
    QQueue<QString> fileAnswers;
    bool launchSucceeds = true;

    // Save dialogs: the filters offered, and the paths answered in order (none: cancelled).
    QList<QString> saveFilters;
    QQueue<QString> saveAnswers;
    // Print dialogs: the plain text of each document printed; whether the dialog is accepted.
    QList<QString> printed;
    bool printAccepted = true;

    // Questions whether to save changes: the texts asked, and the answers in
    // order (none: Discard, so that a test's window closes).
    QList<QString> saveQuestions;
    QQueue<SaveChoice> saveChoices;

    // The text of the last message, or the empty text.
    QString lastMessage() const { return messages.isEmpty() ? QString() : messages.last().text; }
};
