#pragma once
// For tests of varnolek-calc: runs its command line in the test's own process
// and gives the exit status with what it wrote on standard output and error.

#include "cli/runner.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <string>
#include <vector>

struct CliResult {
    int status;
    QString out;
    QString err;
};

// The same as the bytes written: a text decoded from UTF-8 loses its byte-order mark.
struct CliBytes {
    int status;
    QByteArray out;
    QByteArray err;
};

// Everything written into a temporary file, which is closed.
inline QByteArray readBytesAndClose(std::FILE *f)
{
    std::fflush(f);
    std::rewind(f);
    QByteArray bytes;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        bytes.append(buf, qsizetype(n));
    std::fclose(f);
    return bytes;
}

inline QString readAllAndClose(std::FILE *f) { return QString::fromUtf8(readBytesAndClose(f)); }

// Runs the arguments (without the program's name), with input as standard input.
inline CliBytes runCliBytes(const QStringList &args, const QByteArray &input = {})
{
    std::FILE *in = std::tmpfile();
    std::fwrite(input.constData(), 1, std::size_t(input.size()), in);
    std::rewind(in);
    std::FILE *out = std::tmpfile();
    std::FILE *err = std::tmpfile();
    std::vector<std::string> argv;
    for (const QString &a : args)
        argv.push_back(a.toStdString());
    const int status = cli::run(argv, in, out, err);
    std::fclose(in);
    return {status, readBytesAndClose(out), readBytesAndClose(err)};
}

inline CliResult runCli(const QStringList &args, const QByteArray &input = {})
{
    const CliBytes bytes = runCliBytes(args, input);
    return {bytes.status, QString::fromUtf8(bytes.out), QString::fromUtf8(bytes.err)};
}
