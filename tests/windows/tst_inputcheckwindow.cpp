// 编辑 → 检查输入 in every view of every calculator window: the same lines as
// varnolek-calc --check-input for the same texts, in a box titled 检查输入
// through the prompts; nothing read, calculated or shown changes.

#include "app/windowcatalog.h"
#include "catalogue/casefile.h"
#include "catalogue/catalogue.h"
#include "support/runcli.h"
#include "support/scriptedprompts.h"
#include "support/windowtest.h"
#include "ui/calculatorwindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <memory>

using namespace windowtest;

namespace {

std::unique_ptr<ui::CalculatorWindow> make(const std::string &window)
{
    std::unique_ptr<ui::CalculatorWindow> w(
        qobject_cast<ui::CalculatorWindow *>(findCalculator(QString::fromStdString(window))->make()));
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    return w;
}

QLineEdit *plain(QWidget *window, const std::string &name)
{
    for (QLineEdit *edit : window->findChildren<QLineEdit *>(QString::fromStdString(name)))
        if (!edit->property("index").isValid())
            return edit;
    return nullptr;
}

// What people type, each with something to tell but the last: a word, nothing,
// a number beyond a double, one beyond any label's range, a unit after the
// number, a number with blanks around it.
const QStringList typed = {"abc", "", "1e999", "99999", "0.3 m", " 2 "};

QString checkInput(ui::CalculatorWindow *w, ScriptedPrompts &prompts)
{
    const qsizetype before = prompts.messages.size();
    w->findChild<QAction *>("actionCheckInput")->trigger();
    if (prompts.messages.size() != before + 1)
        return QStringLiteral("<no message>");
    if (prompts.messages.last().title != QStringLiteral("检查输入"))
        return QStringLiteral("<title %1>").arg(prompts.messages.last().title);
    return prompts.messages.last().text;
}

} // namespace

class TestInputCheckWindow : public QObject {
    Q_OBJECT

private slots:
    void menuItem()
    {
        ScriptedPrompts prompts;
        const auto w = make("my1dform");
        auto *item = w->findChild<QAction *>("actionCheckInput");
        QVERIFY(item);
        QCOMPARE(item->text(), QString("检查输入"));
        QCOMPARE(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
        QVERIFY(w->menuBar()->findChild<QMenu *>("menuEdit")->actions().contains(item));
        QCOMPARE(checkInput(w.get(), prompts), QString("未发现问题"));
    }

    // The check tells and changes nothing: the results shown stay, and still
    // belong to the inputs.
    void resultsStay()
    {
        ScriptedPrompts prompts;
        const auto w = make("my1dform");
        w->show();
        setText(w.get(), "myk", "abc");
        press(w.get(), "Command1");
        const QString shown = text(w.get(), "myc");
        QVERIFY(w->resultsCurrent());
        QCOMPARE(checkInput(w.get(), prompts),
                 QString("水质降解系数K：“abc”不是数字，按 0 计算\n水质降解系数K：0 超出标注的范围 0.02-0.5 1/d"));
        QCOMPARE(text(w.get(), "myc"), shown);
        QCOMPARE(text(w.get(), "myk"), QString("abc"));
        QVERIFY(w->resultsCurrent());
    }

    void windowAndCommandLineTellTheSame_data()
    {
        QTest::addColumn<QString>("id");
        for (const catalogue::Entry &e : catalogue::entries())
            if (findCalculator(QString::fromStdString(e.window)))
                QTest::newRow(e.id.c_str()) << QString::fromStdString(e.id);
    }
    void windowAndCommandLineTellTheSame()
    {
        QFETCH(QString, id);
        const catalogue::Entry &view = catalogue::entry(id.toStdString());
        ScriptedPrompts prompts;
        const auto w = make(view.window);
        w->show();
        if (!view.groups.empty())
            w->showView(view, 3);
        else
            for (const std::string &option : view.options)
                w->findChild<QAbstractButton *>(QString::fromStdString(option))->click();

        // The views the window shows, each with the texts of its own fields.
        std::vector<const catalogue::Entry *> shown{&view};
        if (catalogue::sideBySide(view.window))
            shown = w->views();
        std::vector<QStringList> assignments(shown.size());
        int k = 0;
        for (std::size_t v = 0; v < shown.size(); ++v) {
            for (const catalogue::Field &f : shown[v]->fields) {
                const QString text = f.kind == catalogue::FieldKind::DataFile ? QStringLiteral("水文资料.txt") : typed[k++ % typed.size()];
                if (QLineEdit *edit = plain(w.get(), f.name)) {
                    edit->setText(text);
                } else if (!text.isEmpty()) {
                    // A text asked for in a dialog is told of once given: the
                    // level year's rate before any calculation is none.
                    w->setDataText(f.name, text);
                } else {
                    continue;
                }
                assignments[v] << QString::fromStdString(f.name) + "=" + text;
            }
            for (const catalogue::Group &group : shown[v]->groups)
                for (int i = 0; i < 3; ++i) {
                    const QString name = QString::fromStdString(group.name) + "." + QString::number(i);
                    const QString text = typed[k++ % typed.size()];
                    for (QLineEdit *edit : w->findChildren<QLineEdit *>(QString::fromStdString(group.name)))
                        if (edit->property("index").toInt() == i)
                            edit->setText(text);
                    assignments[v] << name + "=" + text;
                }
        }

        QStringList told;
        for (std::size_t v = 0; v < shown.size(); ++v) {
            const CliResult run =
                runCli(QStringList{QString::fromStdString(shown[v]->id), "--check-input"} + assignments[v]);
            QCOMPARE(run.status, 6);
            for (const QString &line : run.out.split(u'\n', Qt::SkipEmptyParts)) {
                const QString field = line.section(u'\t', 0, 0), text = line.section(u'\t', 1);
                QVERIFY2(shown[v]->accepts(field.toStdString()), qPrintable(line));
                if (!told.contains(text))
                    told << text;
            }
        }
        // The box lists the first findings and counts the rest.
        if (told.size() > 20) {
            const qsizetype rest = told.size() - 19;
            told.resize(19);
            told << QString("……另有 %1 项").arg(rest);
        }
        QCOMPARE(checkInput(w.get(), prompts).split(u'\n'), told);
    }

    void manyFindingsAreCounted()
    {
        ScriptedPrompts prompts;
        const auto w = make("myKform");
        w->show();
        w->showView(catalogue::entry("myKform/multi-point"), 60);
        press(w.get(), "mycancel"); // every row emptied, and the speed
        const QStringList lines = checkInput(w.get(), prompts).split(u'\n');
        QCOMPARE(lines.size(), 20);
        QCOMPARE(lines.first(), QString("水流流速：未填写，按 0 计算"));
        QCOMPARE(lines.last(), QString("……另有 %1 项").arg(1 + 2 * 60 - 19));
    }
};

QTEST_MAIN(TestInputCheckWindow)
#include "tst_inputcheckwindow.moc"
