// Saved cases, calculation sheets, the clipboard table and the formula window
// of the calculator windows, walked over the catalogue.

#include "app/windowcatalog.h"
#include "catalogue/casefile.h"
#include "documents/documents.h"
#include "support/examples.h"
#include "support/scriptedprompts.h"
#include "support/windowtest.h"
#include "ui/calculatorwindow.h"
#include "ui/extensions.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <memory>

using namespace windowtest;

namespace {

QString examplePath() { return QFINDTESTDATA("../../examples/lowest_water_levels_1961-1990.txt"); }

ui::CalculatorWindow *make(const QString &window)
{
    return qobject_cast<ui::CalculatorWindow *>(findCalculator(window)->make());
}

void trigger(QWidget *window, const char *action)
{
    auto *a = window->findChild<QAction *>(QString::fromLatin1(action));
    if (!a)
        qFatal("no action %s", action);
    a->trigger();
}

QAction *action(QWidget *window, const char *name) { return window->findChild<QAction *>(QString::fromLatin1(name)); }

QLineEdit *plain(QWidget *window, const std::string &name)
{
    for (QLineEdit *edit : window->findChildren<QLineEdit *>(QString::fromStdString(name)))
        if (!edit->property("index").isValid())
            return edit;
    return nullptr;
}

QList<QLineEdit *> rows(QWidget *window, const std::string &group)
{
    QList<QLineEdit *> found;
    for (QLineEdit *edit : window->findChildren<QLineEdit *>(QString::fromStdString(group)))
        if (edit->property("index").isValid())
            found.append(edit);
    std::sort(found.begin(), found.end(),
              [](QLineEdit *a, QLineEdit *b) { return a->property("index").toInt() < b->property("index").toInt(); });
    return found;
}

// Texts people type: a comma read as the end of the number, leading blanks,
// nothing at all, a number with a tail.
const QStringList typed = {"2,5", " 7", "", "0.35x", "1e2", "  12  "};

// Selects a view as the user does: its options clicked in order, the table's
// count answered.
void select(ui::CalculatorWindow *w, ScriptedPrompts &prompts, const catalogue::Entry &view, int count)
{
    for (const std::string &option : view.options) {
        if (!view.groups.empty())
            prompts.inputAnswers.enqueue(QString::number(count));
        w->findChild<QAbstractButton *>(QString::fromStdString(option))->click();
    }
}

// Where the sheets and the formula window are kept for looking at, when asked
// to (VARNOLEK_KEEP_DIR), e.g. for the screenshots of the documentation.
void keep(const QString &file, const QString &name)
{
    const QString dir = qEnvironmentVariable("VARNOLEK_KEEP_DIR");
    if (!dir.isEmpty())
        QFile::copy(file, QDir(dir).filePath(name));
}
void keep(QWidget *widget, const QString &name)
{
    const QString dir = qEnvironmentVariable("VARNOLEK_KEEP_DIR");
    if (!dir.isEmpty())
        widget->grab().save(QDir(dir).filePath(name));
}

QString fileText(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QString::fromUtf8(f.readAll());
}

} // namespace

