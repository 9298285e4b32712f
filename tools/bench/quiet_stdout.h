// Benchmarks send the game's loading and sound log away while they time it.
#pragma once

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

// Points standard output at /dev/null; returns the saved descriptor.
inline int quietStdout()
{
    std::fflush(stdout);
    const int saved = dup(1);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    close(null);
    return saved;
}

inline void restoreStdout(int saved)
{
    std::fflush(stdout);
    dup2(saved, 1);
    close(saved);
}
