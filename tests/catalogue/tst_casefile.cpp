// The project name in a saved case: written when there is one, read back,
// optional for the cases saved before it was kept, and refused when it is no text.

#include "catalogue/casefile.h"

#include <QTest>

class TestCaseFile : public QObject {
    Q_OBJECT

private slots:
    void projectNameRoundTrip_data();
    void projectNameRoundTrip();
    void projectNameOfOlderCases();
    void projectNameThatIsNoText();
};

void TestCaseFile::projectNameRoundTrip_data()
{
    QTest::addColumn<QString>("project");
    QTest::addColumn<bool>("written"); // whether the file has the key at all
    QTest::newRow("a Chinese name") << "清水河水源保护规划" << true;
    QTest::newRow("quotes and a line break") << "“甲”\n\"乙\"" << true;
    QTest::newRow("no name, no key") << "" << false;
}

void TestCaseFile::projectNameRoundTrip()
{
    QFETCH(QString, project);
    QFETCH(bool, written);
    catalogue::CaseFile c;
    c.calculation = "my1dform";
    c.project = project.toStdString();
    c.fields = {{"myk", "0.3"}};
    const std::string text = catalogue::caseFileText(c);
    QCOMPARE(text.find("\"project\"") != std::string::npos, written);
    const catalogue::CaseFile read = catalogue::parseCaseFile(text);
    QCOMPARE(QString::fromStdString(read.project), project);
    QCOMPARE(read.fields, c.fields);
}

void TestCaseFile::projectNameOfOlderCases()
{
    const catalogue::CaseFile read = catalogue::parseCaseFile(
        R"({"program": "Varnolek", "format": 1, "calculation": "my1dform", "fields": {"myx": "5"}})");
    QCOMPARE(read.project, std::string());
    QCOMPARE(read.fields.size(), std::size_t(1));
}

void TestCaseFile::projectNameThatIsNoText()
{
    try {
        catalogue::parseCaseFile(R"({"program": "Varnolek", "format": 1, "calculation": "my1dform", "project": 7})");
        QFAIL("a project name 7 was read");
    } catch (const catalogue::BadCaseFile &bad) {
        QCOMPARE(QString::fromUtf8(bad.what()), QString("“project”的值不是文本"));
    }
}

QTEST_GUILESS_MAIN(TestCaseFile)
#include "tst_casefile.moc"
