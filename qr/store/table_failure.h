// Why the engine's last table read failed: the section and the reason, for
// whoever shows the engine's kQRTableFileDamaged to a user. EncodeQRSymbol
// keeps its result codes; this only says more about one of them.
//
// Every encoding that reads the table file starts with no failure noted; the
// first check that fails notes its section and reason, and later notes of
// the same encoding do not replace it.
#pragma once

#include <cstdint>

enum TableFailureReason : int32_t {
    kTableFailureNone = 0,
    kTableFailureNoFolder,          // no engine host, or its folder lookup failed
    kTableFailurePathTooLong,       // the folder and the file's subpath exceed 255 bytes
    kTableFailureCannotOpen,        // no file at the path, or not a file that can be read
    kTableFailureMissing,           // the directory does not name the section (or gives 0)
    kTableFailureBeyondEnd,         // its offset lies beyond the end of the file
    kTableFailureInDirectory,       // its offset lies inside the directory
    kTableFailureSize,              // it does not decode to the length the version takes
    kTableFailureLength,            // it decodes to another length than its check value says
    kTableFailureCheckMismatch,     // its bytes do not give its check value
    kTableFailureNoCheck,           // the file has check values, but none for the section
    kTableFailurePositionOutside,   // a module position lies outside the symbol
    kTableFailurePositionRepeated,  // a module is named twice, or is a function module
    kTableFailureBlocks,            // E and the blocks do not make the version's codewords
    kTableFailureTemplate,          // the template holds other characters or wrong patterns
    kTableFailureGenerator,         // the generator rows are not the products of one polynomial
    kTableFailureUnreadable,        // the file cannot be read (the system's read failed)
};

// Longest section name a note keeps, in bytes.
inline constexpr int32_t kTableFailureNameLength = 15;

struct TableFailure {
    char section[kTableFailureNameLength + 1];  // "" for the file itself
    int32_t reason;                             // a TableFailureReason
};

// What the last encoding's table reads noted; reason kTableFailureNone when
// they succeeded (or no encoding has read the table file yet).
TableFailure LastTableFailure();

// The reason in words, lower case, without a full stop: "its bytes do not
// give its check value".
const char* TableFailureText(int32_t reason);

// Writes the last failure into `text` (`size` bytes, NUL-terminated, cut to
// fit): "section QRA_S05Q: its bytes do not give its check value", or the
// reason alone for the file. Empty when nothing failed. Returns the length
// written.
int32_t DescribeLastTableFailure(char* text, int32_t size);

// For the engine's stages: forgets the last failure, at the start of an
// encoding's table reads.
void ClearTableFailure();

// For the engine's stages: notes that `section` (null for the file) failed
// for `reason`, unless this encoding noted a failure already.
void NoteTableFailure(const char* section, int32_t reason);
