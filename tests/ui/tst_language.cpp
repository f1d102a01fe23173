// Qt's own dialogs speak Chinese once the program's start-up has installed
// Qt's translation: the message box's OK reads 确定, and the input box and the
// file dialog follow.

#include "ui/language.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

class TestLanguage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // What the message box says before: the test proves the translation, not Qt's default.
        QMessageBox box(QMessageBox::NoIcon, "t", "x", QMessageBox::Ok);
        QCOMPARE(box.button(QMessageBox::Ok)->text(), QString("OK"));
        m_translator = ui::installQtTranslations();
        QVERIFY2(m_translator, "qtbase_zh_CN.qm (qt6-translations-l10n) is not installed");
    }

    void installedOnce() { QCOMPARE(ui::installQtTranslations(), m_translator); }

    void messageBox()
    {
        QMessageBox box(QMessageBox::NoIcon, "提示", "请输入全部的参数", QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Ok)->text(), QString("确定"));
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QString("取消"));
    }

    void inputBox()
    {
        QInputDialog dialog;
        dialog.setLabelText("请输入监测点个数：");
        dialog.show();
        auto *buttons = dialog.findChild<QDialogButtonBox *>();
        QVERIFY(buttons);
        QCOMPARE(buttons->button(QDialogButtonBox::Ok)->text(), QString("确定"));
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QString("取消"));
    }

    void fileDialog()
    {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        auto *lookIn = dialog.findChild<QLabel *>("lookInLabel");
        auto *fileName = dialog.findChild<QLabel *>("fileNameLabel");
        auto *fileType = dialog.findChild<QLabel *>("fileTypeLabel");
        QVERIFY(lookIn && fileName && fileType);
        QVERIFY2(lookIn->text().startsWith("查找范围"), qPrintable(lookIn->text()));
        QVERIFY2(fileName->text().startsWith("文件名称"), qPrintable(fileName->text()));
        QVERIFY2(fileType->text().startsWith("文件类型"), qPrintable(fileType->text()));
        auto *buttons = dialog.findChild<QDialogButtonBox *>("buttonBox");
        QVERIFY(buttons);
        QVERIFY2(buttons->button(QDialogButtonBox::Open)->text().startsWith("打开"),
                 qPrintable(buttons->button(QDialogButtonBox::Open)->text()));
    }

private:
    QTranslator *m_translator = nullptr;
};

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
