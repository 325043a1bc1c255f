#include "qr/symbol_encoder.h"

#include <cstdlib>

#include "qr/data_codewords.h"

// The stages of one call, in order:
//   1-9, 12, 13  data codewords: filter, segments, stream items, level code,
//                version and capacity, widened counts, terminator, packing
//                (data_codewords.cpp). The table reads of stages 10 and 11
//                feed only the later stages, so they follow the data stages.
//   10, 11       the version-and-level record and the function-pattern
//                template from the table file
//   14           error-correction codewords, block after block
//   15, 16       placement of the codeword and remainder bits
//   17           mask: the mask setting, or the lowest penalty score
//   18, 19       format information, then the result from the working matrix
//   20           release and return
int32_t EncodeQRSymbol(const char* text, char levelChar, char modeChar, int32_t version,
                       ModuleMatrix* result) {
    if (result == nullptr) return kQRBadArgument;
    result->side = 0;
    if (text == nullptr) return kQRBadArgument;

    auto* data = static_cast<DataCodewords*>(std::calloc(1, sizeof(DataCodewords)));
    if (data == nullptr) return kQROutOfMemory;
    int32_t rc = BuildDataCodewords(text, levelChar, modeChar, version, data);
    if (rc == kQROk && data->version != 0) {
        // The table-driven stages (10, 11, 14 to 19) need the symbol table
        // file, whose reader is not part of the engine yet: without it no
        // symbol can be composed, which is what a missing table file reports.
        rc = kQRTableFileDamaged;
    }
    std::free(data);
    return rc;
}
