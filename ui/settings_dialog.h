// The filter's settings dialog (dialog resource 16052): its run and its
// initialisation. The user sets the error-correction level, the version, the
// encoding mode, the cell size, the mask and the text; every change is
// written into the globals record at once and shown in the information text
// and the preview. OK saves the preferences file; Cancel keeps the changes in
// memory (for the next dialog and any later drawing) but saves nothing.
#pragma once

#include <cstdint>

#include "hostapi/adm_types.h"

// Runs the settings dialog modally with its preview matrix, and saves the
// preferences file when it closed with OK. Returns the id of the item that
// closed it: 1 OK, 2 Cancel. Returns "S!Fd" without a dialog when one of the
// suites it calls is not held, and "Parm" before startup. Without memory for
// the preview matrix the dialog runs with an empty preview.
int32_t RunSettingsDialog(SPPluginRef self);

// The dialog's initialisation procedure: fills the five popups from their
// string lists and selects the stored settings (a stored index outside a
// popup's entries selects the popup's default and stores it), sets the text
// item to the stored text and limits it to 8192 bytes, attaches the
// notification procedures and the preview's draw procedure, encodes the
// preview matrix and writes the information text. Returns 0.
ASErr HOST_CALL SettingsDialogInit(ADMDialogRef dialog);
