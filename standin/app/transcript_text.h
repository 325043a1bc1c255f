// The transcript's entries as the command line prints them: UTF-8 lines.
#pragma once

#include <string>

#include "standin/host/host_transcript.h"

namespace standin {

// `text` (code page 932) in UTF-8, each line break (CR, LF or CR LF) but one
// that ends the text followed by `indent` spaces.
std::string IndentedLines(const std::string& text, int indent);

// A shown dialog: its title on the first line, then one line per item the
// user sees, each indented by `indent` spaces: texts as they are, buttons in
// brackets ("[OK]"), popups as their chosen entry in angle brackets, pictures
// as "(picture N)". Empty texts, frames and items the plug-in draws itself
// are left out; line breaks inside a text continue on further indented
// lines. Ends with a newline.
std::string DialogText(const TranscriptEntry& dialog, int indent);

// One entry as a message: "NAME: note", "NAME: alert: TEXT", "NAME: dialog
// TITLE" with the dialog's items on the lines after, "NAME: dialog N closed
// with item K", "NAME: beep". NAME is the plug-in's module name (left out
// for the host's own notes and beeps). Ends with a newline.
std::string TranscriptEntryText(const TranscriptEntry& entry);

}  // namespace standin
