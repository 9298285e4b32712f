// libFuzzer's entry points for one reader of fuzz/readers.h: the build
// compiles this once per reader, naming its exercise function in
// TARVOK_FUZZ_READER.
#include "fuzz/readers.h"

#include <cstdio>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The loading log is of no interest here.
    if (!std::freopen("/dev/null", "w", stdout))
        std::fclose(stdout);
    prepareReaders(TARVOK_FUZZ_DATA);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    TARVOK_FUZZ_READER(data, size);
    return 0;
}
