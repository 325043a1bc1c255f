// Error codes of the stand-in host's own, beside the common ones of
// hostapi/sp_basic.h. Like those, four-character codes.
#pragma once

#include "hostapi/host_types.h"

// A call that needs the current document while none is open.
inline constexpr ASErr kStandinNoDocumentError = MakeFourCharError("NDoc");
// An action parameter value that holds no value at the key asked for.
inline constexpr ASErr kStandinNoSuchKeyError = MakeFourCharError("NKey");
// A string resource that the plug-in does not have.
inline constexpr ASErr kStandinNoSuchStringError = MakeFourCharError("NStr");
// A record of an action event while the Actions palette is not recording.
inline constexpr ASErr kStandinNotRecordingError = MakeFourCharError("NRec");
// An action event name that is already registered, or that is not.
inline constexpr ASErr kStandinDuplicateEventError = MakeFourCharError("DEvt");
inline constexpr ASErr kStandinNoSuchEventError = MakeFourCharError("NEvt");
// A message for a plug-in whose module cannot be loaded (again).
inline constexpr ASErr kStandinPluginNotLoadedError = MakeFourCharError("NLod");

#include <string>

namespace standin {

// An error code as the host shows it: a four-character code whose bytes are
// all printable as its four characters in quotes ("'S!Fd'"), any other code
// in decimal.
std::string ErrorText(ASErr error);

}  // namespace standin
