// The degradation-coefficient window: both methods, the table of monitoring
// points built, rebuilt and scrolled, and their failures.
#include "parameters/mykform.h"
#include "support/scriptedprompts.h"
#include "support/windowtest.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

using namespace windowtest;

namespace {
const QString rebuildText = QStringLiteral("请按'返回'后重新进入");

// The elements of a control group, ordered by their index.
template <typename T>
QList<T *> group(QWidget *w, const char *name)
{
    QList<T *> elements = w->findChildren<T *>(QString::fromLatin1(name));
    std::sort(elements.begin(), elements.end(),
              [](T *a, T *b) { return a->property("index").toInt() < b->property("index").toInt(); });
    return elements;
}

void chooseMultiPoint(QWidget *w, ScriptedPrompts &prompts, std::optional<QString> answer)
{
    prompts.inputAnswers.enqueue(answer);
    QTest::mouseClick(child<QRadioButton>(w, "Option2"), Qt::LeftButton);
}

} // namespace

class TestMyKform : public QObject {
    Q_OBJECT

private slots:
    void twoPointWithDefaults()
    {
        ScriptedPrompts prompts;
        myKform w;
        w.show();
        QVERIFY(w.Frame2->isVisible());
        QVERIFY(!w.Frame3->isVisible());
        press(&w, "Command1");
        QCOMPARE(text(&w, "myk"), QString("0.316"));
        QVERIFY(prompts.messages.isEmpty());
    }

