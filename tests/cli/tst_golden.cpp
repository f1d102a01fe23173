// Every text varnolek-calc printed for the recorded cases, byte for byte: each
// calculation at its defaults and a few hundred seeded random cases (odd texts
// among them) as single cases, batches, sweeps, drawn cases and statistics of
// the values as shown. The records are made by scripts/golden-outputs.py; a
// difference here is a digit a user would see change.

#include "support/runcli.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

namespace {

struct Record {
    QStringList args;
    QByteArray input;
    int status = 0;
    QByteArray out, err;
};

// Reads "--- NAME LENGTH\n" then LENGTH bytes and a line break.
bool readBlock(const QByteArray &text, qsizetype &at, const QByteArray &name, QByteArray &block)
{
    const QByteArray head = "--- " + name + " ";
    if (!text.mid(at).startsWith(head))
        return false;
    const qsizetype end = text.indexOf('\n', at);
    bool ok = false;
    const qsizetype length = text.mid(at + head.size(), end - at - head.size()).toLongLong(&ok);
    if (!ok)
        return false;
    block = text.mid(end + 1, length);
    at = end + 1 + length + 1;
    return block.size() == length;
}

QList<Record> readRecords(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = file.readAll();
    const QString examples = QFileInfo(QFINDTESTDATA("../../examples")).absoluteFilePath();
    QList<Record> records;
    qsizetype at = 0;
    while (at < text.size()) {
        Record r;
        if (!text.mid(at).startsWith("=== "))
            return {};
        const qsizetype end = text.indexOf('\n', at);
        // The arguments as a JSON array of texts.
        const QJsonDocument args = QJsonDocument::fromJson(text.mid(at + 4, end - at - 4));
        if (!args.isArray())
            return {};
        for (const QJsonValue &arg : args.array())
            r.args << arg.toString().replace("{examples}", examples);
        at = end + 1;
        QByteArray block;
        if (readBlock(text, at, "stdin", block))
            r.input = QString::fromUtf8(block).replace("{examples}", examples).toUtf8();
        const qsizetype exitEnd = text.indexOf('\n', at);
        if (!text.mid(at).startsWith("--- exit "))
            return {};
        r.status = text.mid(at + 9, exitEnd - at - 9).toInt();
        at = exitEnd + 1;
        if (!readBlock(text, at, "stdout", r.out) || !readBlock(text, at, "stderr", r.err))
            return {};
        r.out.replace("{examples}", examples.toUtf8());
        r.err.replace("{examples}", examples.toUtf8());
        records << r;
    }
    return records;
}

} // namespace

Q_DECLARE_METATYPE(Record)

class tst_golden : public QObject {
    Q_OBJECT

private slots:
    void outputsAreAsRecorded_data()
    {
        QTest::addColumn<Record>("record");
        const QList<Record> records = readRecords(QFINDTESTDATA("golden/outputs.txt"));
        // At least every calculation at its defaults and its random cases.
        QVERIFY2(records.size() >= 200, "the golden records cannot be read");
        for (const Record &r : records)
            QTest::newRow(r.args.join(' ').left(120).toUtf8().constData()) << r;
    }
    void outputsAreAsRecorded()
    {
        QFETCH(Record, record);
        const CliResult result = runCli(record.args, record.input);
        QCOMPARE(result.out.toUtf8(), record.out);
        QCOMPARE(result.err.toUtf8(), record.err);
        QCOMPARE(result.status, record.status);
    }
};

QTEST_GUILESS_MAIN(tst_golden)
#include "tst_golden.moc"
