// The error reporter: shows a handler's failing result in the plug-in's error
// dialog, with the message that the error table of the string resources
// gives for it and the code itself.
#pragma once

#include "contract/dialog_ids.h"
#include "hostapi/sp_basic.h"

// The name the error dialog runs under (its resource, items and string list
// are contract/dialog_ids.h's).
inline constexpr char kErrorDialogName[] = "Error Dialog";

// Bytes of the error record's message and code text, NULs included.
inline constexpr int32_t kErrorMessageSize = 256;
inline constexpr int32_t kErrorCodeTextSize = 16;

// The error dialog's user data.
struct ErrorRecord {
    char message[kErrorMessageSize];
    char codeText[kErrorCodeTextSize];
};

// Shows `code` in the error dialog: the message of the table entry whose code
// string matches it, or that of the table's last pair when none does, and the
// code's text. Shows nothing for 0 and "STOP", when the ADM Basic or ADM
// Dialog suite is not held, or when the message cannot be read.
void ReportError(const SPMessageData* message, ASErr code);

// The code's text: its decimal form when its high 16 bits are 0 or all ones,
// else its four bytes from the most significant one, cut at a zero byte.
// Writes the decimal form through the AI User suite when it is held.
void FormatErrorCode(ASErr code, char* text, int32_t textSize);