    void twoPointFailures_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty distance fails the check") << "myx" << "" << "请输入全部的参数";
        QTest::newRow("distance 0 divides by zero") << "myx" << "0" << "除数为零";
        QTest::newRow("second concentration abc reads 0") << "myc1" << "abc" << "除数为零";
        QTest::newRow("negative ratio has no logarithm") << "myc0" << "-8.3" << "无效的过程调用或参数";
    }
    void twoPointFailures()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, message);
        ScriptedPrompts prompts;
        myKform w;
        w.show();
        setText(&w, "myk", "earlier");
        setText(&w, field.toLatin1(), value);
        press(&w, "Command1");
        QCOMPARE(prompts.lastMessage(), message);
        QCOMPARE(text(&w, "myk"), QString("earlier"));
    }

    void twoPointCancel()
    {
        ScriptedPrompts prompts;
        myKform w;
        w.show();
        press(&w, "Command1");
        press(&w, "Command2");
        for (const char *name : {"myu", "myx", "myc0", "myc1", "myk"})
            QCOMPARE(text(&w, name), QString());
        QCOMPARE(text(&w, "Text6"), QString("0.3")); // the other method keeps its fields
        press(&w, "Command1");
        QCOMPARE(prompts.lastMessage(), QString("请输入全部的参数"));
    }

    void count_data()
    {
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<int>("rows");
        QTest::newRow("the default 4") << std::optional<QString>("4") << 4;
        QTest::newRow("empty") << std::optional<QString>("") << 3;
        QTest::newRow("cancelled") << std::optional<QString>() << 3;
        QTest::newRow("abc") << std::optional<QString>("abc") << 3;
        QTest::newRow("0") << std::optional<QString>("0") << 3;
        QTest::newRow("-5") << std::optional<QString>("-5") << 3;
        QTest::newRow("2") << std::optional<QString>("2") << 3;
        QTest::newRow("3.5 rounds to 4") << std::optional<QString>("3.5") << 4;
        QTest::newRow("4.5 rounds to 4") << std::optional<QString>("4.5") << 4;
    }
    void count()
    {
        QFETCH(std::optional<QString>, answer);
        QFETCH(int, rows);
        ScriptedPrompts prompts;
        myKform w;
        w.show();
        chooseMultiPoint(&w, prompts, answer);
        QCOMPARE(prompts.inputsAsked.size(), 1);
        QCOMPARE(prompts.inputsAsked[0].prompt, QString("请输入监测点个数："));
        QCOMPARE(prompts.inputsAsked[0].title, QString("提示"));
        QCOMPARE(prompts.inputsAsked[0].defaultText, QString("4"));
        QVERIFY(prompts.messages.isEmpty());
        QVERIFY(!w.Frame2->isVisible());
        QVERIFY(w.Frame3->isVisible());
        QCOMPARE(text(&w, "Text5"), QString::number(rows));
        for (const char *name : {"Label9", "Label8"})
            QCOMPARE(group<QLabel>(&w, name).size(), rows);
        for (const char *name : {"Text4", "Text2"})
            QCOMPARE(group<QLineEdit>(&w, name).size(), rows);
    }

    void defaultTable()
    {
        ScriptedPrompts prompts;
        myKform w;
        w.show();
        chooseMultiPoint(&w, prompts, QString("4"));
        const QList<QLineEdit *> c = group<QLineEdit>(&w, "Text4"), x = group<QLineEdit>(&w, "Text2");
        const QList<QLabel *> cl = group<QLabel>(&w, "Label9"), xl = group<QLabel>(&w, "Label8");
        const QStringList cs{"8.3", "8", "7.7", "7.4"}, xs{"2.0", "5", "8", "11"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(c[i]->property("index").toInt(), i);
            QCOMPARE(c[i]->text(), cs[i]);
            QCOMPARE(x[i]->text(), xs[i]);
            QCOMPARE(cl[i]->text(), QString("第 %1 监测点浓度(mg/L)").arg(i + 1));
            QCOMPARE(xl[i]->text(), QString("第 %1 监测点到排污口的距离(km)").arg(i + 1));
            // Rows 740 twips apart from 1080, every group in its column.
            for (QWidget *e : {static_cast<QWidget *>(c[i]), static_cast<QWidget *>(x[i]),
                               static_cast<QWidget *>(cl[i]), static_cast<QWidget *>(xl[i])}) {
                QCOMPARE(e->mapTo(w.Frame3, QPoint(0, 0)).y(), ui::px(1080 + 740 * i));
                QVERIFY(e->isVisible());
            }
            QCOMPARE(c[i]->mapTo(w.Frame3, QPoint(0, 0)).x(), c[0]->x());
        }
        // Buttons 600 under the last row, the result 700 lower, the frame 5600 high.
        QCOMPARE(w.caculk->y(), ui::px(1080 + 740 * 3 + 600));
        QCOMPARE(w.mycancel->y(), w.caculk->y());
        QCOMPARE(w.Text1->y(), ui::px(1080 + 740 * 3 + 1300));
        QCOMPARE(w.Label6->y(), w.Text1->y());
        QCOMPARE(w.Frame3->height(), ui::px(5600));
        QCOMPARE(w.Frame3->mapTo(w.form(), QPoint(0, 0)), ui::tw(120, 1800, 0, 0).topLeft());
        QVERIFY(w.Frame3->mapTo(w.form(), QPoint(0, w.Frame3->height())).y() <= w.form()->height());

        press(&w, "caculk");
        QCOMPARE(text(&w, "Text1"), QString("0.331"));
        QVERIFY(prompts.messages.isEmpty());
    }

    void storedCountIsUsed()
    {
        ScriptedPrompts prompts;
        myKform w;
        w.show();
        chooseMultiPoint(&w, prompts, QString("4"));
        setText(&w, "Text5", "3");
        press(&w, "caculk");
        QCOMPARE(text(&w, "Text1"), QString("0.331"));
    }

    void rebuild_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::newRow("grows") << 4 << 7;
        QTest::newRow("shrinks") << 7 << 3;
        QTest::newRow("same size") << 5 << 5;
    }
    void rebuild()
    {
        QFETCH(int, first);
        QFETCH(int, second);
        ScriptedPrompts prompts;
        myKform w;
        w.show();
        chooseMultiPoint(&w, prompts, QString::number(first));
        press(&w, "caculk");
        QVERIFY(!text(&w, "Text1").isEmpty());
        group<QLineEdit>(&w, "Text4").last()->setText("1");
        setText(&w, "Text4", "9"); // row 0 keeps what was typed
        QTest::mouseClick(w.Option1, Qt::LeftButton);
        QVERIFY(w.Frame2->isVisible());
        QVERIFY(!w.Frame3->isVisible());
        chooseMultiPoint(&w, prompts, QString::number(second));
        QVERIFY(prompts.messages.isEmpty());
        QVERIFY(w.Frame3->isVisible());
        const QList<QLineEdit *> c = group<QLineEdit>(&w, "Text4");
        QCOMPARE(c.size(), second);
        for (const char *name : {"Label9", "Label8"})
            QCOMPARE(group<QLabel>(&w, name).size(), second);
        QCOMPARE(group<QLineEdit>(&w, "Text2").size(), second);
        for (int i = 0; i < second; ++i)
            QCOMPARE(c[i]->property("index").toInt(), i);
        QCOMPARE(c[0]->text(), QString("9"));
        QCOMPARE(c.last()->text(), QString::fromStdString(varnolek::generalText(8.3 - 0.3 * (second - 1))));
        QCOMPARE(text(&w, "Text5"), QString::number(second));
        QCOMPARE(text(&w, "Text1"), QString()); // no K of the table replaced
        QCOMPARE(w.caculk->y(), ui::px(1080 + 740 * (second - 1) + 600));
        QCOMPARE(w.Frame3->height(), ui::px(1800 + 1080 + 740 * (second - 1) + 1300 - 800));
    }

    void countBeyondRange()
    {
        ScriptedPrompts prompts;
        myKform w;
        w.show();
        chooseMultiPoint(&w, prompts, QString("40000"));
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages[0].text, rebuildText);
        QCOMPARE(prompts.messages[0].title, QString("提示"));
        QCOMPARE(text(&w, "Text5"), QString("4"));
        QCOMPARE(group<QLineEdit>(&w, "Text4").size(), 1);
        QVERIFY(!w.Frame2->isVisible());
        QVERIFY(!w.Frame3->isVisible());

        // A table already built stays as it was.
        chooseMultiPoint(&w, prompts, QString("5"));
        chooseMultiPoint(&w, prompts, QString("40000"));
        QCOMPARE(prompts.lastMessage(), rebuildText);
        QCOMPARE(group<QLineEdit>(&w, "Text4").size(), 5);
        QCOMPARE(text(&w, "Text5"), QString("5"));
        QVERIFY(w.Frame3->isVisible());
        press(&w, "caculk");
        QVERIFY(!text(&w, "Text1").isEmpty());
    }

    void tallTableScrolls()
    {
        ScriptedPrompts prompts;
        myKform w;
        w.show();
        chooseMultiPoint(&w, prompts, QString("40"));
        QCOMPARE(group<QLineEdit>(&w, "Text4").size(), 40);
        const QRect screen = w.screen()->availableGeometry();
        QVERIFY(w.height() < screen.height());
        QVERIFY(w.frameGeometry().bottom() <= screen.bottom());
        auto *area = w.findChild<QScrollArea *>();
        QVERIFY(area && area->isVisible());
        QTRY_VERIFY(area->verticalScrollBar()->isVisible());
        QVERIFY(area->verticalScrollBar()->maximum() > 0);
        // The scroll bar does not cover the distance column.
        QVERIFY(w.Text2.back()->mapTo(&w, QPoint(w.Text2.back()->width(), 0)).x() <=
                area->verticalScrollBar()->mapTo(&w, QPoint(0, 0)).x());
        area->ensureWidgetVisible(w.Text1);
        QVERIFY(w.Text1->visibleRegion().boundingRect().height() == w.Text1->height());
        QCOMPARE(w.Text1->y(), ui::px(1080 + 740 * 39 + 1300));

        // Row 28 on suggests negative concentrations: the fit has no logarithm.
        setText(&w, "Text1", "earlier");
        press(&w, "caculk");
        QCOMPARE(prompts.lastMessage(), QString("无效的过程调用或参数"));
        QCOMPARE(text(&w, "Text1"), QString("earlier"));

        // Back to a short table: no scrolling, the window shrinks again.
        chooseMultiPoint(&w, prompts, QString("4"));
        QTRY_VERIFY(!area->verticalScrollBar()->isVisible());
        QCOMPARE(w.form()->height(), ui::px(1800 + 5600 + 120));
    }

    void multiPointCancel()
    {
        ScriptedPrompts prompts;
        myKform w;
        w.show();
        chooseMultiPoint(&w, prompts, QString("4"));
        press(&w, "caculk");
        press(&w, "mycancel");
        for (QLineEdit *f : group<QLineEdit>(&w, "Text4") + group<QLineEdit>(&w, "Text2"))
            QCOMPARE(f->text(), QString());
        QCOMPARE(text(&w, "Text1"), QString());
        QCOMPARE(text(&w, "Text6"), QString());
        QCOMPARE(text(&w, "Text5"), QString("4"));
        QCOMPARE(text(&w, "myu"), QString("0.30"));
        press(&w, "caculk");
        QCOMPARE(prompts.lastMessage(), QString("无效的过程调用或参数"));
        QCOMPARE(text(&w, "Text1"), QString());
    }

    void allDistancesEqual()
    {
        ScriptedPrompts prompts;
        myKform w;
        w.show();
        chooseMultiPoint(&w, prompts, QString("3"));
        for (QLineEdit *f : group<QLineEdit>(&w, "Text2"))
            f->setText("2");
        press(&w, "caculk");
        QCOMPARE(prompts.lastMessage(), QString("除数为零"));
    }
};

QTEST_MAIN(TestMyKform)
#include "tst_myKform.moc"
