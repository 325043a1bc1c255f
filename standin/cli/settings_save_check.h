// Whether the plug-in's preferences file was written: the plug-in tells the
// host nothing when a save fails (it keeps its settings in memory and goes
// on), so `place` looks at the file before and after the dialog's OK.
#pragma once

#include <cstdint>
#include <string>

// What stood at the preferences file's name at one moment.
struct SettingsFileState {
    bool exists = false;
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t changed = 0;  // the last change, in nanoseconds
};

// The native paths of the preferences folder and file under the application
// folder in force.
std::string SettingsFolderPath();
std::string SettingsFilePath();

// What stands at SettingsFilePath() now.
SettingsFileState TakeSettingsFileState();

// Whether a save replaced the file since `before`: a regular file stands at
// the name and it is another file, or changed, since then.
bool SettingsFileWritten(const SettingsFileState& before);

// Why a save could not have written the file, as far as can be seen from
// outside: the name taken by a folder, a read-only file, a preferences
// folder that is missing, not a folder or not writable, a full disk; else
// that the cause is unknown.
std::string SettingsSaveFailureText();
