#include "yearform.h"

#include "core/hydrology.h"
#include "ui/extensions.h"
#include "ui/look.h"
#include "ui/prompts.h"
#include "ui/twips.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>

using ui::tw;
namespace hydrology = varnolek::hydrology;

namespace {
const QColor labelColour{255, 192, 255};
const QColor resultColour{255, 224, 192};
const QString promptTitle = QStringLiteral("提示");

struct Editor {
    QString program;
    QStringList arguments;
};

// The text editors to try, in order, for typing a data file.
QList<Editor> editors()
{
#if defined(Q_OS_WIN)
    return {{QStringLiteral("C:\\WINDOWS\\NOTEPAD.EXE"), {}}};
#elif defined(Q_OS_MACOS)
    return {{QStringLiteral("/usr/bin/open"), {QStringLiteral("-a"), QStringLiteral("TextEdit")}}};
#else
    QList<Editor> found;
    for (const char *name : {"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "pluma", "xed",
                             "featherpad", "leafpad"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty())
            found.append({path, {}});
    }
    return found;
#endif
}

void styleResult(QLineEdit *field)
{
    field->setFont(ui::font(ui::faceSong, 16.2, true));
    ui::paint(field, resultColour, Qt::black);
}
} // namespace

yearform::yearform()
    : CalculatorWindow("yearform", ui::ButtonFace::Li)
{
    Command1 = addButton(this, "Command1", "请输入水文资料", tw(600, 120, 3840, 732), [this] { openEditor(); });
    mycacul = addButton(this, "mycacul", "计 算 水 平 年", tw(600, 1200, 3840, 732),
                        [this] { calculateLevelYear(); });
    Label1 = addLabel(this, "Label1", QString::fromStdString(currentEntry().outputs[0].label), tw(600, 2280, 1692, 492));
    Label1->setFont(ui::font(ui::faceSong, 13.8, true));
    ui::paint(Label1, labelColour, Qt::black);
    yeartext = addResult(this, "yeartext", tw(2880, 2280, 1452, 492));
    yeartext->setText(QStringLiteral(" "));
    styleResult(yeartext);
    Label2 = addLabel(this, "Label2", QString::fromStdString(currentEntry().outputs[1].label), tw(600, 3240, 1692, 492));
    Label2->setFont(ui::font(ui::faceSong, 13.8));
    ui::paint(Label2, labelColour, Qt::black);
    qltext = addResult(this, "qltext", tw(2880, 3240, 1452, 492));
    styleResult(qltext);
    myexit = addButton(this, "myexit", "返   回", tw(600, 4200, 3840, 732), [this] { returnToMenu(); });
    fitToContents(600);

    actionFrequency = new QAction(QStringLiteral("频率分析…"), this);
    actionFrequency->setObjectName(QStringLiteral("actionFrequency"));
    connect(actionFrequency, &QAction::triggered, this, [this] { openFrequency(); });
    menu(QStringLiteral("menuAnalysis"), QStringLiteral("分析(&A)"))->addAction(actionFrequency);
}

QWidget *yearform::frequencyWindow() const
{
    return m_frequency.data();
}

void yearform::openFrequency()
{
    // The window of the file chosen last is raised; another file gets a new one.
    if (m_frequency && m_frequency->windowFilePath() == m_lastPath) {
        m_frequency->raise();
        m_frequency->activateWindow();
        return;
    }
    ui::Extensions *extensions = ui::extensions();
    QWidget *window = extensions ? extensions->openFrequencyAnalysis(this, m_lastPath) : nullptr;
    if (!window)
        return;
    if (m_frequency)
        m_frequency->close();
    m_frequency = window;
    // A file chosen for the analysis is the file the level-year dialog starts from next.
    m_lastPath = window->windowFilePath();
}

void yearform::openEditor()
{
    for (const Editor &editor : editors())
        if (ui::Prompts::current().launch(editor.program, editor.arguments))
            return;
    ui::Prompts::current().message(this, QStringLiteral("打开记事本和写字板输入水文资料"), promptTitle);
}

void yearform::calculateLevelYear()
{
    ui::Prompts &prompts = ui::Prompts::current();
    prompts.message(this, QStringLiteral("打开水文资料文件"), promptTitle);
    const QString chosen = prompts.openFile(this, QString(), m_lastPath);
    if (!chosen.isEmpty())
        m_lastPath = chosen;
    if (m_lastPath.isEmpty())
        return;
    const std::optional<QString> rate = prompts.input(this, QStringLiteral("输入最枯水位或流量保证率(默认为90%）"),
                                                      promptTitle, QString::fromStdString(field("rate").defaultText));
    if (!rate)
        return; // a cancelled rate changes nothing
    m_lastRate = *rate;
    catalogue::Case c;
    c.setOwned("file", m_lastPath.toStdString());
    c.setOwned("rate", rate->toStdString());
    run(currentEntry(), c);
}

std::optional<QString> yearform::dataText(std::string_view name) const
{
    if (name == "file")
        return m_lastPath;
    if (name == "rate")
        return m_lastRate;
    return std::nullopt;
}

void yearform::setDataText(std::string_view name, const QString &text)
{
    if (name == "file")
        m_lastPath = text;
    else if (name == "rate")
        m_lastRate = text;
}

// A file that cannot be used: the message, then the editor to mend it, unless
// the file holds no records at all.
void yearform::rejected(const catalogue::Rejected &rejection)
{
    CalculatorWindow::rejected(rejection);
    if (rejection.reason != static_cast<int>(hydrology::FileStatus::NoRecords))
        openEditor();
}
