#include "FuzzEntries.h"

// libFuzzer's main calls this.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return fuzzPdu(data, size);
}
