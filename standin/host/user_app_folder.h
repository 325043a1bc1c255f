// The user's own application folder, where `orvelk` runs the plug-in unless
// told otherwise: $XDG_DATA_HOME/orvelk, or ~/.local/share/orvelk. It is made
// on first use from the installed folder, which is only ever read: its
// plug-in modules and the symbol table file are linked into the user's
// folder, whose Prefs/Orvelk.ini is then the user's own.
#pragma once

#include <string>

// The installed application folder: share/orvelk beside the executable's
// bin/ when it holds a Plug-ins folder (an installation), else the folder
// the build laid out (its "app" folder).
std::string InstalledAppFolder();

// The user's folder: $XDG_DATA_HOME/orvelk when that variable is an
// absolute path, else $HOME/.local/share/orvelk. Empty, with the reason in
// *error, when neither variable names a folder.
std::string UserAppFolder(std::string* error = nullptr);

// Makes `folder` from `installed` when it does not exist yet: its Plug-ins
// folder with a link to each of the installed modules, and Prefs/Orvelk/
// with a link to the table file, so that a newer installation is what the
// user's folder reads. The folder is made whole beside its place and renamed
// into it, so that a process running at the same time finds it whole or
// not at all. In an existing folder only a link that leads nowhere (the
// build or installation it was made from is gone) is pointed at the
// installed file of its name; nothing else is touched. Returns false, with
// the reason in *error, when it cannot be made.
bool MakeUserAppFolder(const std::string& folder, const std::string& installed,
                       std::string* error);
