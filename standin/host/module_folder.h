// Finding plug-in module files in the plug-ins folder and naming them: the
// system's folder calls on this machine, the library's paths on Windows
// (whose names are UTF-16 and whose separators are two). The host's plug-in
// list (plugins.h) is the one caller.
#pragma once

#include <string>
#include <vector>

namespace standin {

// The module files (*.aip, any case; a link counts by the file it leads to)
// under `folder` and its subfolders (links to folders are not entered),
// sorted by path. Subfolders that may not be read are passed over; any other
// failure to read stops the search, with what was found so far and the
// reason in *error (empty when the whole folder was read). Paths are UTF-8.
std::vector<std::string> ListModuleFiles(const std::string& folder, std::string* error);

// Whether `folder` (UTF-8) names a folder, following links.
bool IsFolder(const std::string& folder);

// The last name of `path` (UTF-8), as the host shows a plug-in's name.
std::string ModuleFileName(const std::string& path);

}  // namespace standin
