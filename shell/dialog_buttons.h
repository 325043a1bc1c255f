// What the plug-in's dialogs share about their buttons.
#pragma once

#include "hostapi/adm_dialog.h"

// Gives the dialog's default button (item 1) a notify procedure that performs
// ADM's default notification and nothing else, which closes the dialog.
// Does nothing without the ADM Dialog and Item suites.
void CloseOnDefaultButton(ADMDialogRef dialog);
