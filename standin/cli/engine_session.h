// Runs the plug-in's engine inside the `orvelk` process the way the plug-in
// runs it inside the host: the stand-in's suites installed into the plug-in's
// module state, a globals record holding the mask setting, and the table file
// found through the host application's folder.
#pragma once

#include <cstdint>
#include <string>

// Prepares a session: `appFolder` (or null for the default) as the host's
// application folder and `maskSetting` (0 automatic, 1 to 8 for masks 0 to 7)
// as the plug-in's mask setting. On failure returns false with a reason.
bool BeginEngineSession(const char* appFolder, int32_t maskSetting, std::string* why);

// Ends the session begun last; a folder it chose is given up again.
void EndEngineSession();

// The native path of the table file the session's engine reads, for messages.
std::string StandinTableFilePath();
