// Writing a whole file so that it is either replaced completely or left as
// it was: the bytes go to a new file beside the target, which then takes the
// target's name.
#pragma once

#include <string>
#include <string_view>

namespace standin {

// Writes `bytes` to `path`, replacing any file of that name only once the new
// one is complete. The new file is created beside it under a name of its
// own, never through an existing name or link, and takes the old file's
// permission bits (and owner and group, where the process may set them). A
// link at `path` stays, and the file it leads to is what is replaced; a
// device, a named pipe or another file that is not a regular one is written
// into, not replaced. On failure nothing is left behind but the old file,
// and `error` (when not null) names the file and gives the reason.
bool ReplaceFileWith(const std::string& path, std::string_view bytes, std::string* error);

// Reads the whole file at `path` into `bytes`, refusing files larger than
// `maxBytes`. On failure `error` (when not null) names the file and the reason.
bool ReadWholeFile(const std::string& path, size_t maxBytes, std::string* bytes,
                   std::string* error);

}  // namespace standin
