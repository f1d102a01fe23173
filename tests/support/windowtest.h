#pragma once
// Small helpers for window tests: find a control by name, type, press.

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>

namespace windowtest {

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

inline void press(QWidget *window, const char *name)
{
    QPushButton *b = child<QPushButton>(window, name);
    QTest::mouseClick(b, Qt::LeftButton);
}

} // namespace windowtest
