// varnolek-calc must give what the windows give: for every calculation, the
// window shows the same fields with the same labels and default texts, and
// pressing OK on the defaults writes the same texts.

#include "app/windowcatalog.h"
#include "catalogue/catalogue.h"
#include "support/scriptedprompts.h"
#include "support/windowtest.h"

#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <memory>

using namespace windowtest;

class TestCalcMatchesWindows : public QObject {
    Q_OBJECT

private slots:
    void everyCalculationIsCovered();
    void defaultsAndResults_data();
    void defaultsAndResults();
};

namespace {

struct WindowCase {
    const char *id;
    const char *option;  // the option button that selects the view, or nullptr
    QStringList presses; // the OK presses, in order
    QStringList answers; // answers to input boxes (the multi-point table, the guarantee rate)
    bool fieldsAreControls = true; // yearform's "fields" are a file and a prompt
};

QString examplePath() { return QFINDTESTDATA("../../examples/lowest_water_levels_1961-1990.txt"); }

const QList<WindowCase> &windowCases()
{
    static const QList<WindowCase> cases = {
        {"my0dform/volume", nullptr, {"caculc"}, {}},
        {"my0dform/section", nullptr, {"caculc1"}, {}},
        {"my1dform", nullptr, {"Command1"}, {}},
        {"my2dform", nullptr, {"Command1"}, {}},
        {"MYLFORM", nullptr, {"Command1"}, {}},
        {"my0dw", nullptr, {"Command1"}, {}},
        {"my1dw", nullptr, {"caculw"}, {}},
        {"my2dw", nullptr, {"Command1"}, {}},
        {"myvolform/one-way", nullptr, {"caculv"}, {}},
        {"myvolform/two-way", "Option3", {"caculv"}, {}},
        {"myvolform/lake", "Option2", {"caculv"}, {}},
        {"myRevolform/monitoring/one-way", nullptr, {"caculv"}, {}},
        {"myRevolform/monitoring/two-way", "Option5", {"caculv"}, {}},
        {"myRevolform/monitoring/lake", "Option2", {"caculv"}, {}},
        {"myRevolform/sources", "Option4", {"caculv"}, {}},
        {"mycontrolV/known", nullptr, {"caculv"}, {}},
        {"mycontrolV/estimate", "Option4", {"caculv", "caculv"}, {}},
        {"myKform/two-point", nullptr, {"Command1"}, {}},
        {"myKform/multi-point", "Option2", {"caculk"}, {"4"}},
        {"yearform", nullptr, {"mycacul"}, {"90"}, false},
    };
    return cases;
}

QString windowOf(const std::string &id) { return QString::fromStdString(id.substr(0, id.find('/'))); }

// A field by its name; "Text4.2" is element 2 of the control group Text4.
QLineEdit *fieldNamed(QWidget *window, const QString &name)
{
    const QStringList parts = name.split('.');
    for (QLineEdit *edit : window->findChildren<QLineEdit *>(parts[0]))
        if (parts.size() == 1 || edit->property("index").toString() == parts[1])
            return edit;
    return nullptr;
}

QString shownText(QWidget *window, const QString &name)
{
    if (auto *field = window->findChild<QLineEdit *>(name))
        return field->text();
    if (auto *label = window->findChild<QLabel *>(name))
        return label->text();
    return "<no control " + name + ">";
}

// A label with this caption; it must be showing when its field is.
bool hasLabel(QWidget *window, const QString &text, const QLineEdit *field)
{
    for (QLabel *label : window->findChildren<QLabel *>())
        if (label->text() == text && (label->isVisible() || !field->isVisible()))
            return true;
    return false;
}

} // namespace

void TestCalcMatchesWindows::everyCalculationIsCovered()
{
    QStringList ids;
    for (const WindowCase &c : windowCases())
        ids << c.id;
    for (const catalogue::Entry &calculation : catalogue::entries())
        QVERIFY2(ids.contains(QString::fromStdString(calculation.id)), calculation.id.c_str());
}

void TestCalcMatchesWindows::defaultsAndResults_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < windowCases().size(); ++i)
        QTest::newRow(windowCases()[i].id) << i;
}

void TestCalcMatchesWindows::defaultsAndResults()
{
    QFETCH(int, index);
    const WindowCase &wc = windowCases()[index];
    const catalogue::Entry *calculation = catalogue::find(wc.id);
    QVERIFY(calculation);

    const CalculatorEntry *entry = findCalculator(windowOf(calculation->id));
    QVERIFY(entry);
    ScriptedPrompts prompts;
    for (const QString &answer : wc.answers)
        prompts.inputAnswers.enqueue(answer);
    prompts.fileAnswers.enqueue(examplePath());
    std::unique_ptr<QWidget> window(entry->make());
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->show();
    QCOMPARE(window->windowTitle(), QString::fromStdString(calculation->title));
    if (wc.option)
        QTest::mouseClick(child<QRadioButton>(window.get(), wc.option), Qt::LeftButton);

    for (const catalogue::Field &f : calculation->fields) {
        if (!wc.fieldsAreControls)
            break;
        const QString name = QString::fromStdString(f.name);
        QLineEdit *edit = fieldNamed(window.get(), name);
        QVERIFY2(edit, qPrintable(name));
        QCOMPARE(edit->text(), QString::fromStdString(f.defaultText));
        QVERIFY2(hasLabel(window.get(), QString::fromStdString(f.label), edit), f.label.c_str());
    }

    for (const QString &button : wc.presses)
        press(window.get(), qPrintable(button));
    for (const ShownMessage &m : prompts.messages)
        QVERIFY2(m.text == "打开水文资料文件", qPrintable(m.text)); // the level year's own prompt

    catalogue::Case defaults = catalogue::defaultCase(*calculation);
    const std::string file = examplePath().toStdString();
    if (!wc.fieldsAreControls)
        defaults.set("file", file);
    catalogue::Result result;
    calculation->run(*calculation, defaults, result);
    const std::vector<catalogue::Text> &outputs = result.texts;
    QCOMPARE(outputs.size(), calculation->outputs.size());
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        QCOMPARE(outputs[i].name, calculation->outputs[i].name);
        QCOMPARE(QString::fromStdString(outputs[i].text), shownText(window.get(), QString::fromUtf8(outputs[i].name.data(), qsizetype(outputs[i].name.size()))));
    }
}

QTEST_MAIN(TestCalcMatchesWindows)
#include "tst_calc_matches_windows.moc"
