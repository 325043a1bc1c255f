// The filter's messages ("AI Filter": "AI Get Parameters", "AI Go") and the
// action's playback ("Action Manager": "Do Action"), and the routines behind
// them.
#pragma once

#include "hostapi/ai_action_manager.h"
#include "hostapi/ai_filter.h"

// "AI Get Parameters": for the plug-in's own filter only (other filters give
// 0), runs the settings dialog; OK gives 0, Cancel "STOP", any other closing
// item its id unchanged.
ASErr HandleGetParameters(AIFilterMessage* message);

// "AI Go": draws the symbol from the globals record and, on success, records
// the action. Returns the drawing's result; "Parm" before startup.
ASErr HandleGo(AIFilterMessage* message);

// "Do Action": plays the recorded action back when its user data is 1001;
// otherwise returns 0 and does nothing.
ASErr HandleDoAction(AIActionDoActionMessage* message);

// Draws the symbol of the globals record at the centre of the current view.
// Not built yet: draws nothing and returns 0.
ASErr GenerateFromSettings();

// Records the action event with the current settings while the host records.
// Not built yet: records nothing and returns 0.
ASErr RecordQRAction(ActionUserData userData);

// Draws the symbol of a recorded action. Not built yet: draws nothing and
// returns 0.
ASErr PlayQRAction(AIActionDoActionMessage* message);
