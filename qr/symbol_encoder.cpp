#include "qr/symbol_encoder.h"

#include <cstdlib>
#include <cstring>

#include "qr/data_codewords.h"
#include "qr/engine_host.h"
#include "qr/error_correction.h"
#include "qr/format_information.h"
#include "qr/mask_selection.h"
#include "qr/module_placement.h"
#include "qr/penalty_planes.h"
#include "qr/store/symbol_records.h"
#include "qr/store/table_cache.h"
#include "qr/store/table_failure.h"
#include "qr/store/table_file.h"
#include "qr/text_filter.h"
#include "qr/version_tables.h"

// The stages of one call (docs/architecture.md lists them with their files):
//    1  allocate the working buffers
//    2  filter the text by the mode                      text_filter
//    3  allocate the item arrays for the filtered length  data_codewords
//    4  nothing kept: return 0 with side 0                data_codewords
//    5  stream items of every segment                     bit_stream, text_filter
//    6  the level code                                    version_tables
//    7  the version and its data capacity                bit_stream
//    8  count indicators widened for the version          bit_stream
//    9  total codewords, remainder bits and side          version_tables
//   10  the version-and-level record                      store/symbol_records
//   11  the function-pattern template                     store/symbol_records
//   12  the terminator, or "does not fit"                 bit_stream
//   13  packing and pad codewords                         bit_stream
//   14  error-correction codewords, block after block     error_correction
//   15  release the item arrays                           data_codewords
//   16  placement of the codeword and remainder bits      module_placement
//   17  the mask: the setting, or the lowest penalty      mask_selection
//   18  format information of the level and the mask      module_placement
//   19  the result from the working matrix                module_placement
//   20  release everything and return
// Stages 10 and 11 only read what 14 and later need, so they run after 15:
// a text that does not fit opens no file. The door (here) asks the host for
// the folder and hands the store the table file's path; PlanQRSymbol runs
// stages 2 to 9 alone, for callers that ask without drawing.

namespace {

// The working storage of one call. Nothing of it is zero-filled wholesale:
// each stage writes all it reads (the data codewords, the final codewords,
// the working matrix's side x side square), and the mask planes are
// allocated for the side at hand, when the mask is chosen. The records are
// views into the table cache's sections.
struct SymbolWork {
    DataCodewords data;
    uint8_t finalCodewords[kMaxCodewords];
    SymbolRecords records;
    WorkingMatrix working;
};

// The level letter the records are named with: the level code's own, so that
// a character that reads as M also finds M's records.
char RecordLevelChar(int levelCode) { return "MLHQ"[levelCode]; }

// Stages 10 and 11: the door asks the host for the folder and hands the
// table store the file's path. A host without a folder drops what the store
// holds, as a file that cannot be opened does.
int32_t ReadRecordsThroughHost(const DataCodewords& d, SymbolRecords* records) {
    ClearTableFailure();
    char path[kTableFilePathSize];
    if (FindHostTableFile(path) != kTableRead) {
        ResetTableCache();
        return kQRTableFileDamaged;
    }
    return ReadSymbolRecords(path, d.version, RecordLevelChar(d.levelCode), d.dataCount,
                             d.totalCodewords, d.remainderBits, records);
}

// Stages 1 to 15: the final codeword sequence, with the records it needs.
// Leaves data.version 0 when the filter kept nothing.
int32_t RunCodewordStages(const char* text, char levelChar, char modeChar, int32_t version,
                          SymbolWork* w) {
    int32_t rc = BuildDataCodewords(text, levelChar, modeChar, version, &w->data);
    if (rc != kQROk || w->data.version == 0) return rc;
    const DataCodewords& d = w->data;
    rc = ReadRecordsThroughHost(d, &w->records);
    if (rc != kQROk) return rc;
    ComputeErrorCorrection(d.bytes, d.dataCount, w->records.eccPerBlock, w->records.blockList,
                           w->records.blockCount, w->records.generator, w->finalCodewords);
    return kQROk;
}

// Stages 16 to 19 on the final codewords.
int32_t BuildSymbol(SymbolWork* w, ModuleMatrix* result) {
    const DataCodewords& d = w->data;
    const int32_t side = 4 * d.version + 17;
    PlaceCodewords(w->finalCodewords, d.totalCodewords, d.remainderBits, &w->records, side,
                   &w->working);
    int mask = HostFixedMask();
    if (mask < 0) {
        auto* planes = static_cast<MaskPlanes*>(std::malloc(MaskPlanesSize(side)));
        if (planes == nullptr) return kQROutOfMemory;
        mask = ChooseMask(&w->working, d.levelCode, &w->records, planes);
        std::free(planes);
    }
    WriteFormatInformation(d.levelCode, mask, &w->records, &w->working);
    ComposeSymbol(&w->working, mask, w->records.pattern, result);
    return kQROk;
}

}  // namespace

int32_t EncodeQRSymbol(const char* text, char levelChar, char modeChar, int32_t version,
                       ModuleMatrix* result) {
    if (result == nullptr) return kQRBadArgument;
    result->side = 0;
    if (text == nullptr) return kQRBadArgument;

    auto* w = static_cast<SymbolWork*>(std::malloc(sizeof(SymbolWork)));
    if (w == nullptr) return kQROutOfMemory;
    int32_t rc = RunCodewordStages(text, levelChar, modeChar, version, w);
    if (rc == kQROk && w->data.version != 0) rc = BuildSymbol(w, result);
    std::free(w);
    return rc;
}

int32_t EncodeQRCodewords(const char* text, char levelChar, char modeChar, int32_t version,
                          QRCodewords* codewords) {
    if (text == nullptr || codewords == nullptr) return kQRBadArgument;
    codewords->version = 0;
    auto* w = static_cast<SymbolWork*>(std::malloc(sizeof(SymbolWork)));
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

int32_t PlanQRSymbol(const char* text, char levelChar, char modeChar, int32_t version,
                     QRSymbolPlan* plan) {
    return PlanDataStages(text, levelChar, modeChar, version, plan);
}

QRCapacity QRModeCapacity(char levelChar, char modeChar, int32_t version) {
    QRCapacity capacity{0, 0};
    const int mode = SingleModeFromChar(modeChar);
    if (mode < 0 || version < kMinVersion || version > kMaxVersion) return capacity;
    ModeCapacity(LevelCodeFromChar(levelChar), static_cast<DataMode>(mode), version,
                 &capacity.characters, &capacity.wholeGroups);
    return capacity;
}

int QRSymbolMask(const ModuleMatrix* matrix, char levelChar) {
    if (matrix == nullptr || matrix->side == 0) return -1;
    for (int mask = 0; mask < 8; ++mask) {
        const char* bits = FormatString(LevelCodeFromChar(levelChar), mask);
        bool same = true;
        for (int i = 0; i < kFormatBits && same; ++i)
            same = (matrix->modules[kFormatFirstCopyColumns[i] * kMaxSide +
                                    kFormatFirstCopyRows[i]] != 0) == (bits[i] == '1');
        if (same) return mask;
    }
    return -1;
}
