// What every dialog window looks like, whatever the desktop's settings: the
// display opened once for the process, one theme without animations or a
// blinking caret (a window looks the same at every moment and on every
// machine), widgets as compact as the dialogs' small rectangles need, and
// each dialog's texts in the face that stands in for its template's font.
#pragma once

#include <gtk/gtk.h>

#include <string>

#include "standin/dialogs/dialog_layout.h"

namespace standin {

// Opens the display (once; later calls give the first call's answer) with
// the process's locale left as it is, so that the plug-in's number formats
// stay those of the C library's default. False, with the reason in *why,
// when it cannot be opened.
bool OpenWindowDisplay(std::string* why);

// Gives `window` the texts of `face` (the default face when null).
void ApplyDialogFace(GtkWidget* window, const DialogFontFace* face);

}  // namespace standin
