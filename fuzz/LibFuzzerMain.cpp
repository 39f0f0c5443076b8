// One libFuzzer program per target, chosen at build time.
#include "FuzzTargets.h"

#include <QCoreApplication>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return VELTARO_FUZZ_TARGET(data, size);
}
