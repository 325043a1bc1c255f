// The program's side of cairo_module.h.
#include "standin/export/cairo_module.h"

#include "standin/loading/back_end_module.h"

namespace standin {

const CairoExportCalls* CairoExport(std::string* why) {
    using Entry = const CairoExportCalls* (*)();
    const auto entry = reinterpret_cast<Entry>(BackEndEntry(kDrawModuleFile, kCairoExportEntry, why));
    return entry == nullptr ? nullptr : entry();
}

}  // namespace standin
