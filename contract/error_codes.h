// The plug-in's own results, as its host gets them or its error dialog shows
// them. The host's own codes ("S!Fd", "STOP", "Parm") are the host
// interface's (hostapi/).
#pragma once

#include "hostapi/host_types.h"

// What the host gets from "AI Go" when there was no text or it did not fit:
// -1 for both, as the host knows it.
inline constexpr ASErr kFilterHostFailure = -1;

// "AI Go" with an empty text: nothing is drawn, recorded or sounded. The
// plug-in's own code, apart from the engine's "does not fit" (which the
// drawing passes on) until "AI Go" gives the host kFilterHostFailure for
// either.
inline constexpr ASErr kFilterEmptyText = MakeFourCharError("!Txt");

// "Do Action" with a value that is missing, of another type or out of range
// (a level outside 0 to 3, a mode outside 0 to 4, a version outside 0 to 40,
// a point or module size that is not a finite number, a size of 0 or less, a
// text longer than the plug-in holds): nothing is drawn. The error dialog
// shows it with the table's fallback message.
inline constexpr ASErr kQRActionBadParameters = MakeFourCharError("!Prm");

// Startup's registration of the action event registered nothing: the host
// gave no parameter type or the message carries no plug-in reference. The
// error dialog shows it; startup still succeeds.
inline constexpr ASErr kQRActionNotRegistered = MakeFourCharError("!Act");
