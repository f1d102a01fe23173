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

// Everything written into a temporary file, which is closed.
inline QString readAllAndClose(std::FILE *f)
{
    std::fflush(f);
    std::rewind(f);
    std::string text;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        text.append(buf, n);
    std::fclose(f);
    return QString::fromStdString(text);
}

// Runs the arguments (without the program's name), with input as standard input.
inline CliResult runCli(const QStringList &args, const QByteArray &input = {})
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
    return {status, readAllAndClose(out), readAllAndClose(err)};
}
