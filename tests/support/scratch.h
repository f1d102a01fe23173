#pragma once
// Files a test writes for the program to read, in a temporary folder of its own.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

namespace scratch {

// Writes the bytes as a file of the folder and gives its path; a test that
// cannot write its own input stops there.
inline QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    f.write(bytes);
    return path;
}

} // namespace scratch
