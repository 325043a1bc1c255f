// EncodeQRSymbol on any bytes with any level, mode, version and mask setting,
// over the table file the generator wrote: every symbol it returns passes the
// checks of a symbol, and every other result is one of the documented codes.
#include <memory>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/fuzz_support.h"
#include "qr/store/table_failure.h"

#ifndef ORVELK_FUZZ_APP_DIR
#error "ORVELK_FUZZ_APP_DIR must name the build's application folder"
#endif

namespace {
int32_t gMask = 0;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    InstallFuzzEngineHost(ORVELK_FUZZ_APP_DIR, &gMask);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    static const char kLevels[] = "LMQHx";
    static const char kModes[] = "NABKx";
    const char level = kLevels[input.ConsumeIntegralInRange<int>(0, 4)];
    const char mode = kModes[input.ConsumeIntegralInRange<int>(0, 4)];
    const int32_t version = input.ConsumeIntegralInRange<int32_t>(-1, 41);
    gMask = input.ConsumeIntegralInRange<int32_t>(-1, 9);
    const std::string text = input.ConsumeRemainingBytesAsString().substr(0, 8192);

    auto symbol = std::make_unique<ModuleMatrix>();
    const int32_t rc = EncodeQRSymbol(text.c_str(), level, mode, version, symbol.get());
    if (version < 0 || version > 40) {
        // A text the filter keeps nothing of is no symbol whatever the version.
        FUZZ_CHECK((rc == kQRBadArgument || rc == kQROk) && symbol->side == 0,
                   "a version outside 0 to 40");
        return 0;
    }
    FUZZ_CHECK(rc == kQROk || rc == kQRDoesNotFit, "the built table file serves every version");
    if (rc != kQROk || symbol->side == 0) {
        FUZZ_CHECK(symbol->side == 0, "no symbol without success");
        return 0;
    }
    CheckSymbol(*symbol, version, level == 'x' ? 'M' : level, gMask);
    return 0;
}
