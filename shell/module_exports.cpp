// The plug-in module "Orvelk.aip": the shell library with the engine, the
// preferences and the globals linked in, exporting only PluginMain (see
// orvelk_module.map). PluginMain itself is in plugin_main.cpp.
#include <type_traits>

#include "shell/plugin_main.h"

// The host calls the export through its own entry-point type.
static_assert(std::is_same_v<decltype(&PluginMain), SPPluginMainProc>);
