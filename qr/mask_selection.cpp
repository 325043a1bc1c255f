#include "qr/mask_selection.h"

#include "qr/format_information.h"

int ChooseMask(const WorkingMatrix* working, int levelCode, const SymbolRecords* records,
               MaskPlanes* planes, int32_t* scores) {
    // All eight candidates at once, as bit planes. The format modules differ
    // by mask: each candidate gets its own format string, as if it had been
    // written into the working matrix before composing.
    BuildMaskPlanes(working, records->pattern, planes);
    const int32_t stride = working->side + 1;
    for (int i = 0; i < kFormatBits; ++i) {
        uint8_t masked = 0;  // bit m: character i of mask m's format string
        for (int m = 0; m < 8; ++m)
            masked = static_cast<uint8_t>(masked | (FormatString(levelCode, m)[i] == '1') << m);
        const int32_t copies[2][2] = {{kFormatFirstCopyColumns[i], kFormatFirstCopyRows[i]},
                                      {records->formatColumns[i], records->formatRows[i]}};
        for (const auto& at : copies) {
            const bool fromTemplate = records->pattern[at[1] * stride + at[0]] == '1';
            SetPlaneModules(planes, at[0], at[1], fromTemplate ? 0xFF : masked);
        }
    }
    int chosen = 0;
    int32_t best = 0;
    for (int m = 0; m < 8; ++m) {
        const int32_t score = ScoreMaskPlanes(planes, m).Total();
        if (scores != nullptr) scores[m] = score;
        if (m == 0 || score < best) {
            chosen = m;
            best = score;
        }
    }
    return chosen;
}