class TestDocuments : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase()
    {
        // The settings of this run stay in its own folder.
        qputenv("XDG_CONFIG_HOME", m_dir.filePath("config").toUtf8());
        QVERIFY(m_dir.isValid());
    }

    void menus()
    {
        std::unique_ptr<ui::CalculatorWindow> w(make("my1dform"));
        const QList<QPair<const char *, QKeySequence>> expected = {
            {"actionOpenCase", QKeySequence("Ctrl+O")},     {"actionSaveCase", QKeySequence("Ctrl+S")},
            {"actionExportSheet", QKeySequence("Ctrl+E")},  {"actionPrintSheet", QKeySequence("Ctrl+P")},
            {"actionProjectName", QKeySequence()},          {"actionReturn", QKeySequence()},
            {"actionCopyResults", QKeySequence("Ctrl+Shift+C")}, {"actionFormula", QKeySequence("F1")}};
        for (const auto &item : expected) {
            QVERIFY2(action(w.get(), item.first), item.first);
            QCOMPARE(action(w.get(), item.first)->shortcut(), item.second);
        }
        QStringList menus;
        for (QAction *a : w->menuBar()->actions())
            menus << a->menu()->objectName();
        QCOMPARE(menus.first(), QString("menuFile"));
        QCOMPARE(menus.last(), QString("menuHelp"));
        QVERIFY(menus.contains("menuEdit"));
        // The form stands under the bar.
        QCOMPARE(w->form()->y(), w->menuBar()->height());
    }

    void resultsActionsFollowTheInputs()
    {
        ScriptedPrompts prompts;
        std::unique_ptr<ui::CalculatorWindow> w(make("myKform"));
        w->show();
        const QStringList names = {"actionExportSheet", "actionPrintSheet", "actionCopyResults"};
        auto enabled = [&] {
            int n = 0;
            for (const QString &name : names)
                n += action(w.get(), name.toLatin1().constData())->isEnabled();
            return n;
        };
        QCOMPARE(enabled(), 0);
        press(w.get(), "Command1");
        QCOMPARE(enabled(), 3);
        QTest::keyClick(field(w.get(), "myu"), Qt::Key_1);
        QCOMPARE(enabled(), 0);
        press(w.get(), "Command1");
        QCOMPARE(enabled(), 3);
        press(w.get(), "Command2"); // Cancel
        QCOMPARE(enabled(), 0);
        press(w.get(), "Command1"); // incomplete: nothing ran to its end
        QCOMPARE(enabled(), 0);
    }

    void returnClosesLikeTheButton()
    {
        QPointer<ui::CalculatorWindow> w(make("my2dform"));
        w->show();
        trigger(w, "actionReturn");
        QTRY_VERIFY(w.isNull());
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("id");
        // Every calculation of a calculator window; the frequency analysis has a window of its own.
        for (const catalogue::Entry &entry : catalogue::entries())
            if (findCalculator(QString::fromStdString(entry.window)))
                QTest::newRow(entry.id.c_str()) << QString::fromStdString(entry.id);
    }
    void roundTrip()
    {
        QFETCH(QString, id);
        const catalogue::Entry &view = catalogue::entry(id.toStdString());
        ScriptedPrompts prompts;
        std::unique_ptr<ui::CalculatorWindow> w(make(QString::fromStdString(view.window)));
        w->show();
        select(w.get(), prompts, view, 5);
        int k = 0;
        QMap<QString, QString> texts;
        std::vector<const catalogue::Entry *> saved{&view};
        if (catalogue::sideBySide(view.window))
            saved = w->views();
        for (const catalogue::Entry *each : saved)
            for (const catalogue::Field &f : each->fields)
                if (QLineEdit *edit = plain(w.get(), f.name)) {
                    edit->setText(typed[k++ % typed.size()]);
                    texts[edit->objectName()] = edit->text();
                }
        for (const catalogue::Group &group : view.groups)
            for (QLineEdit *edit : rows(w.get(), group.name))
                edit->setText(typed[k++ % typed.size()]);
        // The texts a window keeps itself: its data file and its rate.
        const catalogue::Field *dataFile = catalogue::dataFileField(view);
        if (dataFile) {
            w->setDataText(dataFile->name, exampleFile(*dataFile));
            w->setDataText("rate", " 95");
        }
        const QString file = path(QString("round-%1.vcase").arg(QString(id).replace('/', '-')));
        prompts.saveAnswers.enqueue(file);
        trigger(w.get(), "actionSaveCase");
        QVERIFY(prompts.messages.isEmpty());
        QVERIFY(QFile::exists(file));

        std::unique_ptr<ui::CalculatorWindow> fresh(make(QString::fromStdString(view.window)));
        fresh->show();
        prompts.fileAnswers.enqueue(file);
        trigger(fresh.get(), "actionOpenCase");
        QCOMPARE(prompts.messages.size(), 0);
        QCOMPARE(prompts.inputsAsked.size(), view.groups.empty() ? 0 : 1); // the table was not asked for again
        if (!catalogue::sideBySide(view.window))
            QCOMPARE(QString::fromStdString(fresh->currentEntry().id), id);
        for (auto it = texts.cbegin(); it != texts.cend(); ++it)
            QCOMPARE(plain(fresh.get(), it.key().toStdString())->text(), it.value());
        for (const catalogue::Group &group : view.groups) {
            const QList<QLineEdit *> before = rows(w.get(), group.name), after = rows(fresh.get(), group.name);
            QCOMPARE(after.size(), before.size());
            for (int i = 0; i < before.size(); ++i)
                QCOMPARE(after[i]->text(), before[i]->text());
        }
        if (dataFile) {
            QCOMPARE(*fresh->dataText(dataFile->name), exampleFile(*dataFile));
            QCOMPARE(*fresh->dataText("rate"), QString(" 95"));
        }
        QVERIFY(!fresh->resultsCurrent());
    }

    // Results are saved only while they belong to the inputs; loading clears them.
    void resultsSavedWhileCurrent()
    {
        ScriptedPrompts prompts;
        std::unique_ptr<ui::CalculatorWindow> w(make("my1dform"));
        w->show();
        press(w.get(), "Command1");
        const QString shown = text(w.get(), "myc");
        QVERIFY(!shown.isEmpty());
        prompts.saveAnswers.enqueue(path("current.vcase"));
        trigger(w.get(), "actionSaveCase");
        const catalogue::CaseFile current = catalogue::readCaseFile(path("current.vcase").toStdString());
        QCOMPARE(QString::fromStdString(*current.result("myc")), shown);
        QVERIFY(current.result("Label9"));

        QTest::keyClick(field(w.get(), "myk"), Qt::Key_5);
        prompts.saveAnswers.enqueue(path("stale")); // no extension: .vcase is added
        trigger(w.get(), "actionSaveCase");
        QVERIFY(catalogue::readCaseFile(path("stale.vcase").toStdString()).results.empty());

        prompts.fileAnswers.enqueue(path("current.vcase"));
        trigger(w.get(), "actionOpenCase");
        QCOMPARE(text(w.get(), "myc"), QString());
        QCOMPARE(caption(w.get(), "Label9"), QString());
    }

    void unwritablePath()
    {
        ScriptedPrompts prompts;
        std::unique_ptr<ui::CalculatorWindow> w(make("my1dform"));
        prompts.saveAnswers.enqueue(path("no/such/folder/x.vcase"));
        trigger(w.get(), "actionSaveCase");
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY(prompts.lastMessage().startsWith("算例文件无法保存："));
        QCOMPARE(prompts.messages[0].title, QString("提示"));
    }

    // A case of another window opens that window and loads there.
    void caseOfAnotherWindow()
    {
        ScriptedPrompts prompts;
        QFile f(path("other.vcase"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(R"({"program":"Varnolek","format":1,"calculation":"myvolform/lake","fields":{"myb":" 7"}})");
        f.close();
        std::unique_ptr<ui::CalculatorWindow> opened;
        ui::setCalculatorOpener([&](const QString &name) {
            opened.reset(make(name));
            return opened.get();
        });
        std::unique_ptr<ui::CalculatorWindow> w(make("my1dform"));
        const QString before = text(w.get(), "myk");
        prompts.fileAnswers.enqueue(path("other.vcase"));
        trigger(w.get(), "actionOpenCase");
        ui::setCalculatorOpener(nullptr);
        QVERIFY(opened);
        QCOMPARE(opened->objectName(), QString("myvolform"));
        QCOMPARE(QString::fromStdString(opened->currentEntry().id), QString("myvolform/lake"));
        QCOMPARE(plain(opened.get(), "myb")->text(), QString(" 7"));
        QCOMPARE(text(w.get(), "myk"), before);
    }

    void badFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        const QByteArray head = R"({"program":"Varnolek","format":1,)";
        QTest::newRow("not JSON") << QByteArray("myk=0.3") << "文件内容不是 JSON 格式";
        QTest::newRow("invalid UTF-8") << head + "\"calculation\":\"my1dform\",\"fields\":{\"myk\":\"\xb0\xb1\"}}"
                                       << "文件不是有效的 UTF-8 文本";
        QTest::newRow("over 1 MB") << head + "\"calculation\":\"my1dform\",\"fields\":{\"myk\":\"" +
                                          QByteArray(1024 * 1024, '1') + "\"}}"
                                   << "文件大于 1 MB";
        QTest::newRow("another program") << QByteArray(R"({"program":"Other","format":1,"calculation":"my1dform"})")
                                         << "不是 Varnolek 的算例文件";
        QTest::newRow("newer format") << QByteArray(R"({"program":"Varnolek","format":2,"calculation":"my1dform"})")
                                      << "算例格式版本 2 比本程序所支持的新，请升级 Varnolek";
        QTest::newRow("unknown calculation") << head + R"("calculation":"my3dform"})" << "未知的计算“my3dform”";
        QTest::newRow("field of the wrong type") << head + R"("calculation":"my1dform","fields":{"myk":0.3}})"
                                                 << "字段“myk”的值不是文本";
        QTest::newRow("field the calculation lacks") << head + R"("calculation":"my1dform","fields":{"myv":"1"}})"
                                                     << "计算“my1dform”没有字段“myv”";
        QTest::newRow("not an object") << QByteArray("[1, 2]") << "文件内容不是算例";
        QTest::newRow("uneven table") << head + R"("calculation":"myKform/multi-point","rows":{"Text4":["1","2"],"Text2":["1"]}})"
                                      << "表格各列的行数不同";
    }
    void badFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        ScriptedPrompts prompts;
        QFile f(path("bad.vcase"));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        std::unique_ptr<ui::CalculatorWindow> w(make("my1dform"));
        w->show();
        setText(w.get(), "myk", "2,5");
        press(w.get(), "Command1");
        const catalogue::Case before = w->windowCase();
        const QString result = text(w.get(), "myc");
        prompts.fileAnswers.enqueue(path("bad.vcase"));
        trigger(w.get(), "actionOpenCase");
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages[0].title, QString("提示"));
        QCOMPARE(prompts.messages[0].text, "算例文件无法读取：" + reason);
        const catalogue::Case after = w->windowCase();
        QCOMPARE(after.fields.size(), before.fields.size());
        for (std::size_t i = 0; i < before.fields.size(); ++i)
            QCOMPARE(after.text(before.fields[i].first), before.fields[i].second);
        QCOMPARE(text(w.get(), "myc"), result);
        QVERIFY(w->resultsCurrent());
    }

    void exports_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("ok");
        QTest::newRow("my2dform") << "my2dform" << "" << "Command1";
        QTest::newRow("myKform/multi-point") << "myKform" << "Option2" << "caculk";
        QTest::newRow("yearform") << "yearform" << "" << "mycacul";
        QTest::newRow("designflowform") << "designflowform"
                                        << "Option2"
                                        << "Command1";
    }
    void exports()
    {
        QFETCH(QString, window);
        QFETCH(QString, option);
        QFETCH(QString, ok);
        ScriptedPrompts prompts;
        std::unique_ptr<ui::CalculatorWindow> w(make(window));
        w->show();
        if (!option.isEmpty()) {
            prompts.inputAnswers.enqueue("4");
            w->findChild<QAbstractButton *>(option)->click();
        }
        if (window == "yearform") {
            prompts.fileAnswers.enqueue(examplePath());
            prompts.inputAnswers.enqueue("90");
        }
        const catalogue::Entry &view = w->currentEntry();
        if (window == "designflowform")
            w->setDataText("file", exampleFile(*catalogue::dataFileField(view)));
        if (QLineEdit *first = plain(w.get(), view.fields.front().name))
            first->setText("  " + first->text()); // blanks the sheet keeps
        press(w.get(), ok.toLatin1().constData());
        QVERIFY(w->resultsCurrent());
        prompts.messages.clear();

        QStringList expected;
        for (const catalogue::Field &f : view.fields)
            expected << QString::fromStdString(f.label);
        for (const catalogue::Output &o : view.outputs) {
            QLineEdit *edit = plain(w.get(), o.name);
            expected << (edit ? edit->text() : w->findChild<QLabel *>(QString::fromStdString(o.name))->text());
        }
        const QString stem = path("sheet-" + window);
        for (const char *extension : {".html", ".odt", ".pdf"})
            prompts.saveAnswers.enqueue(stem + extension);
        prompts.inputAnswers.enqueue("清水河水源保护规划");
        for (int i = 0; i < 3; ++i)
            trigger(w.get(), "actionExportSheet");
        QVERIFY2(prompts.messages.isEmpty(), qPrintable(prompts.lastMessage()));
        // The project name is asked for once, at the first export.
        const int asked = int(std::count_if(prompts.inputsAsked.begin(), prompts.inputsAsked.end(),
                                            [](const auto &a) { return a.title == "项目名称"; }));
        QCOMPARE(asked, window == "my2dform" ? 1 : 0);

        const QString html = fileText(stem + ".html");
        QProcess unzip;
        unzip.start("unzip", {"-p", stem + ".odt", "content.xml"});
        QVERIFY(unzip.waitForFinished());
        const QString odt = QString::fromUtf8(unzip.readAllStandardOutput());
        QVERIFY(odt.contains("清水河水源保护规划"));
        // Every text names the face the windows show, so that word processors
        // agree on it; Qt's writer would otherwise name "Sans".
        QMap<QString, QString> faces;
        const QRegularExpression style(
            "<style:style style:name=\"(c\\d+)\"[^>]*>\\s*<style:text-properties [^>]*fo:font-family=\"([^\"]*)\"");
        for (auto m = style.globalMatch(odt); m.hasNext();) {
            const QRegularExpressionMatch found = m.next();
            faces[found.captured(1)] = found.captured(2);
        }
        int spans = 0;
        for (auto m = QRegularExpression("text:style-name=\"(c\\d+)\"").globalMatch(odt); m.hasNext(); ++spans)
            QCOMPARE(faces.value(m.next().captured(1)), QString("宋体"));
        QVERIFY(spans > 0);
        for (const QString &text : expected) {
            QVERIFY2(html.contains(text.toHtmlEscaped()), qPrintable(text));
            QVERIFY2(odt.contains(text.trimmed().toHtmlEscaped()), qPrintable(text));
        }
        // The blanks typed stand in the page.
        const QString first = plain(w.get(), view.fields.front().name)
                                  ? plain(w.get(), view.fields.front().name)->text()
                                  : QString();
        if (!first.isEmpty()) {
            QVERIFY(html.contains(">" + first.toHtmlEscaped() + "<"));
            QVERIFY(html.contains("white-space: pre-wrap"));
        }

        keep(stem + ".pdf", QString("sheet-%1.pdf").arg(window));
        keep(stem + ".odt", QString("sheet-%1.odt").arg(window));
        QFile pdf(stem + ".pdf");
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QCOMPARE(pdf.read(4), QByteArray("%PDF"));
        QProcess text;
        text.start("pdftotext", {"-layout", stem + ".pdf", "-"});
        QVERIFY(text.waitForFinished());
        const QString extracted = QString::fromUtf8(text.readAllStandardOutput());
        for (const catalogue::Output &o : view.outputs)
            if (QLineEdit *edit = plain(w.get(), o.name))
                QVERIFY2(extracted.contains(edit->text().trimmed()), qPrintable(extracted));
        QVERIFY(extracted.contains(QString::fromStdString(view.title)));

        if (window == "yearform") { // the ranked series and the rank chosen
            QVERIFY(html.contains("资料年数 n = 30"));
            QVERIFY(html.contains("选用第 3 位"));
        }
    }

    void printGoesThroughThePrompts()
    {
        ScriptedPrompts prompts;
        std::unique_ptr<ui::CalculatorWindow> w(make("my0dw"));
        w->show();
        press(w.get(), "Command1");
        trigger(w.get(), "actionPrintSheet");
        QCOMPARE(prompts.printed.size(), 1);
        QVERIFY(prompts.printed[0].contains(QString::fromStdString(w->currentEntry().formula).split('\n').first()));
    }

    void clipboardRows()
    {
        ScriptedPrompts prompts;
        std::unique_ptr<ui::CalculatorWindow> w(make("my1dform"));
        w->show();
        setText(w.get(), "myx", " 7");
        press(w.get(), "Command1");
        trigger(w.get(), "actionCopyResults");
        const QMimeData *data = QApplication::clipboard()->mimeData();
        QVERIFY(data->hasHtml());
        const QStringList lines = data->text().split('\n', Qt::SkipEmptyParts);
        const catalogue::Entry &view = w->currentEntry();
        QCOMPARE(lines.size(), int(view.fields.size() + view.outputs.size()));
        for (std::size_t i = 0; i < view.fields.size(); ++i) {
            const catalogue::Field &f = view.fields[i];
            QCOMPARE(lines[int(i)], QString::fromStdString(f.label) + '\t' + plain(w.get(), f.name)->text() + '\t' +
                                        QString::fromStdString(f.unit));
        }
        const catalogue::Output &main = view.outputs[0];
        QCOMPARE(lines[int(view.fields.size())], QString::fromStdString(main.label) + '\t' + text(w.get(), "myc") +
                                                     '\t' + QString::fromStdString(main.unit));
        QVERIFY(data->html().contains("<td style=\"white-space: pre-wrap\"> 7</td>"));
    }

    // The project name of a window goes with its case and comes back with it
    // into the window's sheets; a case saved before the name was kept leaves
    // the window's own.
    void projectNameTravelsWithTheCase()
    {
        ScriptedPrompts prompts;
        const char *ok = catalogue::entry("my2dw").okButton.c_str();
        std::unique_ptr<ui::CalculatorWindow> w(make("my2dw"));
        w->show();
        prompts.inputAnswers.enqueue(QString("乙水库水源保护规划"));
        trigger(w.get(), "actionProjectName");
        QCOMPARE(documents::projectNameOf(*w), QString("乙水库水源保护规划"));
        prompts.saveAnswers.enqueue(path("project.vcase"));
        trigger(w.get(), "actionSaveCase");
        QCOMPARE(QString::fromStdString(catalogue::readCaseFile(path("project.vcase").toStdString()).project),
                 QString("乙水库水源保护规划"));

        documents::setProjectName("丙河流域规划"); // the name later windows start with
        std::unique_ptr<ui::CalculatorWindow> opened(make("my2dw"));
        opened->show();
        QCOMPARE(documents::projectNameOf(*opened), QString("丙河流域规划"));
        prompts.fileAnswers.enqueue(path("project.vcase"));
        trigger(opened.get(), "actionOpenCase");
        QCOMPARE(documents::projectNameOf(*opened), QString("乙水库水源保护规划"));
        press(opened.get(), ok);
        const int asked = int(prompts.inputsAsked.size());
        prompts.saveAnswers.enqueue(path("project.html"));
        trigger(opened.get(), "actionExportSheet");
        QCOMPARE(int(prompts.inputsAsked.size()), asked); // the window has its name: nothing to ask
        QVERIFY(fileText(path("project.html")).contains("项目名称：乙水库水源保护规划"));

        QFile older(path("older.vcase"));
        QVERIFY(older.open(QIODevice::WriteOnly));
        older.write(R"({"program":"Varnolek","format":1,"calculation":"my2dw","fields":{"myx":"150"}})");
        older.close();
        std::unique_ptr<ui::CalculatorWindow> third(make("my2dw"));
        prompts.fileAnswers.enqueue(path("older.vcase"));
        trigger(third.get(), "actionOpenCase");
        QVERIFY(prompts.messages.isEmpty());
        QCOMPARE(plain(third.get(), "myx")->text(), QString("150"));
        QCOMPARE(documents::projectNameOf(*third), QString("丙河流域规划"));
    }

    void formulaWindow()
    {
        ScriptedPrompts prompts;
        std::unique_ptr<ui::CalculatorWindow> w(make("myKform"));
        w->show();
        trigger(w.get(), "actionFormula");
        trigger(w.get(), "actionFormula");
        const QList<QWidget *> forms = w->findChildren<QWidget *>("formulaform");
        QCOMPARE(forms.size(), 1);
        QVERIFY(forms[0]->isVisible());
        QVERIFY(!forms[0]->isModal());
        auto *browser = forms[0]->findChild<QTextBrowser *>();
        keep(forms[0], "formulaform.png");
        QVERIFY(browser->toPlainText().contains(QString::fromStdString(w->currentEntry().formula)));
        prompts.inputAnswers.enqueue("3");
        w->findChild<QAbstractButton *>("Option2")->click(); // the window follows the view
        QVERIFY(browser->toPlainText().contains(
            QString::fromStdString(catalogue::entry("myKform/multi-point").formula).split('\n').first()));
    }
};

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
