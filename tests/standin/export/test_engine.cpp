// The one place the export tests reach the engine: through the stand-in's
// engine session, with the build's application folder and automatic masks.
#include <string>

#include "standin/app/engine_session.h"
#include "tests/standin/export/symbol_art.h"

std::unique_ptr<ModuleMatrix> EncodeTestSymbol(const std::string& text, char level, char mode,
                                               int version) {
    auto matrix = std::make_unique<ModuleMatrix>();
    matrix->side = 0;
    std::string why;
    if (!BeginEngineSession(ORVELK_TEST_APP_DIR, 0, &why)) return matrix;
    if (EncodeQRSymbol(text.c_str(), level, mode, version, matrix.get()) != kQROk) matrix->side = 0;
    EndEngineSession();
    return matrix;
}
