// The rule by which the plug-in finds the host application's folder in the
// path of the host's executable. It needs nothing of the host, so the
// stand-in applies the same rule to check the folders it is given.
#pragma once

// Ends the NUL-terminated Windows path `path` at the first of the folder
// patterns "\SYSTEM\", "\System\", "\SUPPORT FILES\", "\Support Files\",
// "\support files\", "\ILLUSTRATOR.EXE", "\Illustrator.exe" that it holds, tried
// in that order, each case-sensitively and from the left, at its backslash.
// A path without any of them stays whole. A 0x5C byte that is the second byte
// of a two-byte character is no backslash. Returns whether it cut the path.
bool CutAtAppFolderPattern(char* path);
