// Reading a folder's names and removing a folder with all it holds, on this
// machine's own calls: the plug-ins folder's walk, a user's folder's links,
// the batch's private folder of job results and a user's folder half made.
// Links are removed, never followed. (POSIX only; Windows builds use the
// library's remove_all where they need one.)
#pragma once

#include <string>
#include <vector>

namespace standin {

// The names in the folder `path` but "." and "..", in the order the system
// gives them. False with errno set when the folder cannot be opened or read.
bool FolderNames(const std::string& path, std::vector<std::string>* names);

// Removes `path` and, when it is a folder (not a link to one), everything
// under it. True when nothing of it is left (also when there was nothing);
// stops at the first entry that cannot be removed.
bool RemoveFolderTree(const std::string& path);

// The same, on the system's calls alone, so that a signal handler may call
// it: no memory is allocated and no lock taken. Folders deeper than a few
// levels below `path` are left.
void RemoveFolderTreeNow(const char* path);

}  // namespace standin
