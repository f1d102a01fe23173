#include "scriptedprompts.h"

#include <QTextDocument>

ScriptedPrompts::ScriptedPrompts() { ui::Prompts::install(this); }

ScriptedPrompts::~ScriptedPrompts() { ui::Prompts::install(nullptr); }

void ScriptedPrompts::message(QWidget *, const QString &text, const QString &title)
{
    messages.append({text, title});
}

std::optional<QString> ScriptedPrompts::input(QWidget *, const QString &prompt, const QString &title,
                                              const QString &defaultText)
{
    inputsAsked.append({prompt, title, defaultText});
    return inputAnswers.isEmpty() ? std::nullopt : inputAnswers.dequeue();
}

QString ScriptedPrompts::openFile(QWidget *, const QString &, const QString &startPath)
{
    fileDialogStartPaths.append(startPath);
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

bool ScriptedPrompts::launch(const QString &program, const QStringList &arguments)
{
    launched.append(QStringList{program} + arguments);
    return launchSucceeds;
}

QString ScriptedPrompts::saveFile(QWidget *, const QString &, const QString &, const QString &filters)
{
    saveFilters.append(filters);
    return saveAnswers.isEmpty() ? QString() : saveAnswers.dequeue();
}

bool ScriptedPrompts::print(QWidget *, const QTextDocument &document)
{
    if (printAccepted)
        printed.append(document.toPlainText());
    return printAccepted;
}

ui::Prompts::SaveChoice ScriptedPrompts::askToSave(QWidget *, const QString &text, const QString &)
{
    saveQuestions.append(text);
    return saveChoices.isEmpty() ? SaveChoice::Discard : saveChoices.dequeue();
}
