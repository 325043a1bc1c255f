// The folder the running program lies in, as the kernel names it: where the
// program's back-end modules and its installed application folder are found
// from. (POSIX only.)
#pragma once

#include <string>

namespace standin {

// The running program's folder, absolute, with a trailing slash; empty when
// the system does not say.
std::string ProgramFolder();

}  // namespace standin
