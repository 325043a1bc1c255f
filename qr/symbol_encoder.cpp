#include "qr/symbol_encoder.h"

#include <cstdlib>
#include <cstring>

#include "qr/data_codewords.h"
#include "qr/engine_host.h"
#include "qr/error_correction.h"
#include "qr/mask_selection.h"
#include "qr/module_placement.h"
#include "qr/penalty_planes.h"
#include "qr/symbol_records.h"

// The stages of one call, in order:
//   1-9, 12, 13  data codewords: filter, segments, stream items, level code,
//                version and capacity, widened counts, terminator, packing
//                (data_codewords.cpp). The table reads of stages 10 and 11
//                feed only the later stages, so they follow the data stages,
//                and a text that does not fit opens no file.
//   10, 11       the version-and-level record and the function-pattern
//                template from the table file (symbol_records.cpp)
//   14           error-correction codewords, block after block
//   15, 16       placement of the codeword and remainder bits
//   17           mask: the mask setting, or the lowest penalty score
//   18, 19       format information, then the result from the working matrix
//   20           release and return

namespace {

// The working storage of one call, allocated zero-filled at once.
struct SymbolWork {
    DataCodewords data;
    uint8_t finalCodewords[kMaxCodewords];
    SymbolRecords records;
    ModuleMatrix working;
    MaskPlanes planes;
};

// The level letter the records are named with: the level code's own, so that
// a character that reads as M also finds M's records.
char RecordLevelChar(int levelCode) { return "MLHQ"[levelCode]; }

// Stages 1 to 14: the final codeword sequence, with the records it needs.
// Leaves data.version 0 when the filter kept nothing.
int32_t RunCodewordStages(const char* text, char levelChar, char modeChar, int32_t version,
                          SymbolWork* w) {
    int32_t rc = BuildDataCodewords(text, levelChar, modeChar, version, &w->data);
    if (rc != kQROk || w->data.version == 0) return rc;
    const DataCodewords& d = w->data;
    rc = ReadSymbolRecords(d.version, RecordLevelChar(d.levelCode), d.dataCount, d.totalCodewords,
                           d.remainderBits, &w->records);
    if (rc != kQROk) return rc;
    return ComputeErrorCorrection(d.bytes, d.dataCount, w->records.eccPerBlock,
                                  w->records.blockList, w->records.blockCount, w->finalCodewords);
}

// The mask from the plug-in's setting: 1 to 8 fix masks 0 to 7; 0, and any
// value outside the setting's range, choose automatically (-1).
int FixedMask() {
    const int32_t setting = EngineMaskSetting();
    return setting >= 1 && setting <= 8 ? setting - 1 : -1;
}

}  // namespace

int32_t EncodeQRSymbol(const char* text, char levelChar, char modeChar, int32_t version,
                       ModuleMatrix* result) {
    if (result == nullptr) return kQRBadArgument;
    result->side = 0;
    if (text == nullptr) return kQRBadArgument;

    auto* w = static_cast<SymbolWork*>(std::calloc(1, sizeof(SymbolWork)));
    if (w == nullptr) return kQROutOfMemory;
    int32_t rc = RunCodewordStages(text, levelChar, modeChar, version, w);
    if (rc == kQROk && w->data.version != 0) {
        const DataCodewords& d = w->data;
        const int32_t side = 4 * d.version + 17;
        PlaceCodewords(w->finalCodewords, d.totalCodewords, d.remainderBits, &w->records, side,
                       &w->working);
        int mask = FixedMask();
        if (mask < 0) mask = ChooseMask(&w->working, d.levelCode, &w->records, &w->planes);
        WriteFormatInformation(d.levelCode, mask, &w->records, &w->working);
        ComposeSymbol(&w->working, mask, w->records.pattern, result);
    }
    std::free(w);
    return rc;
}

int32_t EncodeQRCodewords(const char* text, char levelChar, char modeChar, int32_t version,
                          QRCodewords* codewords) {
    if (text == nullptr || codewords == nullptr) return kQRBadArgument;
    codewords->version = 0;
    auto* w = static_cast<SymbolWork*>(std::calloc(1, sizeof(SymbolWork)));
    if (w == nullptr) return kQROutOfMemory;
    const int32_t rc = RunCodewordStages(text, levelChar, modeChar, version, w);
    if (rc == kQROk && w->data.version != 0) {
        codewords->version = w->data.version;
        codewords->dataCount = w->data.dataCount;
        codewords->eccCount = w->data.totalCodewords - w->data.dataCount;
        std::memcpy(codewords->bytes, w->finalCodewords, w->data.totalCodewords);
    }
    std::free(w);
    return rc;
}
