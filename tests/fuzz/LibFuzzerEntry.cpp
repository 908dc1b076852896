// The libFuzzer entry point of one target, chosen when the executable is
// built: -DKYVO_FUZZ_ENTRY=telemetryBoxTarget, eventMarksTarget, rmcTarget or
// viewerConfigTarget.
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return kyvo::fuzz::KYVO_FUZZ_ENTRY(data, size);
}
