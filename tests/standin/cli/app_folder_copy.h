// A host application folder of a test's own: the build's plug-in module and
// symbol table file copied into a fresh folder, with no preferences file, so
// that what the plug-in saves there is the test's alone.
#pragma once

#include <string>

// The folder's path (no trailing slash), made afresh under this process's
// temporary folder as `name`. Empty when the build's files are missing.
std::string FreshAppFolder(const std::string& name);

// The preferences file of `appFolder` and its bytes ("" when there is none).
std::string PreferencesPath(const std::string& appFolder);
std::string PreferencesBytes(const std::string& appFolder);
