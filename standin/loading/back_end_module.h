// The program's own back-end modules: shared libraries installed beside the
// `orvelk` program that carry what only some commands need (the window
// system, the cairo and pango renderers), so that a command loads those
// libraries only when it uses them. A module is looked for in the program's
// folder, then in `../lib/orvelk/` from there (an installed program), opened
// once on first use and kept open until the process ends.
//
// A module exports one C entry point per table of calls; the program and the
// module are built together, so a table's layout is the only contract. The
// module may call back into the program: the program exports the stand-in's
// functions (its link options say so), and the module's references to them
// resolve to the program's own, so state such as the dialog manager's is
// never duplicated.
#pragma once

#include <string>

namespace standin {

// The address of `entry` in the module file `fileName` (for example
// "orvelk-draw.so"), opening the module on first use. Null, with the reason
// in *why (the module's path and the loader's message), when the module
// cannot be found or opened or lacks the entry; a failed open is tried again
// at the next call.
void* BackEndEntry(const char* fileName, const char* entry, std::string* why);

}  // namespace standin
