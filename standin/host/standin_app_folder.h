// The stand-in's application folder: the folder its Runtime suite reports the
// stand-in's executable under, so that the plug-in finds its "Prefs" folder
// there. In order of precedence: the folder set by SetStandinAppFolder (the
// command line's --app-folder), the environment variable ORVELK_APP_FOLDER,
// and the user's own folder (user_app_folder.h; on Windows the build's "app"
// folder beside "bin").
#pragma once

#include <string>

#include "hostapi/ai_runtime.h"
#include "hostapi/sp_basic.h"

// The environment variable that overrides the built-in folder.
inline constexpr char kStandinAppFolderVariable[] = "ORVELK_APP_FOLDER";

// Where the executable seems to lie, under the application folder: the host's
// own layout, which the plug-in cuts at "\Support Files\".
inline constexpr char kStandinExecutableSubpath[] = "/Support Files/Orvelk.exe";

// The error of the stand-in's Runtime suite when the folder has no Windows
// form (no code page 932 form, or too long).
inline constexpr ASErr kStandinAppFolderError = MakeFourCharError("AppF");

// The default folder: the user's own (empty when the environment names no
// home), on Windows the build's "app" folder.
std::string StandinDefaultAppFolder();

// Chooses `dir` as the application folder; a relative `dir` is taken from the
// current directory; "." and ".." parts and trailing slashes are dropped.
// Null clears the choice (the environment or the default apply again). Checks
// the folder as CheckStandinAppFolder does; on a problem returns false, keeps
// the earlier choice and, when `error` is given, says why.
bool SetStandinAppFolder(const char* dir, std::string* error = nullptr);

// The folder SetStandinAppFolder chose; empty while none is.
std::string ChosenStandinAppFolder();

// The application folder in force: absolute, native (UTF-8), no trailing
// slash except for the root.
std::string StandinAppFolder();

// Whether the plug-in will find the folder in force: it must have a Windows
// form, be short enough for the plug-in's file names under it, and hold none
// of the host's folder patterns, which would cut the executable's path
// elsewhere. On a problem returns false and, when `error` is given, says why.
bool CheckStandinAppFolder(std::string* error = nullptr);

// Chooses `dir` as SetStandinAppFolder does when it is not null, makes the
// user's folder from the installed one when it is the folder in force and
// does not exist yet, then checks the folder in force, wherever it comes from (`dir`, ORVELK_APP_FOLDER or
// the default), as CheckStandinAppFolder does: the one check of every
// command's folder. On a problem returns false with the earlier choice kept
// and, when `error` is given, says why.
bool ChooseStandinAppFolder(const char* dir, std::string* error = nullptr);

// The Windows path of the stand-in's executable, under the
// folder in force: "C:\...\Support Files\Orvelk.exe". Returns 0, or
// kStandinAppFolderError with an empty path when the folder fails
// CheckStandinAppFolder, so that the plug-in never finds another folder.
ASErr StandinAppFileSpecification(SPPlatformFileSpecification* file);

// The folder the plug-in finds in the executable's path above, by its own
// rule, into `folder` (kAppFolderSize bytes): what an engine host of the
// stand-in reports. Returns 0, or kStandinAppFolderError with `folder` empty.
int32_t StandinFindAppFolder(char* folder);

// The native path of what the plug-in names by `subpath` under the folder in
// force: `subpath` is in the plug-in's Windows form, led by a backslash
// ("\\Prefs\\Orvelk.ini"), and is given native separators.
std::string StandinAppFolderPath(const char* subpath);

// The native path of the table file under the folder in force, for messages.
std::string StandinTableFilePath();
