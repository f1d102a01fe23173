// varnolek-calc: the calculator windows' calculations from the command line.
#include "runner.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return cli::run(args, stdin, stdout, stderr);
}
