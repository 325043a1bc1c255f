#include "ui/preview_matrix.h"

#include "globals/plugin_state.h"
#include "qr/symbol_encoder.h"

void RegeneratePreviewMatrix() {
    const PluginGlobals* globals = gPluginState.globals;
    if (globals == nullptr || globals->previewMatrix == nullptr) return;
    ModuleMatrix* matrix = globals->previewMatrix;
    matrix->side = 0;
    if (globals->text[0] == '\0') return;
    // Only the side tells: 0 when the text does not fit or nothing of it is
    // left after the mode's filter.
    EncodeQRSymbol(globals->text, LevelCharFromIndex(globals->level),
                   ModeCharFromIndex(globals->mode), globals->version, matrix);
}
