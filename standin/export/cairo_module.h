// The boundary between the program and the back-end module orvelk-draw.so
// for exports drawn with cairo: the module's table of calls, which the
// program looks up on the first export that needs it, so that cairo is
// loaded by those exports alone.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "standin/export/cairo_export.h"

namespace standin {

// A module matrix to draw as a PDF or EPS page: `side` x `side` modules,
// dark[x * side + y] non-zero for a dark one, inside `border` light modules,
// each `cellPoints` wide; colours as red, green, blue, alpha from 0 to 1.
struct ModuleDrawing {
    std::vector<uint8_t> dark;
    int side = 0;
    int border = 0;
    double cellPoints = 1;
    double darkColor[4] = {0, 0, 0, 1};
    double lightColor[4] = {1, 1, 1, 1};
};

// The module's calls.
struct CairoExportCalls {
    // WriteDocumentCairo of cairo_export.h.
    bool (*writeDocument)(const Document& document, const ExportBox& box, CairoFormat format,
                          const CairoOptions& options, std::string* out, std::string* error);
    // Appends a one-page PDF (or, with `eps`, an EPS) of `drawing` to `out`;
    // false with cairo's reason.
    bool (*writeModules)(const ModuleDrawing& drawing, bool eps, std::string* out,
                         std::string* error);
};

// The module's table, loading the module on first use; null with the reason
// in *why when it cannot be loaded.
const CairoExportCalls* CairoExport(std::string* why);

}  // namespace standin

// The module's entry point (cairo_module_entry.cpp) and its name.
inline constexpr char kDrawModuleFile[] = "orvelk-draw.so";
inline constexpr char kCairoExportEntry[] = "OrvelkCairoExportCalls";
extern "C" const standin::CairoExportCalls* OrvelkCairoExportCalls();
