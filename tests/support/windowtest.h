#pragma once
// Small helpers for window tests: find a control by name, type, press.

#include <QByteArray>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

namespace windowtest {

// Waits for a calculation of a calculator window running on a worker thread.
inline void settle(QWidget *window)
{
    const QPointer<QWidget> w = window;
    if (w && w->property("busy").toBool())
        (void)QTest::qWaitFor([w] { return !w || !w->property("busy").toBool(); }, 60000);
}

template <typename T>
T *child(QWidget *window, const char *name)
{
    T *w = window->findChild<T *>(QString::fromLatin1(name));
    if (!w)
        qFatal("no control named %s", name);
    return w;
}

inline QLineEdit *field(QWidget *window, const char *name) { return child<QLineEdit>(window, name); }

inline void setText(QWidget *window, const char *name, const QString &text) { field(window, name)->setText(text); }

inline QString text(QWidget *window, const char *name) { return field(window, name)->text(); }

// Presses a button; a calculation it starts on a worker thread is waited for,
// so that the test reads the results as the user would see them at its end.
inline void press(QWidget *window, const char *name)
{
    QPushButton *b = child<QPushButton>(window, name);
    QTest::mouseClick(b, Qt::LeftButton);
    settle(window);
}

// Clicks an option button on its circle.
inline void choose(QWidget *window, const QString &option)
{
    auto *o = child<QRadioButton>(window, option.toLatin1().constData());
    QTest::mouseClick(o, Qt::LeftButton, {}, QPoint(8, o->height() / 2));
}

inline QString caption(QWidget *window, const char *label) { return child<QLabel>(window, label)->text(); }

// Writes a hydrological data file of this text into the folder, under a name
// of its own; its path.
inline QString dataFile(const QTemporaryDir &dir, const QByteArray &text)
{
    static int serial = 0;
    const QString path = dir.filePath(QString("data%1.txt").arg(++serial));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    f.write(text);
    return path;
}

} // namespace windowtest
