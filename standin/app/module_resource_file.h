// The resources of a module file as the host reads them: the compiled
// resources in the module's ".rsrc" section, looked up in Japanese first.
#pragma once

#include <memory>
#include <string>

#include "standin/host/module_resources.h"

namespace standin {

// Reads the ".rsrc" section of the module at `path`. Null with the reason in
// *error when the file cannot be read, is not a module, has no resources or
// holds damaged ones.
std::unique_ptr<ModuleResources> ReadModuleResourceSection(const std::string& path,
                                                           std::string* error);

}  // namespace standin
