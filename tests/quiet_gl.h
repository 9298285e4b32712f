// The GL context for drawing tests, without leak reports from the graphics
// driver: the context lives until the process ends and the driver keeps
// memory for it (some of it allocated lazily, on the first draws) in ways
// the leak checker cannot follow. Leak checking therefore stops in a test
// process once it has a context; tests that do not draw keep it.
#pragma once

#include "tests/gl_context.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

inline bool quietGlContext()
{
#if defined(__SANITIZE_ADDRESS__)
    static const bool quiet = [] {
        __lsan_disable();
        return true;
    }();
    (void)quiet;
#endif
    return ensureGlContext();
}
