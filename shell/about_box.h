// The About box: the plug-in's dialog with its name and version.
#pragma once

#include "contract/dialog_ids.h"
#include "hostapi/sp_basic.h"

// "About": runs the About box modally; its OK button closes it through the
// item's default notification. Returns 0 whatever the dialog returns, or
// "S!Fd" when the ADM Dialog suite is not held.
ASErr HandleAbout(SPMessageData* message);
