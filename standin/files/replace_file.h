// Writing a whole file so that it is either replaced completely or left as
// it was: the bytes go to a new file beside the target, which then takes the
// target's name.
#pragma once

#include <string>
#include <string_view>

namespace standin {

// Writes `bytes` to `path`, replacing any file of that name only once the new
// one is complete. The new file is created beside it under a name of its
// own (of a shortened name when the full one would be too long for the
// folder), never through an existing name or link, and takes the old file's
// permission bits, owner and group, and its extended attributes, its access
// control list among them. A file the process may not write (as the kernel
// judges an open for writing through `path`, a link's protections
// included), or whose owner and group or extended attributes the new file
// cannot be given, is not replaced. A
// link at `path` stays, and the file it leads to is what is replaced (other
// hard links to it keep the old contents); a device, a named pipe or
// another file that is not a regular one is written into, not replaced. On
// failure nothing is left behind but the old file, and `error` (when not
// null) names the file and gives the reason.
bool ReplaceFileWith(const std::string& path, std::string_view bytes, std::string* error);

// Whether `path` names a terminal (through links), which binary output is
// not written to.
bool NamesTerminal(const std::string& path);

// Reads the whole file at `path` into `bytes`, refusing files larger than
// `maxBytes`. On failure `error` (when not null) names the file and the reason.
bool ReadWholeFile(const std::string& path, size_t maxBytes, std::string* bytes,
                   std::string* error);

}  // namespace standin
