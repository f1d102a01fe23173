// Every control of every calculator window takes the pointer: in each view of
// each window the shell can open, and in the degradation-coefficient table of
// 4, 12, 60 and 130 monitoring points, every visible button and field (scrolled
// into view where the table scrolls) is the widget under its own centre. A
// control covered by another widget (a frame, a block of the table's rows)
// takes no click at all, and tests that press buttons with click() never see it.

#include "app/windowcatalog.h"
#include "catalogue/catalogue.h"
#include "support/scriptedprompts.h"
#include "ui/calculatorwindow.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QScrollArea>
#include <QTest>
#include <memory>

Q_DECLARE_METATYPE(const catalogue::Entry *)

namespace {

// The sizes of a table to try: a few rows, a screenful, and tables that scroll
// through several blocks of rows.
constexpr int tableRows[] = {4, 12, 60, 130};

QString nameOf(const QWidget *w)
{
    if (!w)
        return QStringLiteral("nothing");
    QString name = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
    if (w->property("index").isValid())
        name += u'.' + w->property("index").toString();
    return name;
}

} // namespace

class TestPointer : public QObject {
    Q_OBJECT

private slots:
    void controlsTakeThePointer_data();
    void controlsTakeThePointer();
};

void TestPointer::controlsTakeThePointer_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<const catalogue::Entry *>("view");
    QTest::addColumn<int>("rows");
    for (const CalculatorEntry &calculator : calculatorCatalog()) {
        const std::vector<const catalogue::Entry *> views = catalogue::entriesOf(calculator.window.toStdString());
        QVERIFY2(!views.empty(), qPrintable(calculator.window));
        for (const catalogue::Entry *view : views) {
            if (view->groups.empty()) {
                QTest::addRow("%s", view->id.c_str()) << calculator.window << view << 0;
                continue;
            }
            for (int rows : tableRows)
                if (rows <= view->groups.front().maxRows)
                    QTest::addRow("%s, %d rows", view->id.c_str(), rows) << calculator.window << view << rows;
        }
    }
}

void TestPointer::controlsTakeThePointer()
{
    QFETCH(QString, window);
    QFETCH(const catalogue::Entry *, view);
    QFETCH(int, rows);
    ScriptedPrompts prompts;
    std::unique_ptr<ui::CalculatorWindow> w(qobject_cast<ui::CalculatorWindow *>(findCalculator(window)->make()));
    QVERIFY(w);
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    w->showView(*view, rows);
    QVERIFY(prompts.messages.isEmpty());

    QStringList checked;
    for (QWidget *control : w->findChildren<QWidget *>()) {
        if (!(qobject_cast<QAbstractButton *>(control) || qobject_cast<QLineEdit *>(control)) || !control->isVisible())
            continue;
        for (QWidget *p = control->parentWidget(); p; p = p->parentWidget())
            if (auto *area = qobject_cast<QScrollArea *>(p))
                area->ensureWidgetVisible(control);
        const QPoint centre = control->mapTo(w.get(), control->rect().center());
        QWidget *hit = w->childAt(centre);
        QVERIFY2(hit == control || control->isAncestorOf(hit), qPrintable(QStringLiteral("%1 at (%2, %3) lies under %4")
                                                                              .arg(nameOf(control))
                                                                              .arg(centre.x())
                                                                              .arg(centre.y())
                                                                              .arg(nameOf(hit))));
        checked << nameOf(control);
    }
    // The view's OK button and every row of its table are among them.
    QVERIFY2(checked.contains(QString::fromStdString(view->okButton)), qPrintable(checked.join(u' ')));
    for (const catalogue::Group &group : view->groups)
        for (int i = 0; i < rows; ++i)
            QVERIFY(checked.contains(QString::fromStdString(group.name) + u'.' + QString::number(i)));
}

QTEST_MAIN(TestPointer)
#include "tst_pointer.moc"
