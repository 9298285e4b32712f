// Tarvok: two wrestlers, one keyboard, one ring.
#include "app/shell.h"

#include <cstdio>

int main(int argc, char** argv)
{
    // The loading log is read line by line, also through a pipe.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    return runShell(argc, argv);
}
