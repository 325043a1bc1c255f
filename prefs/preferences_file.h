// The preferences file "Orvelk.ini" in the "Prefs" folder under the host
// application's folder: the user's symbol settings and text, kept from one
// run of the host to the next.
//
// One entry a line, key " = " value CR LF, in code page 932:
//   qr_ecclevel = 1
//   qr_version = 0
//   qr_encodemode = 2
//   qr_cellsize = 3
//   barcode_text00 = "*SAMPLE TEXT*"
// The text is cut into chunks of 80 written bytes, each on its own line
// (barcode_text00, barcode_text01, ...). Inside a chunk TAB, CR and LF are
// written as \t, \r and \n. So that every text comes back byte for byte, a
// backslash is written followed by a TAB, a double quote as a quote, a TAB and
// a quote, and a lead byte whose character a TAB, CR or LF cuts short is
// followed by a TAB. Earlier versions of the plug-in wrote backslashes and
// quotes unchanged, and their reader drops every TAB; it reads a file of this
// version as the text without its double quotes, and this reader reads their
// files as they did, the three escapes turned into their bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "contract/plugin_files.h"
#include "globals/plugin_globals.h"

// FindAppFolder's folder is followed by kPrefsFolderSuffix and
// kPrefsFileSuffix (contract/plugin_files.h): the preferences folder and the
// file.
// The new file a save writes in the preferences folder before it replaces
// the old one: "Orvelk.<process id in hex>-<n>.tmp", a name of the saving
// process alone, created new.
inline constexpr char kPrefsTempFilePrefix[] = "\\Orvelk.";
inline constexpr char kPrefsTempFileExtension[] = ".tmp";

// Bytes of a full file name, its NUL included: the platform's path limit.
inline constexpr int32_t kPrefsPathSize = 260;

// Written bytes after which a text chunk is closed.
inline constexpr int32_t kPrefsChunkLength = 80;

// The most bytes of the preferences file that a load reads: twice the
// longest file a save can write (about 31 KB). Of a longer file, which is no
// file the plug-in wrote, only the lines within these bytes are read.
inline constexpr int32_t kPrefsReadLimit = 65536;

// Reads the preferences file into the module's globals record, over what it
// holds. Creates the preferences folder when it is missing. Reads at most
// kPrefsReadLimit bytes, up to the last whole line among them, and ignores
// the rest of a longer file. Returns -1, with the record unchanged, when
// there is no record, the application folder cannot be found, the file name
// would not fit in 260 bytes, or the file cannot be opened or read (it is
// not a regular file, say); else 0.
int32_t LoadPreferences();

// Writes the preferences file from the module's globals record: the new file
// is written beside the old one, created new under a name of this process's
// own (never through an existing file or link), and replaces it only once it
// is complete, so a failed save leaves the old file as it was and concurrent
// saves leave one whole file. Creates the preferences folder
// when it is missing. Returns 0, or -1 when there is no record, the
// application folder cannot be found, a file name would not fit in 260 bytes,
// or the file cannot be created, written, closed or put in place.
int32_t SavePreferences();

// Applies the contents of a preferences file, `size` bytes of `data` (up to
// the first NUL), to `globals`: each known key with a value sets its setting
// when the value is within the setting's range; the text chunks, taken in the
// order of their lines, replace the text while it fits its 8192 bytes.
void ApplyPreferencesData(const char* data, size_t size, PluginGlobals* globals);
