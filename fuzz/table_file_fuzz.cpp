// The table file as a whole - directory lines, offsets and sizes, sections,
// check values - read through the engine. Each input is the whole file; the
// engine encodes one text at every level from it. A symbol it returns passes
// the checks of a symbol; a damaged file gives -2 with the section or the
// file's failure noted, never anything else.
#include <sys/stat.h>

#include <memory>
#include <string>

#include "fuzz/fuzz_support.h"
#include "qr/store/table_cache.h"
#include "qr/store/table_failure.h"

namespace {
int32_t gMask = 0;
std::string gFile;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const std::string app = FuzzFolder() + "app";
    ::mkdir(app.c_str(), 0700);
    ::mkdir((app + "/Prefs").c_str(), 0700);
    ::mkdir((app + "/Prefs/Orvelk").c_str(), 0700);
    gFile = app + "/Prefs/Orvelk/ORVK_QR.DAT";
    InstallFuzzEngineHost(app, &gMask);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (4u << 20)) return -1;
    WriteFuzzFile(gFile, data, size);
    ResetTableCache();
    auto symbol = std::make_unique<ModuleMatrix>();
    for (const char level : {'M', 'L', 'Q', 'H'}) {
        for (const int32_t version : {0, 2}) {
            const int32_t rc = EncodeQRSymbol("01234567", level, 'N', version, symbol.get());
            if (rc == kQROk) {
                CheckSymbol(*symbol, version, level, 0);
                FUZZ_CHECK(LastTableFailure().reason == kTableFailureNone, "no failure noted");
            } else {
                FUZZ_CHECK(rc == kQRTableFileDamaged || rc == kQROutOfMemory, "a table result");
                FUZZ_CHECK(symbol->side == 0, "no symbol from a damaged file");
                if (rc == kQRTableFileDamaged)
                    FUZZ_CHECK(LastTableFailure().reason != kTableFailureNone,
                               "a damaged file says what failed");
            }
        }
    }
    return 0;
}
