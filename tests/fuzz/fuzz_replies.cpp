#include "FuzzEntries.h"

// libFuzzer's main calls these. The set-up runs before the first input, so that what the SQL
// plug-in keeps for the life of the process is not taken for a leak of that input.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzRepliesSetUp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return fuzzReplies(data, size);
}
