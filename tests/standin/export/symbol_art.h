// Symbols placed in stand-in documents for the export tests: the engine's
// matrix drawn through the host's art suites with the calls the plug-in makes
// (one group above all art, an unpainted quiet-zone rectangle, one black
// square per dark module, every coordinate rounded to a 32-bit float).
#pragma once

#include <memory>
#include <string>

#include "qr/symbol_encoder.h"
#include "standin/suites/document/documents.h"

// The matrix of `text` (code page 932); side 0 when the engine failed.
std::unique_ptr<ModuleMatrix> EncodeTestSymbol(const std::string& text, char level, char mode,
                                               int version);

// Draws `matrix` into the current document centred on (x, y), `moduleSize`
// points per module. Returns false when a host call failed.
bool DrawTestSymbol(const ModuleMatrix& matrix, double x, double y, double moduleSize);

// A new current document holding the symbol of `text` at 0.50 mm per module,
// centred on its page's view. Null when encoding or drawing failed.
standin::Document* OpenSymbolDocument(const std::string& text, char level, char mode, int version,
                                      const std::string& name = "Symbol");

// 0.50 mm in points, as the plug-in converts its cell sizes.
inline constexpr double kHalfMillimetreModule = 0.50 / 0.35278;
