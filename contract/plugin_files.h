// The files the plug-in keeps under the host application's folder, in the
// Windows form the plug-in builds them in: what follows the folder. (The
// symbol table file's place is the engine's: kTableFileSubpath of
// qr/store/table_file.h.)
#pragma once

// The preferences folder, and the preferences file "Orvelk.ini" in it.
inline constexpr char kPrefsFolderSuffix[] = "\\Prefs";
inline constexpr char kPrefsFileSuffix[] = "\\Prefs\\Orvelk.ini";
