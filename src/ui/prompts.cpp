#include "prompts.h"

#include "extensions.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>

namespace ui {

namespace {

class DialogPrompts final : public Prompts {
public:
    void message(QWidget *parent, const QString &text, const QString &title) override
    {
        QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
        box.exec();
    }

    std::optional<QString> input(QWidget *parent, const QString &prompt, const QString &title,
                                 const QString &defaultText) override
    {
        bool ok = false;
        const QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, defaultText, &ok);
        if (!ok)
            return std::nullopt;
        return text;
    }

    QString openFile(QWidget *parent, const QString &title, const QString &startPath) override
    {
        return QFileDialog::getOpenFileName(parent, title, startPath);
    }

    bool launch(const QString &program, const QStringList &arguments) override
    {
        return QProcess::startDetached(program, arguments);
    }

    QString saveFile(QWidget *parent, const QString &title, const QString &startPath, const QString &filters) override
    {
        return QFileDialog::getSaveFileName(parent, title, startPath, filters);
    }

    SaveChoice askToSave(QWidget *parent, const QString &text, const QString &title) override
    {
        QMessageBox box(QMessageBox::Question, title, text,
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
        box.setDefaultButton(QMessageBox::Save);
        switch (box.exec()) {
        case QMessageBox::Save:
            return SaveChoice::Save;
        case QMessageBox::Discard:
            return SaveChoice::Discard;
        default:
            return SaveChoice::Cancel;
        }
    }

    // The print dialog comes with the calculation sheets it prints.
    bool print(QWidget *parent, const QTextDocument &document) override
    {
        Extensions *module = extensions();
        return module && module->print(parent, document);
    }
};

Prompts *installed = nullptr;

} // namespace

QString Prompts::saveFile(QWidget *, const QString &, const QString &, const QString &) { return QString(); }

bool Prompts::print(QWidget *, const QTextDocument &) { return false; }

Prompts::SaveChoice Prompts::askToSave(QWidget *, const QString &, const QString &)
{
    return SaveChoice::Cancel;
}

Prompts &Prompts::current()
{
    static DialogPrompts dialogs;
    return installed ? *installed : dialogs;
}

void Prompts::install(Prompts *prompts) { installed = prompts; }

} // namespace ui
