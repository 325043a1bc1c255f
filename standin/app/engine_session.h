// Runs the plug-in's engine inside the `orvelk` process the way the plug-in
// runs it inside the host: an engine host of the stand-in's own, which finds
// the application folder in the stand-in's executable path by the plug-in's
// rule and holds the mask setting the command was given.
#pragma once

#include <cstdint>
#include <string>

// Prepares a session: `appFolder` (or null for the default) as the host's
// application folder and `maskSetting` (0 automatic, 1 to 8 for masks 0 to 7)
// as the plug-in's mask setting, and installs the engine host. On failure
// returns false with a reason and installs nothing.
bool BeginEngineSession(const char* appFolder, int32_t maskSetting, std::string* why);

// Ends the session begun last: removes the engine host, and a folder it chose
// is given up for the one chosen before it (none when none was).
void EndEngineSession();

// What is wrong with the symbol table file at `path` after the engine found
// it missing or damaged: "the symbol table file is missing: PATH", "... cannot
// be read: PATH: REASON" or "... is damaged: PATH", followed for damage that
// this process's engine found by ": section NAME: REASON".
std::string TableFileFailureText(const std::string& path);
