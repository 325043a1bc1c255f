// The filter's messages ("AI Filter": "AI Get Parameters", "AI Go") and the
// action's playback ("Action Manager": "Do Action"), and the routines behind
// them.
#pragma once

#include "contract/error_codes.h"
#include "hostapi/ai_action_manager.h"
#include "hostapi/ai_filter.h"

// The results the host gets (kFilterHostFailure, kFilterEmptyText,
// kQRActionBadParameters) are contract/error_codes.h's.

// "AI Get Parameters": for the plug-in's own filter only (other filters give
// 0), runs the settings dialog; OK gives 0, Cancel "STOP", any other closing
// item its id unchanged.
ASErr HandleGetParameters(AIFilterMessage* message);

// "AI Go": draws the symbol from the globals record and, on success, records
// the action. Returns the drawing's result, kFilterHostFailure for an empty
// text; "Parm" before startup.
ASErr HandleGo(AIFilterMessage* message);

// "Do Action": plays the recorded action back when its user data is 1001;
// otherwise returns 0 and does nothing.
ASErr HandleDoAction(AIActionDoActionMessage* message);

// Draws the symbol of the globals record (text, level, mode, version, module
// size) at the centre of the current view and beeps when the drawing fails.
// Returns kFilterEmptyText for an empty text (no beep), the view's error when
// there is no view (no beep), else the result of DrawSymbolArt.
ASErr GenerateFromSettings();

// While the host records, records the action event "Orvelk_QRCode" (dialog
// status 3) with the centre of the current view, the level, version and mode
// indices of the globals, the module size in points as a float, and the
// text. Records nothing for user data other than 1001, without a view, or
// when the host fails to set one of the values (its error is returned).
// Returns the recording's result; callers do not look at it.
ASErr RecordQRAction(ActionUserData userData);

// "Do Action" of the event: reads the seven recorded values and draws their
// symbol at the recorded point with the mask the globals hold. Returns 0 for
// another event's user data, kQRActionBadParameters for values that cannot
// be drawn (nothing drawn), else the result of DrawSymbolArt. No beep, no
// dialog, and the globals stay as they are.
ASErr PlayQRAction(AIActionDoActionMessage* message);
