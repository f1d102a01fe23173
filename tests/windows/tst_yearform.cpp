// The design-level-year window: choosing a data file, the guarantee rate, the
// design value and its year, the reports of a faulty file and the text editor.
#include "parameters/yearform.h"
#include "support/scriptedprompts.h"
#include "support/windowtest.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

using namespace windowtest;

namespace {
const QString checkFileText = QStringLiteral("请检查水文资料文件是否有错！");
const QString editorText = QStringLiteral("打开记事本和写字板输入水文资料");

// n records with falling values, so that the k-th smallest is year 1961 + n − k
// with value k + 0.25.
QByteArray fallingSeries(int n)
{
    QByteArray text = QByteArray::number(n) + "\n";
    for (int i = 0; i < n; ++i)
        text += QByteArray::number(1961 + i) + "," + QByteArray::number(n - i) + ".25\n";
    return text;
}
} // namespace

class TestYearform : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QByteArray m_path;

    QString dataFile(const QByteArray &text) { return windowtest::dataFile(m_dir, text); }

    // A PATH holding only a stand-in for a text editor, or nothing at all.
    QString useEditorPath(bool withEditor)
    {
        const QString bin = m_dir.filePath(withEditor ? "bin-editor" : "bin-empty");
        QDir().mkpath(bin);
        const QString editor = bin + "/mousepad";
        if (withEditor) {
            QFile f(editor);
            if (!f.open(QIODevice::WriteOnly))
                qFatal("cannot write %s", qPrintable(editor));
            f.write("#!/bin/sh\n");
            f.close();
            f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        qputenv("PATH", bin.toLocal8Bit());
        return editor;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_path = qgetenv("PATH");
    }
    void cleanup() { qputenv("PATH", m_path); }

    void levelYear_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("value");
        QByteArray thirty = "30\n";
        const float levels[] = {12.46f, 12.18f, 12.73f, 12.95f, 12.31f, 11.87f, 12.52f, 12.64f, 12.40f, 12.09f,
                                12.27f, 11.96f, 12.81f, 12.58f, 12.69f, 12.22f, 12.35f, 11.92f, 12.14f, 12.88f,
                                12.49f, 12.03f, 13.02f, 12.61f, 12.37f, 12.11f, 12.76f, 12.55f, 12.29f, 12.43f};
        for (int i = 0; i < 30; ++i)
            thirty += QByteArray::number(1961 + i) + "," + QByteArray::number(levels[i], 'f', 2) + "\n";
        QTest::newRow("30 years at 90 % is the third smallest") << thirty << "90" << "1972年" << "11.96";
        QTest::newRow("n 19 at 90 % ranks 1") << fallingSeries(19) << "90" << "1979年" << "1.25";
        QTest::newRow("n 29 at 90 % ranks 2") << fallingSeries(29) << "90" << "1988年" << "2.25";
        QTest::newRow("n 39 at 90 % ranks 3") << fallingSeries(39) << "90" << "1997年" << "3.25";
        QTest::newRow("n 49 at 90 % ranks 4") << fallingSeries(49) << "90" << "2006年" << "4.25";
        QTest::newRow("n 99 at 90 % ranks 9") << fallingSeries(99) << "90" << "2051年" << "9.25";
        QTest::newRow("n 199 at 90 % ranks 19") << fallingSeries(199) << "90" << "2141年" << "19.25";
        QTest::newRow("n 9 at 90 % ranks 1, not 0") << fallingSeries(9) << "90" << "1969年" << "1.25";
        QTest::newRow("ties at 50 % follow the exchanges") << QByteArray("3\n1961,5\n1962,5\n1963,3\n") << "50"
                                                          << "1962年" << "5";
        QTest::newRow("rate 0 is the largest value") << fallingSeries(30) << "0" << "1961年" << "30.25";
        QTest::newRow("an empty rate reads 0") << fallingSeries(30) << "" << "1961年" << "30.25";
        QTest::newRow("rate 0 with 200 records") << fallingSeries(200) << "0" << "1961年" << "200.25";
        QTest::newRow("rate above 100 % is the smallest") << fallingSeries(30) << "150" << "1990年" << "1.25";
    }
    void levelYear()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, rate);
        QFETCH(QString, year);
        QFETCH(QString, value);
        ScriptedPrompts prompts;
        yearform w;
        w.show();
        QCOMPARE(text(&w, "yeartext"), QString(" "));
        prompts.fileAnswers.enqueue(dataFile(file));
        prompts.inputAnswers.enqueue(rate);
        press(&w, "mycacul");
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages[0].text, QString("打开水文资料文件"));
        QCOMPARE(prompts.messages[0].title, QString("提示"));
        QCOMPARE(prompts.inputsAsked.size(), 1);
        QCOMPARE(prompts.inputsAsked[0].prompt, QString("输入最枯水位或流量保证率(默认为90%）"));
        QCOMPARE(prompts.inputsAsked[0].title, QString("提示"));
        QCOMPARE(prompts.inputsAsked[0].defaultText, QString("90"));
        QCOMPARE(text(&w, "yeartext"), year);
        QCOMPARE(text(&w, "qltext"), value);
        QVERIFY(prompts.launched.isEmpty());
    }

    void faultyFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("editor");
        QTest::newRow("without the count") << QByteArray("1961,2.35\n1962,2.1\n") << true;
        QTest::newRow("a count above 200") << fallingSeries(201) << true;
        QTest::newRow("a short file") << QByteArray("3\n1961,2.35\n1962,2.1\n") << true;
        QTest::newRow("a non-numeric field") << QByteArray("2\n1961,2.35\n1962,low\n") << true;
        QTest::newRow("count 0 opens no editor") << QByteArray("0\n1961,2.35\n") << false;
        QTest::newRow("one endless field") << QByteArray(2 * 1024 * 1024, '7') << true;
        QTest::newRow("2 MB of blank lines") << QByteArray(2 * 1024 * 1024, '\n') << true;
    }
    void faultyFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, editor);
        const QString program = useEditorPath(true);
        ScriptedPrompts prompts;
        yearform w;
        w.show();
        setText(&w, "yeartext", "1978年");
        setText(&w, "qltext", "2.35");
        prompts.fileAnswers.enqueue(dataFile(file));
        prompts.inputAnswers.enqueue(QString("90"));
        press(&w, "mycacul");
        QCOMPARE(prompts.messages.size(), 2);
        QCOMPARE(prompts.messages[1].text, checkFileText);
        QCOMPARE(prompts.messages[1].title, QString("提示"));
        QCOMPARE(prompts.launched, editor ? QList<QStringList>{{program}} : QList<QStringList>{});
        QCOMPARE(text(&w, "yeartext"), QString("1978年"));
        QCOMPARE(text(&w, "qltext"), QString("2.35"));
    }

    // A pipe chosen as the data file is not opened, so the window does not
    // wait for a writer that never comes.
    void aPipeIsNotOpened()
    {
        const QString program = useEditorPath(true);
        const QString path = m_dir.filePath("levels.fifo");
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        ScriptedPrompts prompts;
        yearform w;
        w.show();
        prompts.fileAnswers.enqueue(path);
        prompts.inputAnswers.enqueue(QString("90"));
        press(&w, "mycacul");
        QCOMPARE(prompts.messages.size(), 2);
        QCOMPARE(prompts.messages[1].text, checkFileText);
        QCOMPARE(prompts.launched, QList<QStringList>{{program}});
    }

    void missingFileAndNoEditor()
    {
        useEditorPath(false);
        ScriptedPrompts prompts;
        yearform w;
        w.show();
        prompts.fileAnswers.enqueue(m_dir.filePath("no such file.txt"));
        prompts.inputAnswers.enqueue(QString("90"));
        press(&w, "mycacul");
        QCOMPARE(prompts.messages.size(), 3);
        QCOMPARE(prompts.messages[1].text, checkFileText);
        QCOMPARE(prompts.messages[2].text, editorText);
        QCOMPARE(text(&w, "yeartext"), QString(" "));
    }

    void cancelledDialogAtFirst()
    {
        ScriptedPrompts prompts;
        yearform w;
        w.show();
        press(&w, "mycacul");
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY(prompts.inputsAsked.isEmpty());
        QCOMPARE(text(&w, "yeartext"), QString(" "));
    }

    void cancelledDialogReusesTheFile()
    {
        ScriptedPrompts prompts;
        yearform w;
        w.show();
        const QString path = dataFile(fallingSeries(30));
        prompts.fileAnswers.enqueue(path);
        prompts.inputAnswers.enqueue(QString("90"));
        press(&w, "mycacul");
        QCOMPARE(text(&w, "qltext"), QString("3.25"));
        prompts.inputAnswers.enqueue(QString("50"));
        press(&w, "mycacul"); // the dialog is cancelled this time
        QCOMPARE(prompts.fileDialogStartPaths, (QList<QString>{QString(), path}));
        QCOMPARE(text(&w, "yeartext"), QString("1976年"));
        QCOMPARE(text(&w, "qltext"), QString("15.25"));
    }

    void cancelledRateChangesNothing()
    {
        ScriptedPrompts prompts;
        yearform w;
        w.show();
        prompts.fileAnswers.enqueue(dataFile(fallingSeries(30)));
        press(&w, "mycacul");
        QCOMPARE(prompts.inputsAsked.size(), 1);
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY(prompts.launched.isEmpty());
        QCOMPARE(text(&w, "yeartext"), QString(" "));
        QCOMPARE(text(&w, "qltext"), QString());
    }

    void editorButton_data()
    {
        QTest::addColumn<bool>("onPath");
        QTest::addColumn<bool>("starts");
        QTest::addColumn<QString>("message");
        QTest::newRow("an editor on the PATH is started") << true << true << QString();
        QTest::newRow("an editor that will not start") << true << false << editorText;
        QTest::newRow("no editor on the PATH") << false << true << editorText;
    }
    void editorButton()
    {
        QFETCH(bool, onPath);
        QFETCH(bool, starts);
        QFETCH(QString, message);
        const QString program = useEditorPath(onPath);
        ScriptedPrompts prompts;
        prompts.launchSucceeds = starts;
        yearform w;
        w.show();
        press(&w, "Command1");
        QCOMPARE(prompts.launched, onPath ? QList<QStringList>{{program}} : QList<QStringList>{});
        QCOMPARE(prompts.lastMessage(), message);
    }
};

QTEST_MAIN(TestYearform)
#include "tst_yearform.moc"
